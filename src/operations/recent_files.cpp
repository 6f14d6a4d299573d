#include "operations/recent_files.h"

#include <algorithm>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "model/file_kind.h"
#include "model/suitability.h"
#include "platform/file_system.h"

namespace zun {

void AddRecentFile(RecentFileList& recent, const std::string& path, bool known, int32_t index) {
  const OperationScope operation(codes::kAddRecentFile);
  int32_t found = -1;
  // A position handed in is trusted only while it still holds the path.
  if (known && index >= 0 && index < kRecentFileCount && recent[static_cast<size_t>(index)] == path) found = index;
  for (int32_t i = 0; found < 0 && i < kRecentFileCount; ++i)
    if (recent[static_cast<size_t>(i)] == path) found = i;
  // Everything before the found place (or the whole list) moves down one;
  // the last of that range comes round to the front and is overwritten.
  const auto end = found < 0 ? recent.end() : recent.begin() + found + 1;
  std::rotate(recent.begin(), end - 1, end);
  recent.front() = path;
}

std::vector<ReopenMenuItem> DescribeReopenMenu(FileSystem& files, const RecentFileList& recent,
                                               const TZUN_Lotto_DBase* game, const TZUN_User_Lotto_DBase* database) {
  const OperationScope operation(codes::kRefreshReopenMenu);
  std::vector<ReopenMenuItem> items;
  for (int32_t i = 0; i < kRecentFileCount; ++i) {
    const std::string& path = recent[static_cast<size_t>(i)];
    if (path.empty()) continue;
    ReopenMenuItem item;
    item.index = i;
    item.caption = std::string(FileNameOf(path));
    item.exists = files.FileExists(path);
    item.suitable = item.exists && game != nullptr && database != nullptr &&
                    IsSuitableFile(files, *game, *database, DatabaseFileName::Of(path), nullptr);
    item.image = item.exists ? -1 : kMissingFileImage;
    items.push_back(std::move(item));
  }
  return items;
}

}  // namespace zun
