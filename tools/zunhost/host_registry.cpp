#include "base/texts.h"
#include "zunhost/host_registry.h"

#include "host/host_messages.h"

namespace zun::devhost {
namespace {

PluginWindow MakeWindow(std::string_view caption, bool isOpen, bool mayReceive) {
  PluginWindow window{};
  window.Caption = caption;
  window.IsOpen = isOpen ? 1 : 0;
  window.MayReceive = mayReceive ? 1 : 0;
  return window;
}

PluginNode MakeNode(std::initializer_list<PluginWindow> windows) {
  PluginNode node{};
  for (const PluginWindow& window : windows) node.Windows.push_back(window);
  return node;
}

// Calls visit(window, locator) for every window, direct nodes before sub-groups.
template <class Groups, class Visit>
void ForEachWindow(Groups& groups, Visit visit) {
  for (int32_t g = 0; g < groups.size(); ++g) {
    auto& group = groups[g];
    for (int32_t n = 0; n < group.Nodes.size(); ++n)
      for (int32_t w = 0; w < group.Nodes[n].Windows.size(); ++w)
        visit(group.Nodes[n].Windows[w], MakeLocator(g, 0, n, w, false));
    for (int32_t s = 0; s < group.SubGroups.size(); ++s)
      for (int32_t n = 0; n < group.SubGroups[s].Nodes.size(); ++n)
        for (int32_t w = 0; w < group.SubGroups[s].Nodes[n].Windows.size(); ++w)
          visit(group.SubGroups[s].Nodes[n].Windows[w], MakeLocator(g, s, n, w, true));
  }
}

}  // namespace

WindowLocator OfferTarget(const DragDropRecord& record) noexcept {
  return MakeLocator(record.SendToParams[0], record.SendToParams[1], record.SendToParams[2], record.SendToParams[3],
                     record.SendToInSubGroup != 0);
}

HostRegistry::HostRegistry() {
  // Group 0 holds its nodes directly: two windows in one node (one closed),
  // and a window that is open but takes no entries in a second node.
  PluginGroup& analysis = groups_.emplace_back();
  analysis.Nodes.push_back(
      MakeNode({MakeWindow(kWinningNumbersChecker, true, true), MakeWindow(kFrequencyCharts, false, true)}));
  analysis.Nodes.push_back(MakeNode({MakeWindow(kWheelGenerator, true, false)}));
  analysis.Nodes.push_back(MakeNode({MakeWindow(kPeerDatabase, true, true)}));

  // Group 1 holds its nodes only through sub-groups; the add-on is in the
  // second, and counts as open only once its window exists.
  PluginGroup& addons = groups_.emplace_back();
  addons.SubGroups.emplace_back().Nodes.push_back(MakeNode({MakeWindow(kNumberFilter, true, true)}));
  addons.SubGroups.emplace_back().Nodes.push_back(MakeNode({MakeWindow(texts::kMainWindowCaption, false, true)}));

  const WindowLocator checker = MakeLocator(0, 0, 0, 0, false);
  const WindowLocator charts = MakeLocator(0, 0, 0, 1, false);
  // SubGroup is stale here on purpose: the host reads it only when
  // InSubGroup is set, and group 0 has no sub-group 1.
  const WindowLocator wheel = MakeLocator(0, 1, 1, 0, false);
  const WindowLocator filter = MakeLocator(1, 0, 0, 0, true);
  const WindowLocator peer = MakeLocator(0, 0, 2, 0, false);
  addonLocator_ = MakeLocator(1, 1, 0, 0, true);

  addonButtons_.push_back(checker);
  addonButtons_.push_back(addonLocator_);
  addonButtons_.push_back(peer);
  for (const WindowLocator& locator : {checker, charts, wheel, filter, addonLocator_}) pluginsMenu_.push_back(locator);
}

void HostRegistry::RegisterAddonWindow(HostWindowHandle handle) noexcept {
  // The entry is built by the constructor, so the locator always resolves.
  auto* window = const_cast<PluginWindow*>(ResolveLocator(groups_.data(), addonLocator_));
  window->Handle = handle;
  window->IsOpen = handle != 0 ? 1 : 0;
}

std::vector<PluginWindow*> HostRegistry::Windows() {
  std::vector<PluginWindow*> windows;
  ForEachWindow(groups_, [&](PluginWindow& window, const WindowLocator&) { windows.push_back(&window); });
  return windows;
}

std::vector<const PluginWindow*> HostRegistry::Windows() const {
  std::vector<const PluginWindow*> windows;
  ForEachWindow(groups_, [&](const PluginWindow& window, const WindowLocator&) { windows.push_back(&window); });
  return windows;
}

PluginWindow* HostRegistry::Find(std::string_view caption) {
  for (PluginWindow* window : Windows())
    if (window->Caption.view() == caption) return window;
  return nullptr;
}

bool HostRegistry::LocatorOf(std::string_view caption, WindowLocator& locator) const {
  bool found = false;
  ForEachWindow(groups_, [&](const PluginWindow& window, const WindowLocator& where) {
    if (!found && window.Caption.view() == caption) {
      locator = where;
      found = true;
    }
  });
  return found;
}

}  // namespace zun::devhost
