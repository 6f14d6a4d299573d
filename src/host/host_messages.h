#pragma once

// The window messages and names the add-on and its host share.

#include <cstdint>

namespace zun {

// Messages to the add-on's main window (both parameters ignored, result 1).
inline constexpr uint32_t kMsgShowWindow = 0x590;
inline constexpr uint32_t kMsgCloseForGood = 0x591;
inline constexpr uint32_t kMsgTakeOfferedEntries = 0x594;  // also: offer posted to the host, routed by SendToParams
inline constexpr uint32_t kMsgHourglassOn = 0x59C;
inline constexpr uint32_t kMsgHourglassOff = 0x59D;
// Sent to the drag-and-drop record's ReplyWindow: room for wParam indexes in EntryIndices; 1 grants it.
inline constexpr uint32_t kMsgRequestIndexRoom = 0x595;
// Posted to the host's application window after a save; the path is in TransferName.
inline constexpr uint32_t kMsgDatabaseSaved = 0x63A;
// Posted to the add-on's own main window at the end of a successful start.
inline constexpr uint32_t kMsgAddonStarted = 1525;

inline constexpr char kAddonDllName[] = "User_DBase_Builder.dll";
inline constexpr char kMainWindowClass[] = "TZUN_User_DBase_Builder_Page";
inline constexpr char kMessageDialogClass[] = "TZUN_Message_Page";

}  // namespace zun
