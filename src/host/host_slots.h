#pragma once

// The six named slots shared with the host, attached in this order and
// detached in reverse. Five hold a pointer into the process's memory; the
// sixth holds the drag-and-drop record itself. Pointers are read from the
// slot at each use, never kept, so the host may replace what they point at.

#include <array>
#include <cstdint>
#include <memory>
#include <span>

#include "model/game_source.h"
#include "platform/shared_memory.h"
#include "host/host_records.h"

namespace zun {

struct TZUN_Lotto_DBase;
struct TZUN_User_Lotto_DBase;

struct SlotSpec {
  const char* name;
  bool writable;
};

inline constexpr std::array<SlotSpec, 6> kHostSlots = {{
    {"ZUN_Mem_Map", false},
    {"ZUN_Mem_Map_UDBase", true},
    {"Track_Plugin_Array", false},
    {"Track_Addon_Buttons", false},
    {"Track_Plugins_Menu", false},
    {"Track_DragDrop", true},
}};

// The size every slot is opened with; the platform maps at least a page, so
// the drag-and-drop record placed in its slot by the host is reachable.
inline constexpr uint32_t kSlotSize = 4;

class HostSlots final : public GameSource {
 public:
  explicit HostSlots(SharedMemory& memory) : memory_(memory) {}
  ~HostSlots() override { Detach(); }
  HostSlots(const HostSlots&) = delete;
  HostSlots& operator=(const HostSlots&) = delete;

  // Detaches whatever is attached, then opens the six slots in order. When
  // one cannot be opened, those opened before it are detached again and the
  // result is false: nothing stays attached.
  bool Attach();
  // Unmaps and closes the slots, last first. Detaching nothing does nothing.
  void Detach();
  int AttachedCount() const;
  // The name of the slot that could not be opened by the last Attach.
  const char* FailedSlot() const { return failed_; }

  // The host's game; null when the slots are not attached or the host has
  // published none.
  const TZUN_Lotto_DBase* Game() const override;
  void PublishUserDatabase(const TZUN_User_Lotto_DBase* database);
  const TZUN_User_Lotto_DBase* PublishedUserDatabase() const;
  const PluginGroup* Registry() const;
  std::span<const WindowLocator> AddonButtons() const;
  std::span<const WindowLocator> PluginsMenu() const;
  DragDropRecord* DragDrop() const;

  // Writes null into the user-database slot if it still holds `database`,
  // attached or not: for when that database is about to be freed.
  static void WithdrawUserDatabase(SharedMemory& memory, const TZUN_User_Lotto_DBase* database);

 private:
  enum Slot { kGame, kUserDatabase, kRegistry, kAddonButtons, kPluginsMenu, kDragDrop };
  const void* PointerIn(Slot slot) const;

  SharedMemory& memory_;
  std::array<std::unique_ptr<MappedSlot>, kHostSlots.size()> slots_;
  const char* failed_ = nullptr;
};

}  // namespace zun
