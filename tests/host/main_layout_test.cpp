#include "host/main_layout.h"

#include <gtest/gtest.h>

namespace zun {
namespace {

TEST(MainLayout, FramesStandLeftToRightAboveTheStatusPanelAndProgressBar) {
  const MainLayout layout = LayOutMainWindow(770, 350, 150);
  EXPECT_EQ(layout.progressBar, (Box{0, 334, 770, 16}));
  EXPECT_EQ(layout.statusPanel, (Box{0, 309, 770, 25}));
  EXPECT_EQ(layout.buttons, (Box{0, 0, 104, 309}));
  EXPECT_EQ(layout.selections, (Box{104, 0, 150, 309}));
  EXPECT_EQ(layout.splitter, (Box{254, 0, 7, 309}));
  EXPECT_EQ(layout.list, (Box{261, 0, 509, 309}));
}

TEST(MainLayout, SelectionWidthKeepsItsMinimumAndLeavesTheListInTheWindow) {
  EXPECT_EQ(LayOutMainWindow(770, 350, 10).selections.width, kMinSelectionWidth);
  const MainLayout wide = LayOutMainWindow(770, 350, 5000);
  EXPECT_EQ(wide.list.width, 0);
  EXPECT_EQ(wide.splitter.left + kSplitterWidth, 770);
  EXPECT_EQ(ClampSelectionWidth(300, 770), 300);
}

}  // namespace
}  // namespace zun
