#pragma once

// The add-on's commands as data: one row per command with its reference
// code, its texts, its shortcut with its exact modifiers, its picture, when
// it is enabled and what it runs. The tool bar, the menus and the keyboard
// shortcuts are built from this table; the host adapter's Execute runs any
// row the same way (code, guard, busy cursor, failure report).

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/command_situation.h"
#include "document/document.h"
#include "operations/services.h"
#include "platform/command_id.h"

namespace zun {

// A key with exactly these modifiers, as a Windows virtual-key code ('A' to
// 'Z' are their letters). Ctrl+Shift+S is not Ctrl+S.
struct Shortcut {
  uint16_t key = 0;
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  friend bool operator==(const Shortcut&, const Shortcut&) = default;
};
inline constexpr uint16_t kKeyDelete = 0x2E;

struct Command {
  CommandId id;
  const char* code;  // written to ErrorLocation first
  const char* caption;
  const char* hint = nullptr;  // the tool button's tool tip
  Shortcut shortcut{};
  Shortcut alternate{};    // a second key for the same command
  int32_t image = -1;      // index in the tool bar's pictures; -1 for none
  bool busy = false;       // the hourglass shows while it runs
  bool exclusive = false;  // its button greys while it runs, so it cannot start twice
  const char* failure;     // reported when it fails
  const char* failureForMany = nullptr;  // instead, when several entries are selected
  bool failureNamesFile = false;         // the current file's name follows the failure
  bool (*enabled)(const CommandSituation&);
  bool (*shown)(const CommandSituation&) = nullptr;  // null: always there
  void (*run)(Document&, Services&);
};

std::span<const Command> Commands();
// Null for an id no row has.
const Command* FindCommand(CommandId id);
const Command& CommandFor(CommandId id);
// The command a key with these modifiers runs, if any.
const Command* CommandForShortcut(Shortcut shortcut);
// A command's caption in a menu (`caption` instead of its own when not
// empty): its shortcut follows after a tab ("Select All\tCtrl+A",
// "Delete_DBase_Entry\tDel").
std::string MenuCaption(const Command& command, std::string_view caption = {});
// What a failure of the command reports: its message (the one for several
// entries when more than one is selected), and the current file's name
// where it names one.
std::string FailureText(const Command& command, const Document& document);

// The tool bar's buttons, top to bottom.
std::span<const CommandId> ToolButtonCommands();
// The list popup's items, in order; nullopt stands for a separator.
std::span<const std::optional<CommandId>> ListPopupCommands();

}  // namespace zun
