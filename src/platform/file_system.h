#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace zun {

// Writes a file that replaces its target only when complete: the bytes go to
// a temporary file in the target's folder, and Commit flushes it and puts it
// in the target's place in one step. Destroying a writer that was not
// committed removes the temporary file, so a failed save leaves the old file
// byte-identical.
class FileWriter {
 public:
  virtual ~FileWriter() = default;
  // False when not every byte could be written.
  virtual bool Write(const void* data, size_t size) = 0;
  // Flushes, closes and replaces the target. False leaves the target as it was.
  virtual bool Commit() = 0;
};

// The files the platform-free code reads and writes. Paths are 8-bit texts as
// the host passes them.
class FileSystem {
 public:
  virtual ~FileSystem() = default;

  virtual bool FileExists(const std::string& path) = 0;
  // The whole file; false when it cannot be opened or read.
  virtual bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) = 0;
  // At most maxBytes from the start of the file (all of a smaller file), so
  // that a header can be checked without reading what follows it. False
  // when it cannot be opened or read.
  virtual bool ReadFileStart(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
    if (!ReadFile(path, bytes)) return false;
    if (bytes.size() > maxBytes) bytes.resize(maxBytes);
    return true;
  }
  virtual bool FileSize(const std::string& path, int64_t& size) = 0;
  // Appends bytes at the end of path in one write, creating the file when
  // it does not exist. False when it cannot be opened or written.
  virtual bool AppendToFile(const std::string& path, const void* data, size_t size) = 0;
  // A writer whose Commit puts the new file in place of path; null when no
  // temporary file can be created beside the target.
  virtual std::unique_ptr<FileWriter> BeginReplace(const std::string& path) = 0;
};

// A file error that passes to the caller's guard (the older-format import
// lets its file errors through, unlike the readers that return a result).
class FileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The file system of the platform the code runs on.
FileSystem& PlatformFileSystem();

}  // namespace zun
