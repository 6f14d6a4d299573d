#include "list/send_to_menu.h"

namespace zun {
namespace {

std::vector<SendToItem> ItemsFor(const PluginGroup* registry, std::span<const WindowLocator> locators,
                                 uintptr_t ownWindow) {
  std::vector<SendToItem> items;
  for (size_t i = 0; i < locators.size(); ++i) {
    const PluginWindow* window = ResolveLocator(registry, locators[i]);
    if (window == nullptr || window->IsOpen == 0 || window->Handle == ownWindow) continue;
    items.push_back({std::string(window->Caption.view()), window->MayReceive != 0, static_cast<int32_t>(i)});
  }
  return items;
}

}  // namespace

SendToMenu BuildSendToMenu(const PluginGroup* registry, std::span<const WindowLocator> addonButtons,
                           std::span<const WindowLocator> pluginsMenu, uintptr_t ownWindow) {
  SendToMenu menu;
  menu.addonItems = ItemsFor(registry, addonButtons, ownWindow);
  menu.pluginItems = ItemsFor(registry, pluginsMenu, ownWindow);
  return menu;
}

}  // namespace zun
