#pragma once

// One readable line for each message the host and the add-on exchange, so
// that the development host can print the exchange as it happens.

#include <cstdint>
#include <string>

#include "host/host_records.h"
#include "host/plugin_description.h"

namespace zun::devhost {

class HostRegistry;

// Describes message (with its parameters) as the host sees it: offers and
// saves are described from the drag-and-drop record, whose texts and target
// are named as far as the registry knows them. record may be null (no slots).
std::string DescribeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, const DragDropRecord* record,
                            const HostRegistry& registry);

// "read-only slot", "writable slot", "database file", or the number.
std::string TransferKindName(int32_t kind);

// The record Plugin_Data filled, as two lines: its texts, then its bytes
// (bytes 13 to 15 are the host's own and show what the host put there).
std::string DescribePluginRecord(const PluginDescription& record);

}  // namespace zun::devhost
