// A database of three million entries in the real DLL, as a person uses it:
// dropped on the window, sorted by the numbers both ways, the top rows
// deleted, then every other one, saved over its file and read back. In the 32-bit build this is the memory the
// add-on has inside a host's 2 GB.

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "hostside/sample_games.h"
#include "support/user_session.h"

namespace zun {
namespace {

using namespace ::zun::testing;

constexpr int32_t kEntries = 3'000'000;

std::string SetText(const std::vector<int>& numbers) {
  std::string text;
  for (const int n : numbers) {
    char number[8];
    std::snprintf(number, sizeof number, "%02d", n);
    text += (text.empty() ? "" : " - ") + std::string(number);
  }
  return text;
}

TEST_F(UserSession, ThreeMillionEntriesLoadSortDeleteAndSaveInTheWindow) {
  Start();
  const std::string path = folder_ / "three-million.sl5";
  WriteBytes(path, hostside::CombinationsSl5(environment_.Game(), kEntries));
  ASSERT_EQ(Drop({path}), 1);
  ASSERT_EQ(PublishedCount(), kEntries);
  ASSERT_EQ(Rows(), kEntries);
  const std::vector<int> last = PublishedNumbers(kEntries - 1);

  ClickHeader(1);
  EXPECT_EQ(Text(0, 1), "01 - 02 - 03 - 04 - 05 - 06");
  ClickHeader(1);
  EXPECT_EQ(Text(0, 1), SetText(last)) << "descending: the last combination on top";
  EXPECT_EQ(Text(0, 0), std::to_string(kEntries));

  // The ten top rows selected (a click, a Shift+click), deleted, confirmed.
  const std::vector<int> eleventh = PublishedNumbers(kEntries - 11);
  ClickRow(0);
  {
    KeyHeld shift(VK_SHIFT);
    ClickRow(9);
  }
  ASSERT_TRUE(DeleteWithYes());
  constexpr int32_t kLeft = kEntries - 10;
  ASSERT_EQ(PublishedCount(), kLeft);
  ASSERT_EQ(Rows(), kLeft);
  EXPECT_EQ(Text(0, 1), SetText(eleventh)) << "the eleventh row is on top";
  EXPECT_EQ(PublishedNumbers(kLeft - 1), eleventh);

  // Then half of them: Select Even (painted from the document's
  // selection, not pushed to the control row by row), deleted, confirmed.
  const std::vector<int> third = PublishedNumbers(2);
  const std::vector<int> lastKept = PublishedNumbers(kLeft - 2);  // Seq. 2,999,989
  SetFocus(list_);
  PressKeys({'E'}, true);
  WaitForIdle();
  EXPECT_FALSE(Selected(Rows() - 1)) << "Seq. 1";
  EXPECT_TRUE(Selected(Rows() - 2)) << "Seq. 2";
  ASSERT_TRUE(DeleteWithYes());
  constexpr int32_t kHalf = kLeft / 2;
  ASSERT_EQ(PublishedCount(), kHalf);
  ASSERT_EQ(Rows(), kHalf);
  EXPECT_EQ(PublishedNumbers(1), third);

  // Ctrl+S writes the file it was loaded from, without a dialog.
  SetFocus(list_);
  PressKeys({'S'}, true);
  WaitForIdle();
  EXPECT_EQ(Addon().CanClose(), 1) << "saved: nothing to ask";
  TZUN_User_Lotto_DBase read;
  ASSERT_TRUE(ParseSl5(read, ReadBytes(path), false, "three-million.sl5"));
  ASSERT_EQ(read.Entries.size(), kHalf);
  EXPECT_EQ(Numbers(read.Entries[0]), PublishedNumbers(0));
  EXPECT_EQ(Numbers(read.Entries[kHalf - 1]), lastKept);
}

}  // namespace
}  // namespace zun
