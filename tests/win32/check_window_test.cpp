// The check against the draws as a person uses it: the window opened by its
// key and by the list's popup, a check of the sample picks against every
// draw read back from the window and compared with the checker's own
// result, the winners selected in the main list, the rows written as a CSV
// file; and a long check that the host keeps working beside, that the
// entries changing make stale, and that Cancel stops.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "analysis/draw_check.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "support/user_session.h"
#include "win32/draw_check_window.h"
#include "win32/window_text.h"

namespace zun {
namespace {

using namespace ::zun::testing;
using win32::CheckControlId;

class CheckSession : public UserSession {
 protected:
  HWND CheckWindow() const { return VisibleTopLevel(win32::kCheckWindowClass); }
  HWND Item(CheckControlId id) const { return GetDlgItem(FindWindowA(win32::kCheckWindowClass, nullptr), id); }
  std::string Summary() const { return win32::WindowText(Item(win32::kSummaryId)); }
  // The window brought forward first, as a person would: Wine may leave it
  // behind its owner after a dialog of the main window closes.
  void ClickItem(CheckControlId id) {
    SetForegroundWindow(CheckWindow());
    BringWindowToTop(CheckWindow());
    RECT r{};
    GetClientRect(Item(id), &r);
    const POINT at = ScreenPoint(Item(id), r.right / 2, r.bottom / 2);
    // The window may still be on its way to the screen: the click waits
    // until the item is what the point shows.
    ASSERT_TRUE(WaitUntil("the item on the screen", [&] { return WindowFromPoint(at) == Item(id); }));
    ClickAt(at);
  }
  // Check, then wait until the result (or the reason there is none) shows.
  void RunCheck() {
    ClickItem(win32::kCheckId);
    ASSERT_TRUE(WaitUntil("the check's result", [&] {
      return IsWindowEnabled(Item(win32::kCheckId)) != FALSE && !Summary().empty();
    }));
    WaitForIdle();
  }
  int ResultRows() const { return static_cast<int>(SendMessageA(Item(win32::kListId), LVM_GETITEMCOUNT, 0, 0)); }
  std::string ResultText(int row, int column) const { return ListItemText(Item(win32::kListId), row, column); }
  std::vector<int> SelectedRows() const {
    std::vector<int> rows;
    for (int row = 0; row < Rows(); ++row)
      if (Selected(row)) rows.push_back(row);
    return rows;
  }
  // What the checker finds for the published entries against every draw.
  DrawCheckResult Expected(DrawCheckInput& input) const {
    input = DrawCheckInput::Make(environment_.Game(), Published(), nullptr, DrawRange::All(environment_.Game()), 0);
    DrawCheckResult result;
    EXPECT_TRUE(RunDrawCheck(input, result));
    return result;
  }
};

TEST_F(CheckSession, TheSamplePicksAreCheckedAgainstEveryDrawAndTheWinnersSelectedAndExported) {
  Start();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ClickRow(0);
  PressKeys({'K'}, true);  // Ctrl+K in the list
  WaitForIdle();
  ASSERT_NE(CheckWindow(), nullptr) << "Ctrl+K opens the window";
  EXPECT_EQ(win32::WindowText(CheckWindow()), "Check Against Draws");
  ClickItem(win32::kAllEntriesId);
  RunCheck();

  DrawCheckInput input;
  const DrawCheckResult expected = Expected(input);
  ASSERT_GT(expected.hits.size(), 0u) << "the sample picks win something in 40 draws";
  EXPECT_EQ(Summary(), expected.Summary(input));
  EXPECT_EQ(Summary().rfind("25 entries checked against 40 draws: ", 0), 0u) << Summary();
  ASSERT_EQ(ResultRows(), static_cast<int>(expected.hits.size()));
  const DrawCheckResult::Hit& first = expected.hits[0];
  EXPECT_EQ(ResultText(0, 0), std::to_string(first.entry + 1));
  EXPECT_EQ(ResultText(0, 2), std::string(environment_.Game().Draws[first.draw].DrawText.view()));
  EXPECT_EQ(ResultText(0, 3), expected.MatchesText(0, 2));
  EXPECT_EQ(ResultText(0, 4), input.prizes.divisions[static_cast<size_t>(first.division)].name);
  SaveGuidePicture(CheckWindow(), "check-window.png");

  // Every entry listed is selected in the main list, and nothing else.
  ClickItem(win32::kSelectWinningId);
  std::vector<int> winners;
  for (const auto& hit : expected.hits)
    if (winners.empty() || winners.back() != hit.entry) winners.push_back(hit.entry);
  EXPECT_EQ(SelectedRows(), winners) << "the rows are in database order here";

  // The rows as a CSV file: a header, then a line per row.
  const std::string path = folder_ / "check.csv";
  {
    Person person({TypeFileName(path)});
    ClickItem(win32::kExportId);
    ASSERT_TRUE(person.Done());
  }
  const auto bytes = ReadBytes(path);
  const std::string csv(bytes.begin(), bytes.end());
  EXPECT_EQ(csv.rfind("\"Entry\";\"Main Numbers_1\";", 0), 0u) << csv.substr(0, 120);
  EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), static_cast<long>(expected.hits.size()) + 1);

  // Esc closes the window; the popup's item opens it again, the result kept.
  PressKeys({VK_ESCAPE});
  WaitForIdle();
  EXPECT_EQ(CheckWindow(), nullptr);
  {
    Person person({ChooseMenuItem("Check Against Draws\x85")});
    RightClickRow(0);
    ASSERT_TRUE(person.Done());
  }
  WaitForIdle();
  ASSERT_NE(CheckWindow(), nullptr) << "the popup opens it";
  EXPECT_EQ(ResultRows(), static_cast<int>(expected.hits.size()));
}

TEST_F(CheckSession, ALongCheckLeavesTheHostWorkingTurnsStaleWhenTheEntriesChangeAndCancelStopsIt) {
  // 100,000 draws and 200,000 entries: twenty billion pairs, far longer than
  // the test lets it run.
  const auto game = hostside::MakeLotto649(100'000);
  const std::string gameFile = folder_ / "Big.dat";
  WriteBytes(gameFile, hostside::WriteGameFile(*game));
  const std::string picks = folder_ / "many.sl5";
  WriteBytes(picks, Sl5Bytes(*hostside::MakeSampleDatabase(*game, 200'000, 5)));
  StartWithGame(gameFile);
  ASSERT_FALSE(HasFatalFailure());
  ASSERT_EQ(Drop({picks}), 1);
  PressKeys({'K'}, true);
  WaitForIdle();
  ASSERT_NE(CheckWindow(), nullptr);
  ClickItem(win32::kCheckId);
  ASSERT_TRUE(WaitUntil("the check running", [&] { return Summary().rfind("Checking", 0) == 0; }));

  // The host's calls are answered meanwhile: a file dropped on it is loaded,
  // and the check that runs now reads entries that are no more.
  {
    DialogClicker append(kMessageDialogClass, "&No");  // not cleared: added to the list
    ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
    ASSERT_TRUE(append.Done());
  }
  EXPECT_EQ(PublishedCount(), 200'025);
  ASSERT_TRUE(
      WaitUntil("the check said stale", [&] { return Summary().find("entries changed") != std::string::npos; }));
  EXPECT_NE(Summary().find("Checking"), std::string::npos) << "still running";

  ClickItem(win32::kCancelId);
  ASSERT_TRUE(WaitUntil("the check stopped", [&] { return IsWindowEnabled(Item(win32::kCheckId)) != FALSE; }));
  EXPECT_NE(Summary().find("The check was cancelled."), std::string::npos) << Summary();
  EXPECT_EQ(ResultRows(), 0);
}

}  // namespace
}  // namespace zun
