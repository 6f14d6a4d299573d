#pragma once

// An in-memory FileSystem for tests and fuzz targets, with failures on
// demand: a write that stops after a number of bytes, a commit that fails.

#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace zun::testing {

class MemoryFileSystem final : public FileSystem {
 public:
  std::map<std::string, std::vector<uint8_t>> files;
  // Writes fail once this many bytes have been written to one file (-1: never).
  long failWritesAfter = -1;
  bool failCommit = false;
  bool failTemporaryFile = false;
  // Files that exist but cannot be read.
  std::set<std::string> unreadable;

  bool FileExists(const std::string& path) override { return files.count(path) != 0; }

  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) != 0) return false;
    bytes = it->second;
    return true;
  }

  bool ReadFileStart(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) override {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path) != 0) return false;
    ++startReads;
    const size_t n = std::min(maxBytes, it->second.size());
    bytes.assign(it->second.begin(), it->second.begin() + static_cast<std::ptrdiff_t>(n));
    return true;
  }
  int startReads = 0;  // how often only a file's start was read

  bool FileSize(const std::string& path, int64_t& size) override {
    const auto it = files.find(path);
    if (it == files.end()) return false;
    size = static_cast<int64_t>(it->second.size());
    return true;
  }

  bool failAppend = false;

  bool AppendToFile(const std::string& path, const void* data, size_t size) override {
    if (failAppend) return false;
    const auto* p = static_cast<const uint8_t*>(data);
    auto& file = files[path];
    file.insert(file.end(), p, p + size);
    return true;
  }

  std::unique_ptr<FileWriter> BeginReplace(const std::string& path) override {
    if (failTemporaryFile) return nullptr;
    return std::make_unique<Writer>(*this, path);
  }

 private:
  class Writer final : public FileWriter {
   public:
    Writer(MemoryFileSystem& owner, std::string path) : owner_(owner), path_(std::move(path)) {}
    bool Write(const void* data, size_t size) override {
      const auto* p = static_cast<const uint8_t*>(data);
      for (size_t i = 0; i < size; ++i) {
        if (owner_.failWritesAfter >= 0 && static_cast<long>(bytes_.size()) >= owner_.failWritesAfter) return false;
        bytes_.push_back(p[i]);
      }
      return true;
    }
    bool Commit() override {
      if (owner_.failCommit) return false;
      owner_.files[path_] = std::move(bytes_);
      return true;
    }

   private:
    MemoryFileSystem& owner_;
    std::string path_;
    std::vector<uint8_t> bytes_;
  };
};

}  // namespace zun::testing
