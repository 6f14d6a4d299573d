#include "host/host_records.h"

namespace zun {
namespace {

template <class T>
const T* Element(const HostArray<T>& array, int32_t index) noexcept {
  return array.contains(index) ? &array[index] : nullptr;
}

}  // namespace

const PluginWindow* ResolveLocator(const PluginGroup* groups, const WindowLocator& locator) noexcept {
  const std::span<const PluginGroup> all = CountedArray(groups);
  if (locator.Group < 0 || static_cast<size_t>(locator.Group) >= all.size()) return nullptr;
  const PluginGroup& group = all[static_cast<size_t>(locator.Group)];
  const HostArray<PluginNode>* nodes = &group.Nodes;
  if (locator.InSubGroup) {
    const PluginSubGroup* subGroup = Element(group.SubGroups, locator.SubGroup);
    if (subGroup == nullptr) return nullptr;
    nodes = &subGroup->Nodes;
  }
  const PluginNode* node = Element(*nodes, locator.Node);
  return node == nullptr ? nullptr : Element(node->Windows, locator.Window);
}

}  // namespace zun
