#pragma once

// The add-on's commands as data: one entry per command with its reference
// code, its failure message, its caption, hint, shortcut and image, and
// its action. The tool bar, the list's popup menu and the keyboard
// shortcuts are built from this table; AddonCore::Execute runs any of them
// the same way (code, guard, busy cursor).

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "platform/command_id.h"

namespace zun {

class AddonCore;

// A key with or without Ctrl, as a Windows virtual-key code ('A' to 'Z'
// are their letters).
struct Shortcut {
  uint16_t key = 0;
  bool ctrl = false;
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};
inline constexpr uint16_t kKeyDelete = 0x2E;

struct Command {
  CommandId id;
  const char* code;                   // written to ErrorLocation first
  const char* failureMessage;         // reported when the action fails
  const char* failureMessageForMany;  // instead, when several entries are selected; null: the same
  const char* caption;
  const char* hint;  // the tool button's tool tip
  Shortcut shortcut;
  int32_t image;  // index in the tool bar's images; -1 for none
  bool busy;      // the hourglass shows while it runs
  void (*action)(AddonCore&);
};

std::span<const Command> Commands();
// A command's caption in a menu: its shortcut follows after a tab
// ("Select All\tCtrl+A", "Delete_DBase_Entry\tDel").
std::string MenuCaption(const Command& command);
const Command& CommandFor(CommandId id);
// The command a key runs, if any.
const Command* CommandForShortcut(Shortcut shortcut);

// The tool bar's buttons, top to bottom.
std::span<const CommandId> ToolButtonCommands();
// The list popup's items, in order; nullopt stands for a separator.
std::span<const std::optional<CommandId>> ListPopupCommands();

}  // namespace zun
