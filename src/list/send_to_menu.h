#pragma once

// The list popup's "Send To" menu, built from the host's registry each time
// it opens: first the windows behind the add-on buttons, then (when there
// is at least one) a separator, then "Plugin" with the windows of the
// plug-ins menu under it. A locator that does not resolve, a closed window
// and our own window are left out; an item is enabled when its window may
// receive entries.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/host_records.h"

namespace zun {

struct SendToItem {
  std::string caption;
  bool enabled = false;
  int32_t position = 0;  // the locator's position in its list
  friend bool operator==(const SendToItem&, const SendToItem&) = default;
};

struct SendToMenu {
  std::vector<SendToItem> addonItems;   // from the add-on buttons' locators
  std::vector<SendToItem> pluginItems;  // under "Plugin", from the plug-ins menu's locators
  // A separator stands between the add-on items and "Plugin".
  bool HasSeparator() const noexcept { return !addonItems.empty(); }
};

SendToMenu BuildSendToMenu(const PluginGroup* registry, std::span<const WindowLocator> addonButtons,
                           std::span<const WindowLocator> pluginsMenu, uintptr_t ownWindow);

}  // namespace zun
