#include "model/file_kind.h"

#include "base/paths.h"

namespace zun {

FileKind FileKindOf(std::string_view path) noexcept {
  const std::string_view extension = ExtensionOf(path);
  if (extension == ".sl5") return FileKind::Sl5;
  if (extension == ".sl4") return FileKind::Sl4;
  if (extension == ".sl3") return FileKind::Sl3;
  return FileKind::Other;
}

std::vector<DatabaseFileName> DatabaseFileNames(const std::vector<std::string>& paths) {
  std::vector<DatabaseFileName> files;
  files.reserve(paths.size());
  for (const std::string& path : paths) files.push_back(DatabaseFileName::Of(path));
  return files;
}

}  // namespace zun
