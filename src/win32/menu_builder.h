#pragma once

// The add-on's menus, built each time one opens: the tool bar's file menu
// with its Reopen submenu, and the list's popup with its Send To submenu.
// Their items take the adapter's command states as they are: greyed, checked
// or left out as the enabling rule decided.
//
// This file owns the menus' ids: a command's item carries its CommandId;
// the Reopen items and the two Send To lists have ranges of their own
// above every command id. ReadMenuChoice turns a chosen id back into what
// it stands for.

#include <windows.h>

#include <cstdint>
#include <span>

#include "host/settings.h"
#include "list/send_to_menu.h"
#include "operations/recent_files.h"
#include "platform/views.h"
#include "win32/scoped.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

// The Reopen items: this plus the recent file's position.
inline constexpr UINT kReopenMenuFirstId = 0x7000;
// The Send To items: these plus the locator's position in its list.
inline constexpr UINT kSendToAddonFirstId = 0x7100;
inline constexpr UINT kSendToPluginFirstId = 0x7900;
inline constexpr UINT kSendToIdRange = 0x800;

static_assert(kCommandIdLimit <= kReopenMenuFirstId);
static_assert(kReopenMenuFirstId + kRecentFileCount <= kSendToAddonFirstId);
static_assert(kSendToAddonFirstId + kSendToIdRange <= kSendToPluginFirstId);

// What a chosen menu id stands for.
struct MenuChoice {
  enum class Kind { None, Command, Reopen, SendToAddon, SendToPlugin };
  Kind kind = Kind::None;
  CommandId command{};
  int32_t index = 0;  // the recent file's position, or the locator's in its list
  friend bool operator==(const MenuChoice&, const MenuChoice&) = default;
};
MenuChoice ReadMenuChoice(UINT id);

// New, Load, Reopen with the recent files (a missing one shows
// `missingFile`, which must outlive the menu; an unsuitable one is greyed),
// Save, Save As, the HTML and the CSV export.
UniqueMenu BuildFileMenu(const CommandStates& states, std::span<const ReopenMenuItem> recent, HBITMAP missingFile);

// ListPopupCommands() in order, with "Send To" after the first separator:
// the add-ons' windows, a separator, "Plugin" with the plug-ins' windows.
UniqueMenu BuildListPopup(const CommandStates& states, const SendToMenu& sendTo);

// Shows `menu` at screen point `at` until the user chooses or leaves it;
// `flags` are TrackPopupMenu's beyond TPM_RETURNCMD.
MenuChoice TrackMenu(HMENU menu, POINT at, UINT flags, HWND owner);

// Runs a choice: a command through Execute, a recent file through Reopen,
// a Send To item through SendTo, from `ownWindow`.
void RunMenuChoice(HostAdapter& adapter, const MenuChoice& choice, uintptr_t ownWindow);

}  // namespace zun::win32
