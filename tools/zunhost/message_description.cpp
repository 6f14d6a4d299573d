#include "zunhost/message_description.h"

#include <cstdio>
#include <string_view>

#include "host/host_messages.h"
#include "zunhost/host_registry.h"

namespace zun::devhost {
namespace {

std::string Hex(uint32_t value) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%X", static_cast<unsigned>(value));
  return text;
}

// The add-on's text, which may not be there at all.
std::string Quoted(const char* text) { return text == nullptr ? "(none)" : "\"" + std::string(text) + "\""; }

std::string DescribeTarget(const DragDropRecord& record, const HostRegistry& registry) {
  const WindowLocator locator = OfferTarget(record);
  std::string where = "group " + std::to_string(locator.Group);
  if (locator.InSubGroup) where += ", sub-group " + std::to_string(locator.SubGroup);
  where += ", node " + std::to_string(locator.Node) + ", window " + std::to_string(locator.Window);
  const PluginWindow* window = ResolveLocator(registry.Groups(), locator);
  if (window == nullptr) return "no window (" + where + ")";
  return "\"" + std::string(window->Caption.view()) + "\" (" + where + ")";
}

}  // namespace

std::string DescribePluginRecord(const PluginDescription& record) {
  char bytes[128];
  std::snprintf(bytes, sizeof bytes,
                "  byte 12: %02x, bytes 13-15: %02x %02x %02x, Visible %u, bytes 21-23: %02x %02x %02x", record.Byte12,
                record.NotWritten13[0], record.NotWritten13[1], record.NotWritten13[2], record.Visible, record.Byte21,
                record.Byte22, record.Byte23);
  return "  Kind " + Quoted(record.Kind) + ", Name " + Quoted(record.Name) + ", Category " + Quoted(record.Category) +
         ", ProtocolCode " + Quoted(record.ProtocolCode) + "\n" + bytes;
}

std::string TransferKindName(int32_t kind) {
  switch (static_cast<TransferKind>(kind)) {
    case TransferKind::ReadOnlySlot: return "read-only slot";
    case TransferKind::WritableSlot: return "writable slot";
    case TransferKind::DatabaseFile: return "database file";
  }
  return "kind " + std::to_string(kind);
}

std::string DescribeMessage(uint32_t message, uintptr_t wParam, intptr_t lParam, const DragDropRecord* record,
                            const HostRegistry& registry) {
  const std::string number = message == kMsgAddonStarted ? std::to_string(message) : Hex(message);
  switch (message) {
    case kMsgShowWindow: return number + " show window";
    case kMsgCloseForGood: return number + " close for good";
    case kMsgHourglassOn: return number + " hourglass on";
    case kMsgHourglassOff: return number + " hourglass off";
    case kMsgAddonStarted: return number + " add-on started";
    case kMsgRequestIndexRoom: return number + " index room requested: " + std::to_string(wParam);
    case kMsgDatabaseSaved:
      return number + " database saved: " + (record && record->TransferName ? record->TransferName : "(no name)");
    case kMsgTakeOfferedEntries: {
      if (record == nullptr) return number + " entries offered (no drag-and-drop record)";
      return number + " entries offered: " + TransferKindName(record->TransferKind) + " " +
             Quoted(record->TransferName) + ", " + std::to_string(record->EntryIndices.size()) + " indexes, to " +
             DescribeTarget(*record, registry);
    }
  }
  return number + " wParam " + std::to_string(wParam) + " lParam " + std::to_string(lParam);
}

}  // namespace zun::devhost
