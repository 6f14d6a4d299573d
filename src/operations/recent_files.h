#pragma once

// The fifteen recent files the Reopen menu offers (most recent first), and
// what the menu shows of each.

#include <cstdint>
#include <string>
#include <vector>

#include "host/settings.h"

namespace zun {

class FileSystem;
struct TZUN_Lotto_DBase;
struct TZUN_User_Lotto_DBase;

// Puts path first. A path already in the list (at `index` when `known`,
// else found by an exact, case-sensitive comparison) moves to the front and
// the ones before it move down one place; a new path pushes every entry down
// and the fifteenth drops out.
void AddRecentFile(RecentFileList& recent, const std::string& path, bool known = false, int32_t index = 0);

// The image the Reopen menu shows beside a file that no longer exists.
inline constexpr int32_t kMissingFileImage = 7;

struct ReopenMenuItem {
  int32_t index = 0;     // position in the recent files: what Reopen takes
  std::string caption;   // the file's name without its folder
  bool exists = false;
  bool suitable = false;  // its header fits the current game (false when missing)
  int32_t image = -1;     // kMissingFileImage for a missing file, else none
};

// One item per non-empty recent file, in list order. Without a game or a
// database no file counts as suitable.
std::vector<ReopenMenuItem> DescribeReopenMenu(FileSystem& files, const RecentFileList& recent,
                                               const TZUN_Lotto_DBase* game, const TZUN_User_Lotto_DBase* database);

}  // namespace zun
