#pragma once

// Entries between windows through the host's drag-and-drop record: taking
// an offer made to this add-on, offering the selected entries (a drag, or
// Send To another window), and which offers the list accepts. The host
// adapter calls these under its guards and reference codes; they throw on
// failure.

#include <cstdint>
#include <optional>
#include <string>

#include "document/document.h"
#include "host/host_records.h"
#include "host/host_slots.h"
#include "operations/services.h"

namespace zun {

// An offer arrived (message 0x594, from whoever made it): the record is
// read. Kind 2 takes the offered entries under the hourglass (a refusal is
// reported, skipped entries are told); kind 3 returns the file name it
// carries, for the caller to load as a drop; other kinds nothing.
std::string TakeOffer(Document& document, Services& services, const HostSlots& slots);

// Whether the record announces an offer the list of `ownWindow` takes:
// entries (kind 2) or a file (kind 3) from another window. The list never
// takes its own rows.
bool AcceptsOffer(const HostSlots& slots, uintptr_t ownWindow);

// Offers the selected entries from `ownWindow` to `target` (Send To: the
// offer is posted whether or not the host made room) or, with a null
// target, to whoever takes the drag. Returns how many indexes were written.
int32_t OfferSelected(const Document& document, Services& services, const HostSlots& slots,
                      const WindowLocator* target, uintptr_t ownWindow);

// The window a Send To menu item names now: item `position` of the add-on
// buttons' or the plug-ins menu's locators; none for a position outside.
std::optional<WindowLocator> SendToTarget(const HostSlots& slots, bool pluginsMenu, int32_t position);

}  // namespace zun
