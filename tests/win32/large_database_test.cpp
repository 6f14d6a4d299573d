// A database of three million entries in the real DLL, as a person uses it:
// dropped on the window, sorted by the numbers both ways, half of it
// deleted, saved and read back. In the 32-bit build this is the memory the
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

  // The lower half of the rows selected as a person does it (a click in the
  // middle, Shift+End: one range), then deleted, confirmed.
  ClickRow(kEntries / 2);
  {
    KeyHeld shift(VK_SHIFT);
    PressKeys({VK_END});
  }
  WaitForIdle();
  {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    SetFocus(list_);
    PressKeys({VK_DELETE});
    WaitForIdle();
    ASSERT_TRUE(yes.Done());
  }
  ASSERT_EQ(PublishedCount(), kEntries / 2);
  ASSERT_EQ(Rows(), kEntries / 2);
  EXPECT_EQ(Text(0, 1), SetText(last)) << "the rows above the click stay";
  // Descending rows kept: the entries from the middle of the file to its end.
  EXPECT_EQ(PublishedNumbers(kEntries / 2 - 1), last);

  const std::string saved = folder_ / "half.sl5";
  {
    Person person({ChooseMenuItem("Save SL5 DBase As"), TypeFileName(saved)});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
  }
  const std::vector<std::vector<int>> entries = SavedEntries(saved);
  ASSERT_EQ(entries.size(), size_t{kEntries / 2});
  EXPECT_EQ(entries.front(), PublishedNumbers(0));
  EXPECT_EQ(entries.back(), PublishedNumbers(kEntries / 2 - 1));
  EXPECT_EQ(entries.back(), last);
}

}  // namespace
}  // namespace zun
