#pragma once

// The kinds of file a load takes, decided once from the name where the name
// comes in (the open dialog, a drop, the recent files, a merge) and carried
// with it from there, so no step on the way reads the extension again.

#include <string>
#include <string_view>
#include <vector>

namespace zun {

enum class FileKind {
  Other,  // not a database file: nothing is read from it
  Sl5,
  Sl4,
  Sl3,
};

// By the exact extension: ".sl5", ".sl4", ".sl3"; ".SL5" is Other.
FileKind FileKindOf(std::string_view path) noexcept;

inline bool IsOldFormat(FileKind kind) noexcept { return kind == FileKind::Sl4 || kind == FileKind::Sl3; }

// A file's name with its kind.
struct DatabaseFileName {
  std::string path;
  FileKind kind = FileKind::Other;

  static DatabaseFileName Of(std::string path) {
    const FileKind kind = FileKindOf(path);
    return DatabaseFileName{std::move(path), kind};
  }
};

// Each name with its kind, in the same order.
std::vector<DatabaseFileName> DatabaseFileNames(const std::vector<std::string>& paths);

}  // namespace zun
