#include "support/test_files.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#ifdef _WIN32
#include <process.h>
#define ZUN_GETPID _getpid
#else
#include <unistd.h>
#define ZUN_GETPID getpid
#endif

namespace zun::testing {

namespace fs = std::filesystem;

std::string PlatformPath(std::string path) {
#ifdef _WIN32
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  for (char& c : path)
    if (c == '/') c = '\\';
#endif
  return path;
}

std::string SourcePath(const std::string& relative) {
  return PlatformPath(std::string(ZUN_SOURCE_DIR) + "/" + relative);
}

std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

TempFolder::TempFolder() {
  static std::atomic<int> counter{0};
  const fs::path path = fs::temp_directory_path() /
                        ("zun-test-" + std::to_string(ZUN_GETPID()) + "-" + std::to_string(counter++));
  fs::remove_all(path);
  fs::create_directories(path);
  path_ = path.string();
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempFolder::operator/(const std::string& name) const { return (fs::path(path_) / name).string(); }

std::vector<std::string> TempFolder::Names() const {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(path_)) names.push_back(entry.path().filename().string());
  return names;
}

}  // namespace zun::testing
