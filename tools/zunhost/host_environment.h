#pragma once

// What the host gives an add-on: its game object, the six named slots, the
// registry of add-on windows and the drag-and-drop record, with the host's
// answers to the add-on's requests. zunhost.exe and the end-to-end tests
// both run an add-on inside one of these.

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>

#include "model/lotto_game.h"
#include "model/user_database.h"
#include "host/host_records.h"
#include "host/host_slots.h"
#include "zunhost/host_registry.h"
#include "zunhost/win32_scoped.h"

namespace zun::devhost {

// The size the host creates every slot with.
inline constexpr DWORD kHostSlotSize = 4096;
// The most entry indexes the host makes room for in one request.
inline constexpr WPARAM kMaxIndexRequest = 10'000'000;

class HostEnvironment {
 public:
  HostEnvironment();
  ~HostEnvironment();
  HostEnvironment(const HostEnvironment&) = delete;
  HostEnvironment& operator=(const HostEnvironment&) = delete;

  // Reads the whole game file (draws and statistics) into a new game
  // object, which the game slot then points at. False when the file is
  // missing or damaged; what could be read stays.
  bool LoadGame(const std::string& gameFile);

  // Creates the six slots and fills them. False, with nothing left open and
  // the reason in LastError(), when any cannot be created or is already held
  // by another host.
  bool CreateSlots(HWND hostWindow);
  bool HasSlots() const noexcept { return dragDrop_ != nullptr; }
  const std::string& LastError() const noexcept { return lastError_; }

  // Fills in the add-on's own registry entry once its window exists.
  void RegisterAddonWindow(HWND addonWindow) noexcept;
  // Gives the registry window of this caption a real window; false when the
  // registry holds no such caption.
  bool AttachWindow(std::string_view caption, HWND window) noexcept;

  const TZUN_Lotto_Temp& Game() const noexcept { return *game_; }
  // The pointer the add-on has written to "ZUN_Mem_Map_UDBase" (null until then).
  const TZUN_User_Lotto_DBase* PublishedUserDatabase() const noexcept;
  // The record at the start of the "Track_DragDrop" slot. Throws
  // std::logic_error before CreateSlots.
  DragDropRecord& DragDrop();
  const HostRegistry& Registry() const noexcept { return registry_; }

  // Message 0x595: room for `count` indexes in the record's EntryIndices
  // (zeroed). 1 when granted; 0 for a count above kMaxIndexRequest, when
  // memory runs out or before CreateSlots.
  LRESULT AnswerIndexRequest(WPARAM count);
  // From now on every request for room is answered 0 (refused), or again
  // as above.
  void RefuseIndexRoom(bool refuse) noexcept { refuseRoom_ = refuse; }

  // Message 0x594 posted to the host: passes the offer on (0x594, both
  // parameters 0) to the window the record's target locator names, if that
  // window is open and exists. Returns that window, or null when the offer
  // goes nowhere.
  HWND RouteOffer();

  // One line for a message from (or to) the add-on.
  std::string Describe(UINT message, WPARAM wParam, LPARAM lParam) const;

 private:
  struct Slot {
    UniqueHandle mapping;
    UniqueView view;
  };
  void WritePointer(size_t slot, const void* pointer) noexcept;
  void CloseSlots() noexcept;

  std::unique_ptr<TZUN_Lotto_Temp> game_;
  HostRegistry registry_;
  std::array<Slot, kHostSlots.size()> slots_;
  DragDropRecord* dragDrop_ = nullptr;  // placed in the drag-and-drop slot's view
  HostArray<int32_t> entryIndices_;     // the room the record's EntryIndices points at
  std::string lastError_;
  bool refuseRoom_ = false;
};

}  // namespace zun::devhost
