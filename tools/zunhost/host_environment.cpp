#include "zunhost/host_environment.h"

#include <cstring>
#include <new>
#include <stdexcept>
#include <string_view>

#include "platform/file_system.h"
#include "host/host_messages.h"
#include "zunhost/message_description.h"

namespace zun::devhost {
namespace {

// Positions in kHostSlots, which fixes the order the add-on attaches in.
enum SlotIndex : size_t { kGameSlot, kUserDatabaseSlot, kRegistrySlot, kButtonsSlot, kMenuSlot, kDragDropSlot };
static_assert(std::string_view(kHostSlots[kGameSlot].name) == "ZUN_Mem_Map");
static_assert(std::string_view(kHostSlots[kUserDatabaseSlot].name) == "ZUN_Mem_Map_UDBase");
static_assert(std::string_view(kHostSlots[kRegistrySlot].name) == "Track_Plugin_Array");
static_assert(std::string_view(kHostSlots[kButtonsSlot].name) == "Track_Addon_Buttons");
static_assert(std::string_view(kHostSlots[kMenuSlot].name) == "Track_Plugins_Menu");
static_assert(std::string_view(kHostSlots[kDragDropSlot].name) == "Track_DragDrop");
static_assert(sizeof(DragDropRecord) <= kHostSlotSize);

std::string ErrorText(const char* what, const char* slot, DWORD error) {
  return std::string(what) + " \"" + slot + "\" (error " + std::to_string(error) + ")";
}

}  // namespace

HostEnvironment::HostEnvironment() : game_(std::make_unique<TZUN_Lotto_Temp>()) {}

HostEnvironment::~HostEnvironment() { CloseSlots(); }

bool HostEnvironment::LoadGame(const std::string& gameFile) {
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->FileName = gameFile;
  const bool read = game->ReadGameFile(PlatformFileSystem(), false);
  // The slot is pointed at the new object before the old one goes.
  if (HasSlots()) WritePointer(kGameSlot, game.get());
  game_ = std::move(game);
  return read;
}

bool HostEnvironment::CreateSlots(HWND hostWindow) {
  CloseSlots();
  lastError_.clear();
  std::array<Slot, kHostSlots.size()> created;
  for (size_t i = 0; i < created.size(); ++i) {
    const char* name = kHostSlots[i].name;
    SetLastError(ERROR_SUCCESS);
    created[i].mapping.reset(CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kHostSlotSize, name));
    if (!created[i].mapping) {
      lastError_ = ErrorText("cannot create the slot", name, GetLastError());
      return false;
    }
    // Another host in the same session would share the slot and overwrite
    // what this one publishes.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
      lastError_ = std::string("the slot \"") + name + "\" is already held by another host";
      return false;
    }
    created[i].view.reset(MapViewOfFile(created[i].mapping.get(), FILE_MAP_WRITE, 0, 0, kHostSlotSize));
    if (!created[i].view) {
      lastError_ = ErrorText("cannot map the slot", name, GetLastError());
      return false;
    }
  }
  slots_ = std::move(created);

  // The mappings come zeroed: the user database slot stays null until the
  // add-on publishes its database there.
  WritePointer(kGameSlot, game_.get());
  WritePointer(kRegistrySlot, registry_.Groups());
  WritePointer(kButtonsSlot, registry_.AddonButtons().data());
  WritePointer(kMenuSlot, registry_.PluginsMenu().data());
  dragDrop_ = new (slots_[kDragDropSlot].view.get()) DragDropRecord{};
  dragDrop_->ReplyWindow = reinterpret_cast<HostWindowHandle>(hostWindow);
  return true;
}

void HostEnvironment::CloseSlots() noexcept {
  // The record owns the index array the host sized; it goes before its view.
  if (dragDrop_ != nullptr) dragDrop_->~DragDropRecord();
  dragDrop_ = nullptr;
  for (size_t i = slots_.size(); i-- > 0;) {
    slots_[i].view.reset();
    slots_[i].mapping.reset();
  }
}

void HostEnvironment::WritePointer(size_t slot, const void* pointer) noexcept {
  std::memcpy(slots_[slot].view.get(), &pointer, sizeof pointer);
}

void HostEnvironment::RegisterAddonWindow(HWND addonWindow) noexcept {
  registry_.RegisterAddonWindow(reinterpret_cast<HostWindowHandle>(addonWindow));
}

bool HostEnvironment::AttachWindow(std::string_view caption, HWND window) noexcept {
  PluginWindow* entry = registry_.Find(caption);
  if (entry == nullptr) return false;
  entry->Handle = reinterpret_cast<HostWindowHandle>(window);
  return true;
}

const TZUN_User_Lotto_DBase* HostEnvironment::PublishedUserDatabase() const noexcept {
  if (!HasSlots()) return nullptr;
  const TZUN_User_Lotto_DBase* database;
  std::memcpy(&database, slots_[kUserDatabaseSlot].view.get(), sizeof database);
  return database;
}

DragDropRecord& HostEnvironment::DragDrop() {
  if (dragDrop_ == nullptr) throw std::logic_error("the host's slots are not created");
  return *dragDrop_;
}

LRESULT HostEnvironment::AnswerIndexRequest(WPARAM count) {
  if (dragDrop_ == nullptr || count > kMaxIndexRequest || refuseRoom_) return 0;
  try {
    // Fresh zeroed room: nothing of an earlier offer shows through. The
    // host owns the block; the record only points at it.
    HostArray<int32_t> room;
    room.resize(static_cast<int32_t>(count));
    entryIndices_ = std::move(room);
    dragDrop_->EntryIndices = HostArrayRef<int32_t>(entryIndices_.data());
  } catch (const std::bad_alloc&) {
    return 0;
  }
  return 1;
}

HWND HostEnvironment::RouteOffer() {
  if (dragDrop_ == nullptr) return nullptr;
  const PluginWindow* target = ResolveLocator(registry_.Groups(), OfferTarget(*dragDrop_));
  if (target == nullptr || !target->IsOpen) return nullptr;
  const HWND window = reinterpret_cast<HWND>(target->Handle);
  if (window == nullptr || !IsWindow(window)) return nullptr;
  return PostMessageA(window, kMsgTakeOfferedEntries, 0, 0) ? window : nullptr;
}

std::string HostEnvironment::Describe(UINT message, WPARAM wParam, LPARAM lParam) const {
  return DescribeMessage(message, wParam, lParam, dragDrop_, registry_);
}

}  // namespace zun::devhost
