// The file system of the Windows build: ANSI paths, as the host passes them.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/file_system.h"

namespace zun {
namespace {

class Win32FileWriter final : public FileWriter {
 public:
  Win32FileWriter(std::string target, std::string temp, HANDLE file)
      : target_(std::move(target)), temp_(std::move(temp)), file_(file) {}

  ~Win32FileWriter() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    if (!committed_) DeleteFileA(temp_.c_str());
  }

  bool Write(const void* data, size_t size) override {
    if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
    // Loop until every byte is written: on a full disk, WriteFile under Wine
    // can report success having written only part.
    const auto* p = static_cast<const char*>(data);
    while (size > 0) {
      const DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
      DWORD written = 0;
      if (!WriteFile(file_, p, chunk, &written, nullptr) || written == 0) {
        failed_ = true;
        return false;
      }
      p += written;
      size -= written;
    }
    return true;
  }

  bool Commit() override {
    if (failed_ || file_ == INVALID_HANDLE_VALUE) return false;
    const bool flushed = FlushFileBuffers(file_) != 0;
    const bool closed = CloseHandle(file_) != 0;
    file_ = INVALID_HANDLE_VALUE;
    if (!flushed || !closed) return false;
    // One atomic rename under Wine; also serves a first save.
    if (MoveFileExA(temp_.c_str(), target_.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      committed_ = true;
      return true;
    }
    // The target is held open by someone: ReplaceFile can still swap it in.
    // It is not atomic under Wine, so it is only the fallback.
    const DWORD error = GetLastError();
    if ((error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION) &&
        ReplaceFileA(target_.c_str(), temp_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
      committed_ = true;
      return true;
    }
    return false;
  }

 private:
  std::string target_;
  std::string temp_;
  HANDLE file_;
  bool failed_ = false;
  bool committed_ = false;
};

class Win32FileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
  }

  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override {
    return Read(path, SIZE_MAX, bytes);
  }

  bool ReadFileStart(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) override {
    return Read(path, maxBytes, bytes);
  }

  // The file's first maxBytes (all of a smaller one).
  static bool Read(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) != 0 && size.QuadPart >= 0;
    const uint64_t wanted = ok ? std::min<uint64_t>(static_cast<uint64_t>(size.QuadPart), maxBytes) : 0;
    if (ok && wanted > SIZE_MAX / 2) ok = false;
    if (ok) {
      try {
        bytes.resize(static_cast<size_t>(wanted));
      } catch (...) {
        CloseHandle(file);
        throw;
      }
      size_t done = 0;
      while (ok && done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x10000000u ? 0x10000000u : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!::ReadFile(file, bytes.data() + done, chunk, &got, nullptr) || got == 0) ok = false;
        done += got;
      }
    }
    CloseHandle(file);
    return ok;
  }

  bool FileSize(const std::string& path, int64_t& size) override {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
      return false;
    size = (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
  }

  bool AppendToFile(const std::string& path, const void* data, size_t size) override {
    HANDLE file = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const auto* p = static_cast<const char*>(data);
    bool ok = true;
    while (ok && size > 0) {
      DWORD written = 0;
      ok = WriteFile(file, p, static_cast<DWORD>(size), &written, nullptr) && written != 0;
      p += written;
      size -= written;
    }
    return CloseHandle(file) && ok;
  }

  std::unique_ptr<FileWriter> BeginReplace(const std::string& path) override {
    // CREATE_NEW rather than GetTempFileName, which under Wine can succeed
    // without creating a file.
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string temp = path + ".~" + std::to_string(attempt) + ".tmp";
      HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
      if (file != INVALID_HANDLE_VALUE) return std::make_unique<Win32FileWriter>(path, std::move(temp), file);
      const DWORD error = GetLastError();
      if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return nullptr;
    }
    return nullptr;
  }
};

}  // namespace

FileSystem& PlatformFileSystem() {
  static Win32FileSystem files;
  return files;
}

}  // namespace zun
