#include "host/host_slots.h"

#include <cstring>

namespace zun {

bool HostSlots::Attach() {
  Detach();
  failed_ = nullptr;
  for (size_t i = 0; i < kHostSlots.size(); ++i) {
    slots_[i] = memory_.Open(kHostSlots[i].name, kSlotSize, kHostSlots[i].writable);
    if (!slots_[i]) {
      failed_ = kHostSlots[i].name;
      Detach();
      return false;
    }
  }
  return true;
}

void HostSlots::Detach() {
  for (size_t i = slots_.size(); i-- > 0;) slots_[i].reset();
}

int HostSlots::AttachedCount() const {
  int count = 0;
  for (const auto& slot : slots_) count += slot ? 1 : 0;
  return count;
}

const void* HostSlots::PointerIn(Slot slot) const {
  if (!slots_[slot]) return nullptr;
  const void* pointer;
  std::memcpy(&pointer, slots_[slot]->View(), sizeof pointer);
  return pointer;
}

const TZUN_Lotto_DBase* HostSlots::Game() const { return static_cast<const TZUN_Lotto_DBase*>(PointerIn(kGame)); }

void HostSlots::PublishUserDatabase(const TZUN_User_Lotto_DBase* database) {
  if (slots_[kUserDatabase]) std::memcpy(slots_[kUserDatabase]->View(), &database, sizeof database);
}

const TZUN_User_Lotto_DBase* HostSlots::PublishedUserDatabase() const {
  return static_cast<const TZUN_User_Lotto_DBase*>(PointerIn(kUserDatabase));
}

const PluginGroup* HostSlots::Registry() const { return static_cast<const PluginGroup*>(PointerIn(kRegistry)); }

std::span<const WindowLocator> HostSlots::AddonButtons() const {
  return CountedArray(static_cast<const WindowLocator*>(PointerIn(kAddonButtons)));
}

std::span<const WindowLocator> HostSlots::PluginsMenu() const {
  return CountedArray(static_cast<const WindowLocator*>(PointerIn(kPluginsMenu)));
}

void HostSlots::WithdrawUserDatabase(SharedMemory& memory, const TZUN_User_Lotto_DBase* database) {
  if (database == nullptr) return;
  const SlotSpec& userDatabaseSlot = kHostSlots[kUserDatabase];
  const std::unique_ptr<MappedSlot> slot = memory.Open(userDatabaseSlot.name, kSlotSize, userDatabaseSlot.writable);
  if (!slot) return;
  const void* published;
  std::memcpy(&published, slot->View(), sizeof published);
  if (published != database) return;  // someone else's by now
  const void* none = nullptr;
  std::memcpy(slot->View(), &none, sizeof none);
}

DragDropRecord* HostSlots::DragDrop() const {
  return slots_[kDragDrop] ? static_cast<DragDropRecord*>(slots_[kDragDrop]->View()) : nullptr;
}

}  // namespace zun
