#include "base/paths.h"

namespace zun {
namespace {

size_t NameStart(std::string_view path) noexcept {
  const size_t pos = path.find_last_of("\\/:");
  return pos == std::string_view::npos ? 0 : pos + 1;
}

}  // namespace

std::string_view FileNameOf(std::string_view path) noexcept { return path.substr(NameStart(path)); }

std::string_view FolderOf(std::string_view path) noexcept {
  const size_t pos = path.find_last_of("\\/");
  return pos == std::string_view::npos ? std::string_view{} : path.substr(0, pos);
}

std::string_view ExtensionOf(std::string_view path) noexcept {
  const std::string_view name = FileNameOf(path);
  const size_t dot = name.find_last_of('.');
  return dot == std::string_view::npos ? std::string_view{} : name.substr(dot);
}

char SeparatorOf(std::string_view path) noexcept {
  const size_t pos = path.find_last_of("\\/");
  return pos == std::string_view::npos ? '\\' : path[pos];
}

}  // namespace zun
