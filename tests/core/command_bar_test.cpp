#include "core/command_bar.h"

#include <gtest/gtest.h>

#include "core/command_table.h"

namespace zun {
namespace {

TEST(CommandBar, AddNeedsCompletePicksApplyAndDeleteASelection) {
  // complete picks, selected entries -> add, apply, delete
  struct Case {
    bool complete;
    int32_t selected;
    bool add, apply, remove;
  };
  const Case cases[] = {
      {false, 0, false, false, false},
      {true, 0, true, false, false},
      {false, 1, false, false, true},  // an incomplete pick: Delete only
      {true, 1, true, true, true},
      {true, 7, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "complete " << c.complete << ", selected " << c.selected);
    const ButtonStates states = CommandBarStates(c.complete, c.selected, false);
    EXPECT_EQ(states.add, c.add);
    EXPECT_EQ(states.apply, c.apply);
    EXPECT_EQ(states.remove, c.remove);
    EXPECT_TRUE(states.load);
    EXPECT_TRUE(states.clear);
    EXPECT_TRUE(states.quickPick);
  }
  EXPECT_FALSE(CommandBarStates(true, 1, true).quickPick) << "disabled while a quick pick runs";
}

TEST(CommandBar, TheFileMenuSavesOnlyWhatThereIsAndSavesPlainlyOnlyChanges) {
  EXPECT_EQ(FileMenuStatesFor(false, false, true), (FileMenuStates{false, false}))
      << "an empty list without a file has nothing to save, even when changed";
  EXPECT_EQ(FileMenuStatesFor(true, false, false), (FileMenuStates{false, true}));
  EXPECT_EQ(FileMenuStatesFor(true, false, true), (FileMenuStates{true, true}));
  EXPECT_EQ(FileMenuStatesFor(false, true, false), (FileMenuStates{false, true}));
  EXPECT_EQ(FileMenuStatesFor(false, true, true), (FileMenuStates{true, true}))
      << "all entries deleted from a file: saving writes the empty database";
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
}

}  // namespace
}  // namespace zun
