#pragma once

// The development host's registry of add-on windows, built with the host's
// own record types so that the add-on reads it in place: groups holding
// nodes directly and through sub-groups, and the two locator lists behind
// the add-on buttons and the plug-ins menu.

#include <span>
#include <string_view>
#include <vector>

#include "host/host_records.h"

namespace zun::devhost {

// Captions of the windows the registry holds besides the add-on's own.
inline constexpr char kWinningNumbersChecker[] = "Winning Numbers Checker";  // open, may receive
inline constexpr char kFrequencyCharts[] = "Frequency Charts";               // closed
inline constexpr char kWheelGenerator[] = "Wheel Generator";                 // open, may not receive
inline constexpr char kNumberFilter[] = "Number Filter";                     // open, may receive, in a sub-group
inline constexpr char kPeerDatabase[] = "Peer Database";                     // open, may receive: a second user database

class HostRegistry {
 public:
  HostRegistry();
  HostRegistry(const HostRegistry&) = delete;
  HostRegistry& operator=(const HostRegistry&) = delete;

  // What the host publishes: a pointer to the first group, and to the first
  // locator of each list (counts before them, as the host's arrays have).
  const PluginGroup* Groups() const noexcept { return groups_.data(); }
  std::span<const WindowLocator> AddonButtons() const noexcept { return addonButtons_.span(); }
  std::span<const WindowLocator> PluginsMenu() const noexcept { return pluginsMenu_.span(); }

  // The add-on's own entry: its window handle is known only after it starts,
  // and it counts as open from then on.
  const WindowLocator& AddonLocator() const noexcept { return addonLocator_; }
  void RegisterAddonWindow(HostWindowHandle handle) noexcept;

  // Every window of the registry, in group order.
  std::vector<PluginWindow*> Windows();
  std::vector<const PluginWindow*> Windows() const;
  // The window of the given caption, or null.
  PluginWindow* Find(std::string_view caption);
  // The locator of the window of the given caption; false when there is none.
  bool LocatorOf(std::string_view caption, WindowLocator& locator) const;

 private:
  HostArray<PluginGroup> groups_;
  HostArray<WindowLocator> addonButtons_;
  HostArray<WindowLocator> pluginsMenu_;
  WindowLocator addonLocator_{};
};

// The locator of the window an offer goes to, as the drag-and-drop record
// holds it.
WindowLocator OfferTarget(const DragDropRecord& record) noexcept;

}  // namespace zun::devhost
