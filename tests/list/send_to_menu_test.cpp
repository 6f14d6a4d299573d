#include "list/send_to_menu.h"

#include <gtest/gtest.h>

namespace zun {
namespace {

constexpr uintptr_t kOwnWindow = 0x1000;

PluginWindow Window(std::string_view caption, bool isOpen, bool mayReceive, uintptr_t handle) {
  PluginWindow window{};
  window.Caption = caption;
  window.IsOpen = isOpen ? 1 : 0;
  window.MayReceive = mayReceive ? 1 : 0;
  window.Handle = handle;
  return window;
}

// Group 0: node 0 holds "Checker" (open, may receive) and "Charts"
// (closed); node 1 holds "Wheel" (open, may not receive) and our own
// window. Its sub-group 0 holds "Filter".
struct Registry {
  HostArray<PluginGroup> groups;
  HostArray<WindowLocator> buttons, menu;
  Registry() {
    PluginGroup& group = groups.emplace_back();
    group.Nodes.resize(2);
    group.Nodes[0].Windows.push_back(Window("Checker", true, true, 0x11));
    group.Nodes[0].Windows.push_back(Window("Charts", false, true, 0x12));
    group.Nodes[1].Windows.push_back(Window("Wheel", true, false, 0x13));
    group.Nodes[1].Windows.push_back(Window("Builder", true, true, kOwnWindow));
    group.SubGroups.emplace_back().Nodes.emplace_back().Windows.push_back(Window("Filter", true, true, 0x14));
  }
  SendToMenu Build() const { return BuildSendToMenu(groups.data(), buttons.span(), menu.span(), kOwnWindow); }
};

const WindowLocator kChecker = MakeLocator(0, 0, 0, 0, false);
const WindowLocator kCharts = MakeLocator(0, 0, 0, 1, false);
const WindowLocator kWheel = MakeLocator(0, 5, 1, 0, false);  // the sub-group index is not read
const WindowLocator kOwn = MakeLocator(0, 0, 1, 1, false);
const WindowLocator kFilter = MakeLocator(0, 0, 0, 0, true);

TEST(SendToMenu, ListsOpenWindowsOtherThanOursWithTheirPositionsAndEnabling) {
  Registry r;
  for (const WindowLocator& l : {kOwn, kChecker, MakeLocator(4, 0, 0, 0, false), kWheel}) r.buttons.push_back(l);
  for (const WindowLocator& l : {kChecker, kCharts, kWheel, MakeLocator(0, 0, 0, 9, false), kFilter, kOwn,
                                 MakeLocator(0, 1, 0, 0, true), MakeLocator(-1, 0, 0, 0, false)})
    r.menu.push_back(l);
  const SendToMenu menu = r.Build();
  EXPECT_EQ(menu.addonItems, (std::vector<SendToItem>{{"Checker", true, 1}, {"Wheel", false, 3}}));
  EXPECT_TRUE(menu.HasSeparator());
  EXPECT_EQ(menu.pluginItems, (std::vector<SendToItem>{{"Checker", true, 0}, {"Wheel", false, 2}, {"Filter", true, 4}}));
}

TEST(SendToMenu, WithoutAddonItemsThereIsNoSeparator) {
  Registry r;
  r.buttons.push_back(kCharts);  // closed
  r.buttons.push_back(kOwn);
  r.menu.push_back(kFilter);
  SendToMenu menu = r.Build();
  EXPECT_TRUE(menu.addonItems.empty());
  EXPECT_FALSE(menu.HasSeparator());
  EXPECT_EQ(menu.pluginItems, (std::vector<SendToItem>{{"Filter", true, 0}}));

  menu = BuildSendToMenu(nullptr, {}, {}, kOwnWindow);
  EXPECT_TRUE(menu.addonItems.empty());
  EXPECT_TRUE(menu.pluginItems.empty());
  EXPECT_FALSE(menu.HasSeparator());
}

TEST(SendToMenu, LocatorsIntoAMissingRegistryGiveNoItems) {
  Registry r;
  r.buttons.push_back(kChecker);
  r.menu.push_back(kChecker);
  const SendToMenu menu = BuildSendToMenu(nullptr, r.buttons.span(), r.menu.span(), kOwnWindow);
  EXPECT_TRUE(menu.addonItems.empty());
  EXPECT_TRUE(menu.pluginItems.empty());
}

}  // namespace
}  // namespace zun
