// The file system of the native Linux tools and tests.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <string>

#include "base/paths.h"
#include "platform/file_system.h"

namespace zun {
namespace {

bool WriteAll(int fd, const void* data, size_t size) {
  const auto* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, p, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    p += n;
    size -= static_cast<size_t>(n);
  }
  return true;
}

class PosixFileWriter final : public FileWriter {
 public:
  PosixFileWriter(std::string target, std::string temp, int fd)
      : target_(std::move(target)), temp_(std::move(temp)), fd_(fd) {}

  ~PosixFileWriter() override {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_) ::unlink(temp_.c_str());
  }

  bool Write(const void* data, size_t size) override {
    if (failed_ || fd_ < 0) return false;
    if (!WriteAll(fd_, data, size)) failed_ = true;
    return !failed_;
  }

  bool Commit() override {
    if (failed_ || fd_ < 0) return false;
    const bool synced = ::fsync(fd_) == 0;
    const bool closed = ::close(fd_) == 0;
    fd_ = -1;
    if (!synced || !closed) return false;
    if (::rename(temp_.c_str(), target_.c_str()) != 0) return false;
    committed_ = true;
    SyncFolder();
    return true;
  }

 private:
  // Makes the rename itself durable; the replacement has already happened,
  // so a failure here is not a failed save.
  void SyncFolder() const {
    std::string folder(FolderOf(target_));
    if (folder.empty()) folder = ".";
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (dir >= 0) {
      ::fsync(dir);
      ::close(dir);
    }
  }

  std::string target_;
  std::string temp_;
  int fd_;
  bool failed_ = false;
  bool committed_ = false;
};

class PosixFileSystem final : public FileSystem {
 public:
  bool FileExists(const std::string& path) override {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
  }

  bool ReadFile(const std::string& path, std::vector<uint8_t>& bytes) override {
    return Read(path, SIZE_MAX, bytes);
  }

  bool ReadFileStart(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) override {
    return Read(path, maxBytes, bytes);
  }

  // The file's first maxBytes (all of a smaller one).
  static bool Read(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0) return false;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    // A file larger than half the address space cannot be held in memory.
    const uint64_t wanted = std::min<uint64_t>(static_cast<uint64_t>(st.st_size), maxBytes);
    if (ok && wanted > SIZE_MAX / 2) ok = false;
    if (ok) {
      try {
        bytes.resize(static_cast<size_t>(wanted));
      } catch (...) {
        ::close(fd);
        throw;
      }
      size_t done = 0;
      while (ok && done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) ok = false;  // the file shrank or cannot be read
        else done += static_cast<size_t>(n);
      }
    }
    ::close(fd);
    return ok;
  }

  bool FileSize(const std::string& path, int64_t& size) override {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    size = st.st_size;
    return true;
  }

  bool AppendToFile(const std::string& path, const void* data, size_t size) override {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0) return false;
    const bool written = WriteAll(fd, data, size);
    return ::close(fd) == 0 && written;
  }

  std::unique_ptr<FileWriter> BeginReplace(const std::string& path) override {
    for (int attempt = 0; attempt < 100; ++attempt) {
      std::string temp = path + ".~" + std::to_string(attempt) + ".tmp";
      const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
      if (fd >= 0) return std::make_unique<PosixFileWriter>(path, std::move(temp), fd);
      if (errno != EEXIST) return nullptr;
    }
    return nullptr;
  }
};

}  // namespace

FileSystem& PlatformFileSystem() {
  static PosixFileSystem files;
  return files;
}

}  // namespace zun
