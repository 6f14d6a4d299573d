#include "core/command_states.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_table.h"

namespace zun {
namespace {

// The states in one line: the enabled commands in id order, the enabled
// submenus, then "checked:" and "hidden:" lists where there are any.
std::string Describe(const CommandStates& states) {
  static const char* const kNames[kCommandIdLimit] = {
      "?",         "Load",       "Add",       "Apply",     "Delete", "QuickPick", "Clear",  "SelectAll", "SelectEven",
      "SelectOdd", "InvertSel.", "ApplySort", "New",       "Save",   "SaveAs",    "Html",   "Csv",
      "Undo",      "Redo",       "Cut",       "Copy",      "Paste",  "Import",    "Check",  "Dupl."};
  std::string enabled, checked, hidden;
  const auto add = [](std::string& list, const char* name) { list += (list.empty() ? "" : " ") + std::string(name); };
  for (size_t i = 1; i < kCommandIdLimit; ++i) {
    const CommandState& state = states[static_cast<CommandId>(i)];
    if (state.enabled) add(enabled, kNames[i]);
    if (state.checked) add(checked, kNames[i]);
    if (!state.shown) add(hidden, kNames[i]);
  }
  if (states.reopen.enabled) add(enabled, "Reopen>");
  if (states.sendTo.enabled) add(enabled, "SendTo>");
  if (states.listCsv.enabled) add(enabled, "ListCsv");
  if (!checked.empty()) enabled += " | checked: " + checked;
  if (!hidden.empty()) enabled += " | hidden: " + hidden;
  return enabled;
}

CommandSituation Rows(int32_t rows, int32_t selected = 0) {
  CommandSituation s;
  s.rowCount = rows;
  s.selectedCount = selected;
  return s;
}

template <class Change>
CommandSituation With(CommandSituation s, Change change) {
  change(s);
  return s;
}

TEST(CommandStates, TheRuleOverEverySituation) {
  struct Case {
    const char* situation;
    CommandSituation given;
    const char* shows;
  };
  const auto complete = [](CommandSituation& s) { s.allSetsComplete = true; };
  const auto modified = [](CommandSituation& s) { s.modified = true; };
  const auto currentFile = [](CommandSituation& s) { s.currentFile = true; };
  const auto html = [](CommandSituation& s) { s.htmlTemplate = true; };
  const Case cases[] = {
      {"nothing at all", Rows(0), "Load QuickPick Clear New Paste Import | hidden: ApplySort"},
      {"changed, but no rows and no file: nothing to save", With(Rows(0), modified),
       "Load QuickPick Clear New Paste Import | hidden: ApplySort"},
      {"a template, but nothing to export", With(Rows(0), html), "Load QuickPick Clear New Paste Import | hidden: ApplySort"},
      {"rows, none selected, unmodified", Rows(3),
       "Load QuickPick Clear SelectAll SelectEven SelectOdd InvertSel. New SaveAs Csv Paste Import Check Dupl. ListCsv | hidden: ApplySort"},
      {"rows, none selected, modified", With(Rows(3), modified),
       "Load QuickPick Clear SelectAll SelectEven SelectOdd InvertSel. New Save SaveAs Csv Paste Import Check Dupl. ListCsv | hidden: ApplySort"},
      {"a selection with incomplete sets: Delete, not Apply", Rows(3, 1),
       "Load Delete QuickPick Clear SelectAll SelectEven SelectOdd InvertSel. New SaveAs Csv Cut Copy Paste Import Check Dupl. SendTo> ListCsv | hidden: "
       "ApplySort"},
      {"a selection with complete sets", With(Rows(3, 2), complete),
       "Load Add Apply Delete QuickPick Clear SelectAll SelectEven SelectOdd InvertSel. New SaveAs Csv Cut Copy Paste Import Check Dupl. SendTo> ListCsv | "
       "hidden: ApplySort"},
      {"complete sets without a selection: Add only", With(Rows(0), complete),
       "Load Add QuickPick Clear New Paste Import | hidden: ApplySort"},
      {"a quick pick running", With(Rows(0), [](CommandSituation& s) { s.running = CommandId::QuickPick; }),
       "Load Clear New Paste Import | hidden: ApplySort"},
      {"rows sorted otherwise than stored", With(Rows(3), [](CommandSituation& s) { s.naturalOrder = false; }),
       "Load QuickPick Clear SelectAll SelectEven SelectOdd InvertSel. ApplySort New SaveAs Csv Paste Import Check Dupl. ListCsv"},
      {"no rows in natural order is no sort to apply", With(Rows(0), [](CommandSituation& s) { s.naturalOrder = false; }),
       "Load QuickPick Clear New Paste Import | hidden: ApplySort"},
      {"a current file emptied of entries saves as an empty database", With(With(Rows(0), currentFile), modified),
       "Load QuickPick Clear New Save SaveAs Csv Paste Import | hidden: ApplySort"},
      {"a current file, unmodified, with the template: the file menu exports it, the empty list's popup does not", With(With(Rows(0), currentFile), html),
       "Load QuickPick Clear New SaveAs Html Csv Paste Import | hidden: ApplySort"},
      {"recent files", With(Rows(0), [](CommandSituation& s) { s.recentFiles = true; }),
       "Load QuickPick Clear New Paste Import Reopen> | hidden: ApplySort"},
      {"something to undo and to redo", With(Rows(0), [](CommandSituation& s) {
         s.undoName = "Delete 5 Entries";
         s.redoName = "Quick Pick";
       }),
       "Load QuickPick Clear New Undo Redo Paste Import | hidden: ApplySort"},
  };
  for (const Case& c : cases) EXPECT_EQ(Describe(CommandStatesFor(c.given)), c.shows) << c.situation;
}

TEST(CommandStates, BeforeTheRuleLoadNewQuickPickAndClear) {
  EXPECT_EQ(Describe(InitialCommandStates()), "Load QuickPick Clear New");
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

TEST(CommandTable, MenuCaptionsNameTheirShortcuts) {
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::SelectAll)), "Select All\tCtrl+A");
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::Delete)), "Delete_DBase_Entry\tDel");
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::ApplySort)), "Apply Sort");
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::Save)), "Save SL5 DBase\tCtrl+S");
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::CheckDraws)), "Check Against Draws\x85\tCtrl+K");
}

// Undo and Redo name their step in the menus, and grey without one.
TEST(CommandStates, UndoAndRedoNameTheStepTheyTake) {
  CommandSituation s;
  s.undoName = "Delete 512 Entries";
  const CommandStates states = CommandStatesFor(s);
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::Undo), states[CommandId::Undo].caption),
            "Undo Delete 512 Entries\tCtrl+Z");
  EXPECT_EQ(MenuCaption(CommandFor(CommandId::Redo), states[CommandId::Redo].caption), "Redo\tCtrl+Y");
  EXPECT_FALSE(states[CommandId::Redo].enabled);
}

// A shortcut is its key with exactly its modifiers: another modifier held
// makes another key.
TEST(CommandTable, ShortcutsNameTheirExactModifiers) {
  struct Case {
    Shortcut pressed;
    const Command* runs;
  };
  const Command* none = nullptr;
  const Case cases[] = {
      {{.key = kKeyDelete}, &CommandFor(CommandId::Delete)},
      {{.key = kKeyDelete, .shift = true}, none},
      {{.key = kKeyDelete, .ctrl = true}, none},
      {{.key = 'S', .ctrl = true}, &CommandFor(CommandId::Save)},
      {{.key = 'S', .ctrl = true, .shift = true}, none},
      {{.key = 'S', .ctrl = true, .alt = true}, none},
      {{.key = 'S'}, none},
      {{.key = 'A', .ctrl = true}, &CommandFor(CommandId::SelectAll)},
      {{.key = 'E', .ctrl = true}, &CommandFor(CommandId::SelectEven)},
      {{.key = 'O', .ctrl = true}, &CommandFor(CommandId::SelectOdd)},
      {{.key = 'I', .ctrl = true}, &CommandFor(CommandId::InvertSelection)},
      {{.key = 'N', .ctrl = true}, &CommandFor(CommandId::New)},
      {{.key = 'L', .ctrl = true}, &CommandFor(CommandId::Load)},
      {{.key = 'A'}, none},
      {{.key = 'Z', .ctrl = true}, &CommandFor(CommandId::Undo)},
      {{.key = 'Y', .ctrl = true}, &CommandFor(CommandId::Redo)},
      {{.key = 'Z', .ctrl = true, .shift = true}, &CommandFor(CommandId::Redo)},
      {{.key = 'C', .ctrl = true}, &CommandFor(CommandId::Copy)},
      {{.key = 'X', .ctrl = true}, &CommandFor(CommandId::Cut)},
      {{.key = 'V', .ctrl = true}, &CommandFor(CommandId::Paste)},
      {{.key = 'V', .ctrl = true, .shift = true}, none},
      {{.key = 'K', .ctrl = true}, &CommandFor(CommandId::CheckDraws)},
      {{}, none},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CommandForShortcut(c.pressed), c.runs)
        << "key " << c.pressed.key << " ctrl " << c.pressed.ctrl << " shift " << c.pressed.shift << " alt "
        << c.pressed.alt;
}

TEST(CommandTable, TheToolBarAndTheCodesOfItsCommands) {
  const auto buttons = ToolButtonCommands();
  EXPECT_EQ(std::vector<CommandId>(buttons.begin(), buttons.end()),
            (std::vector<CommandId>{CommandId::Load, CommandId::Add, CommandId::Apply, CommandId::Delete,
                                    CommandId::QuickPick, CommandId::Clear}));
  EXPECT_STREQ(CommandFor(CommandId::Delete).code, "ZUN User DBase Builder 001004");
  EXPECT_STREQ(CommandFor(CommandId::QuickPick).code, "ZUN User DBase Builder 001005");
  EXPECT_STREQ(CommandFor(CommandId::ApplySort).code, "ZUN DBaseBuilder 008015");
  for (const Command& command : Commands()) {
    EXPECT_NE(command.enabled, nullptr) << command.caption;
    EXPECT_NE(command.run, nullptr) << command.caption;
    EXPECT_NE(command.failure, nullptr) << command.caption;
  }
}

}  // namespace
}  // namespace zun
