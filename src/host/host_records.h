#pragma once

// Records the host owns and the add-on reads (or, for the drag-and-drop
// record, fills) in place through the shared slots. The host's layout is
// 32-bit little-endian; offsets are asserted with the 64-bit test build's
// (base/host_layout.h). The host's arrays follow its memory convention: a
// reference to the first element, the element count before it.
//
// The development host builds these records with the same types, which is
// why the arrays are owning HostArrays; the add-on only ever reads them
// through pointers and never frees them.

#include <cstddef>
#include <cstdint>

#include "base/host_layout.h"
#include <span>

#include "model/host_memory.h"

namespace zun {

// A window handle as the host stores it: pointer-sized (32 bits in the host).
using HostWindowHandle = uintptr_t;

struct PluginWindow {
  int32_t Reserved0;
  HostText Caption;
  uint8_t MayReceive;  // its menu item is enabled
  uint8_t Reserved9[2];
  uint8_t IsOpen;  // closed windows are left out of menus
  uint8_t Reserved12[8];
  HostWindowHandle Handle;
};

struct PluginNode {
  int32_t Reserved0;
  HostArray<PluginWindow> Windows;
};

struct PluginSubGroup {
  int32_t Reserved0;
  HostArray<PluginNode> Nodes;
};

struct PluginGroup {
  int32_t Reserved0;
  HostArray<PluginNode> Nodes;
  int32_t Reserved8;
  HostArray<PluginSubGroup> SubGroups;
};

// Where an add-on button or a plug-ins menu item finds its window.
struct WindowLocator {
  int32_t Group;
  int32_t SubGroup;  // used when InSubGroup is set
  int32_t Node;
  int32_t Window;
  uint8_t InSubGroup;
  uint8_t Reserved17[3];
};

// The record in the "Track_DragDrop" slot, at offset 0.
struct DragDropRecord {
  HostWindowHandle ReplyWindow;   // answers request 0x595
  HostWindowHandle SourceWindow;  // main window of the offering add-on
  int32_t SendToParams[4];        // target locator: Group, SubGroup, Node, Window
  uint8_t SendToInSubGroup;       // target locator: InSubGroup
  uint8_t Reserved25[3];
  int32_t TransferKind;  // 1, 2: entries behind a slot; 3: one database file
  const char* TransferName;
  // Sized by the host, filled by the offering add-on: the host's memory,
  // never resized or freed by us.
  HostArrayRef<int32_t> EntryIndices;
};

inline WindowLocator MakeLocator(int32_t group, int32_t subGroup, int32_t node, int32_t window,
                                 bool inSubGroup) noexcept {
  WindowLocator locator{};
  locator.Group = group;
  locator.SubGroup = subGroup;
  locator.Node = node;
  locator.Window = window;
  locator.InSubGroup = inSubGroup ? 1 : 0;
  return locator;
}

enum class TransferKind : int32_t { ReadOnlySlot = 1, WritableSlot = 2, DatabaseFile = 3 };

// Resolves a locator against the registry: group, then the group's nodes or
// its sub-group's nodes, then the node's window. Null when any reference is
// null or any index lies outside its array.
const PluginWindow* ResolveLocator(const PluginGroup* groups, const WindowLocator& locator) noexcept;

// A counted array the host publishes as a pointer to its first element.
template <class T>
std::span<const T> CountedArray(const T* first) noexcept {
  return {first, static_cast<size_t>(detail::HostLength(first))};
}

static_assert(sizeof(PluginWindow) == HostLayout(24, 40));
static_assert(offsetof(PluginWindow, Caption) == HostLayout(4, 8));
static_assert(offsetof(PluginWindow, MayReceive) == HostLayout(8, 16));
static_assert(offsetof(PluginWindow, IsOpen) == HostLayout(11, 19));
static_assert(offsetof(PluginWindow, Handle) == HostLayout(20, 32));
static_assert(sizeof(PluginNode) == HostLayout(8, 16) && offsetof(PluginNode, Windows) == HostLayout(4, 8));
static_assert(sizeof(PluginSubGroup) == HostLayout(8, 16) && offsetof(PluginSubGroup, Nodes) == HostLayout(4, 8));
static_assert(sizeof(PluginGroup) == HostLayout(16, 32));
static_assert(offsetof(PluginGroup, Nodes) == HostLayout(4, 8));
static_assert(offsetof(PluginGroup, SubGroups) == HostLayout(12, 24));
static_assert(sizeof(WindowLocator) == 20);
static_assert(offsetof(WindowLocator, InSubGroup) == 16);
static_assert(sizeof(DragDropRecord) == HostLayout(40, 56));
static_assert(offsetof(DragDropRecord, SourceWindow) == HostLayout(4, 8));
static_assert(offsetof(DragDropRecord, SendToParams) == HostLayout(8, 16));
static_assert(offsetof(DragDropRecord, SendToInSubGroup) == HostLayout(24, 32));
static_assert(offsetof(DragDropRecord, TransferKind) == HostLayout(28, 36));
static_assert(offsetof(DragDropRecord, TransferName) == HostLayout(32, 40));
static_assert(offsetof(DragDropRecord, EntryIndices) == HostLayout(36, 48));

}  // namespace zun
