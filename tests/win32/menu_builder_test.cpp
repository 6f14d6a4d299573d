// The menus as real Windows menus: which items they hold, in which state,
// and what their ids read back as.

#include "win32/menu_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/command_states.h"

namespace zun::win32 {
namespace {

// The menu in one line: captions without their shortcuts, "-" for a
// separator, the state in brackets, a submenu's items in [].
std::string Describe(HMENU menu) {
  std::string out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[128] = {};
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING | MIIM_BITMAP;
    info.dwTypeData = text;
    info.cch = sizeof text;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info)) return out + " ?";
    if (!out.empty()) out += ", ";
    if ((info.fType & MFT_SEPARATOR) != 0) {
      out += "-";
      continue;
    }
    const std::string caption = text;
    out += caption.substr(0, caption.find('\t'));
    if ((info.fState & MFS_DISABLED) != 0) out += " (grey)";
    if ((info.fState & MFS_CHECKED) != 0) out += " (checked)";
    if (info.hbmpItem != nullptr) out += " (picture)";
    if (info.hSubMenu != nullptr) out += " [" + Describe(info.hSubMenu) + "]";
  }
  return out;
}

// What the item at `path` (positions, one per menu level) reads back as.
MenuChoice ChoiceAt(HMENU menu, std::vector<int> path) {
  for (size_t level = 0; level + 1 < path.size(); ++level) menu = GetSubMenu(menu, path[level]);
  return ReadMenuChoice(GetMenuItemID(menu, path.back()));
}

CommandSituation ListWithSelection() {
  CommandSituation s;
  s.rowCount = 4;
  s.selectedCount = 1;
  return s;
}

SendToMenu PeersAndOnePlugin() {
  SendToMenu menu;
  menu.addonItems = {{"Peer", true, 2}, {"Busy peer", false, 5}, {"Out of range", true, 0x800}};
  menu.pluginItems = {{"Tool", true, 0}};
  return menu;
}

TEST(MenuBuilder, ChosenIdsReadBackAsWhatTheyStandFor) {
  using Kind = MenuChoice::Kind;
  struct Case {
    UINT id;
    MenuChoice choice;
  };
  const Case cases[] = {
      {0, {}},
      {1, {Kind::Command, CommandId::Load, 0}},
      {static_cast<UINT>(kCommandIdLimit - 1), {Kind::Command, CommandId::SelectDuplicates, 0}},
      {static_cast<UINT>(kCommandIdLimit), {}},
      {kReopenMenuFirstId, {Kind::Reopen, CommandId{}, 0}},
      {kReopenMenuFirstId + kRecentFileCount - 1, {Kind::Reopen, CommandId{}, kRecentFileCount - 1}},
      {kReopenMenuFirstId + kRecentFileCount, {}},
      {kSendToAddonFirstId + kSendToIdRange - 1, {Kind::SendToAddon, CommandId{}, 0x7FF}},
      {kSendToPluginFirstId, {Kind::SendToPlugin, CommandId{}, 0}},
      {kSendToPluginFirstId + kSendToIdRange, {}},
  };
  for (const Case& c : cases) EXPECT_TRUE(ReadMenuChoice(c.id) == c.choice) << std::hex << c.id;
}

TEST(MenuBuilder, TheListPopupAppliesTheStatesAndPlacesSendToAfterTheFirstSeparator) {
  CommandSituation withHistory = ListWithSelection();
  withHistory.undoName = "Delete 512 Entries";
  const UniqueMenu menu = BuildListPopup(CommandStatesFor(withHistory), PeersAndOnePlugin());
  EXPECT_EQ(Describe(menu.get()),
            "Select All, Select Even, Select Odd, Invert Selection, -, "
            "Send To [Peer, Busy peer (grey), -, Plugin [Tool]], Save to HTML File (grey), -, Export to *.csv, "
            "-, Undo Delete 512 Entries, Redo (grey), -, Cut, Copy, Paste, -, Check Against Draws\x85, Select Duplicates");
  EXPECT_TRUE(ChoiceAt(menu.get(), {0}) == (MenuChoice{MenuChoice::Kind::Command, CommandId::SelectAll, 0}));
  EXPECT_TRUE(ChoiceAt(menu.get(), {5, 0}) == (MenuChoice{MenuChoice::Kind::SendToAddon, CommandId{}, 2}));
  EXPECT_TRUE(ChoiceAt(menu.get(), {5, 3, 0}) == (MenuChoice{MenuChoice::Kind::SendToPlugin, CommandId{}, 0}));

  CommandSituation sorted = ListWithSelection();
  sorted.selectedCount = 0;
  sorted.naturalOrder = false;
  CommandStates states = CommandStatesFor(sorted);
  states[CommandId::SelectOdd].checked = true;
  const UniqueMenu other = BuildListPopup(states, SendToMenu{});
  EXPECT_EQ(Describe(other.get()),
            "Select All, Select Even, Select Odd (checked), Invert Selection, -, Send To (grey) [Plugin []], "
            "Save to HTML File (grey), Apply Sort, -, Export to *.csv, -, Undo (grey), Redo (grey), -, Cut (grey), "
            "Copy (grey), Paste, -, Check Against Draws\x85, Select Duplicates");
  EXPECT_EQ(Describe(BuildListPopup(CommandStatesFor(CommandSituation{}), SendToMenu{}).get()),
            "Select All (grey), Select Even (grey), Select Odd (grey), Invert Selection (grey), -, "
            "Send To (grey) [Plugin []], Save to HTML File (grey), -, Export to *.csv (grey), -, Undo (grey), "
            "Redo (grey), -, Cut (grey), Copy (grey), Paste, -, Check Against Draws\x85 (grey), Select Duplicates (grey)");
  // A current file emptied of rows: the file menu still exports it, but the
  // popup's items grey with the empty list.
  CommandSituation emptiedFile;
  emptiedFile.currentFile = true;
  EXPECT_EQ(Describe(BuildListPopup(CommandStatesFor(emptiedFile), SendToMenu{}).get()),
            "Select All (grey), Select Even (grey), Select Odd (grey), Invert Selection (grey), -, "
            "Send To (grey) [Plugin []], Save to HTML File (grey), -, Export to *.csv (grey), -, Undo (grey), "
            "Redo (grey), -, Cut (grey), Copy (grey), Paste, -, Check Against Draws\x85 (grey), Select Duplicates (grey)");
}

TEST(MenuBuilder, TheFileMenuHandsOverTheReopenSubmenuWithItsRecentFiles) {
  CommandSituation s;
  s.currentFile = true;
  s.recentFiles = true;
  const ReopenMenuItem recent[] = {{0, "a.sl5", true, true, -1}, {3, "gone.sl5", false, false, kMissingFileImage}};
  // A system picture stands for the missing file's.
  const HBITMAP picture = HBMMENU_POPUP_CLOSE;
  const UniqueMenu menu = BuildFileMenu(CommandStatesFor(s), recent, picture);
  EXPECT_EQ(Describe(menu.get()),
            "New SL5 DBase, -, Load SL5 DBase, Reopen [a.sl5, gone.sl5 (grey) (picture)], Save SL5 DBase (grey), "
            "Save SL5 DBase As, -, Save to HTML File (grey), Export to *.csv, -, Import from *.csv\x85");
  EXPECT_TRUE(ChoiceAt(menu.get(), {3, 1}) == (MenuChoice{MenuChoice::Kind::Reopen, CommandId{}, 3}));
  EXPECT_TRUE(ChoiceAt(menu.get(), {4}) == (MenuChoice{MenuChoice::Kind::Command, CommandId::Save, 0}));

  EXPECT_EQ(Describe(BuildFileMenu(CommandStatesFor(CommandSituation{}), {}, nullptr).get()),
            "New SL5 DBase, -, Load SL5 DBase, Reopen (grey) [], Save SL5 DBase (grey), Save SL5 DBase As (grey), "
            "-, Save to HTML File (grey), Export to *.csv (grey), -, Import from *.csv\x85");
}

}  // namespace
}  // namespace zun::win32
