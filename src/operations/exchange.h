#pragma once

// Entries between windows through the host's drag-and-drop record: taking
// an offer made to this add-on, offering the selected entries (a drag, or
// Send To another window), and which offers the list accepts. The core
// calls these under its guards and reference codes; they throw on failure.

#include <cstdint>
#include <optional>
#include <string>

#include "host/error_reporter.h"
#include "host/host_records.h"
#include "host/host_slots.h"
#include "host/hourglass.h"
#include "operations/workspace.h"
#include "platform/host_messenger.h"
#include "platform/memory_probe.h"
#include "platform/message_prompt.h"
#include "platform/shared_memory.h"

namespace zun {

// The failure message of taking an offer, also for its refusals.
inline constexpr char kTakeOfferFailed[] = "Error while adding DragDrop Entries.";

// What the exchange works on: the editing workspace and the ports that reach
// the other module's memory, the host and the user.
struct ExchangeWork {
  Workspace work;
  SharedMemory& memory;
  const MemoryProbe& probe;
  HostMessenger& messenger;
  MessagePrompt& prompt;
  ErrorReporter& errors;
  Hourglass& hourglass;
};

// An offer arrived: the record is read. An offer from `ownWindow` itself
// does nothing. Kind 2 takes the offered entries under the hourglass (a
// refusal is reported, skipped entries are told); kind 3 returns the file
// name it carries, for the caller to load as a drop; other kinds nothing.
std::string TakeOffer(ExchangeWork& ex, uintptr_t ownWindow);

// Whether the record announces an offer the list of `ownWindow` takes:
// entries (kind 2) or a file (kind 3) from another window.
bool AcceptsOffer(const HostSlots& slots, uintptr_t ownWindow);

// Offers the selected entries from `ownWindow` to `target` (Send To: the
// offer is posted whether or not the host made room) or, with a null
// target, to whoever takes the drag. Returns how many indexes were written.
int32_t OfferSelected(ExchangeWork& ex, const WindowLocator* target, uintptr_t ownWindow);

// The window a Send To menu item names now: item `position` of the add-on
// buttons' or the plug-ins menu's locators; none for a position outside.
std::optional<WindowLocator> SendToTarget(const HostSlots& slots, bool pluginsMenu, int32_t position);

}  // namespace zun
