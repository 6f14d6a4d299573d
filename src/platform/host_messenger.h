#pragma once

#include <cstdint>

namespace zun {

// The messages the add-on sends the host while entries pass between windows.
// The Win32 side sends and posts the window messages; the defaults do
// nothing and grant no room.
class HostMessenger {
 public:
  virtual ~HostMessenger() = default;
  // Asks the drag-and-drop record's reply window for room for `count`
  // indexes in EntryIndices (SendMessage 0x595, count in wParam) and
  // returns its answer; 1 grants it.
  virtual int32_t RequestIndexRoom(uintptr_t /*replyWindow*/, int32_t /*count*/) { return 0; }
  // Posts 0x594 to the host's application window: the offer in the record
  // goes to the window its SendToParams name.
  virtual void PostOffer() {}
};

}  // namespace zun
