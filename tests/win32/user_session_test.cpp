// The add-on used as a person uses it (support/user_session.h): the grids,
// the list, files, the history and the clipboard, exchanges with a peer.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "hostside/sample_games.h"
#include "shell_files_data.h"
#include "support/user_session.h"
#include "win32/ole_drag_drop.h"

namespace zun {
namespace {

using namespace ::zun::testing;  // the shared test harness

// ---- The ball grids ------------------------------------------------------------------------

TEST_F(UserSession, BallsChosenWithTheMouseAndArrowKeysTurnRedAndACompletePickEnablesAdd) {
  Start();
  EXPECT_EQ(ButtonStates(), "100011") << "Load, Quick Pick and Clear at first";

  // Ball 5 shows "05": its cell is a grey cell with "05" written in the
  // window's font at 2, 1, as the grids write a ball's text, not "5".
  const HFONT font = reinterpret_cast<HFONT>(SendMessageA(list_, WM_GETFONT, 0, 0));
  ASSERT_NE(font, nullptr);
  const auto drawn = [font](const char* text) {
    return Picture::OfText(text, font, {kCellSize, kCellSize}, {2, 1}, kGrey);
  };
  const Picture shown = BallOnScreen(5);
  EXPECT_EQ(shown.MostCommon(), kGrey);
  ASSERT_GT(InkDifference(drawn("05"), drawn("5")), 0);
  EXPECT_LE(InkDifference(shown, drawn("05")), 2);
  EXPECT_GT(InkDifference(shown, drawn("5")), 4) << "the number has a leading zero";

  PickBalls({5, 12, 23, 34, 45});
  for (int n : {5, 12, 23, 34, 45}) EXPECT_EQ(BallColour(n), kRed) << "ball " << n;
  EXPECT_EQ(BallColour(6), kGrey);
  EXPECT_EQ(BallColour(46), kGrey);
  EXPECT_FALSE(Enabled(CommandId::Add)) << "five of six";

  // The grid holds the focus and its current cell is ball 45: the arrow
  // keys move it and choose where it lands.
  PressKeys({VK_RIGHT});
  WaitForIdle();
  EXPECT_EQ(BallColour(46), kRed) << "Right moved onto 46 and chose it";
  EXPECT_EQ(ButtonStates(), "110011") << "six of six: Add";
  PressKeys({VK_UP});
  WaitForIdle();
  EXPECT_EQ(BallColour(36), kGrey) << "a seventh ball is not taken";
  EXPECT_TRUE(Enabled(CommandId::Add));

  ClickBall(12);
  EXPECT_EQ(BallColour(12), kGrey) << "a chosen ball clicked again is freed";
  EXPECT_FALSE(Enabled(CommandId::Add));
  ClickBall(7);
  EXPECT_EQ(BallColour(7), kRed) << "and the freed place takes another";
  EXPECT_TRUE(Enabled(CommandId::Add));
  EXPECT_EQ(PublishedCount(), 0) << "picking stores nothing";

  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{5, 7, 23, 34, 45, 46})) << "stored ascending";
  EXPECT_EQ(PublishedSource(0), "");
  ASSERT_EQ(Rows(), 1);
  EXPECT_EQ(Text(0, 0), "1");
  EXPECT_EQ(Text(0, 1), "05 - 07 - 23 - 34 - 45 - 46");
  EXPECT_EQ(ButtonStates(), "110011") << "the picks stay after Add; nothing is selected";

  ClickButton(CommandId::Clear);
  EXPECT_EQ(BallColour(5), kGrey);
  EXPECT_EQ(BallColour(46), kGrey);
  EXPECT_EQ(ButtonStates(), "100011");
  EXPECT_EQ(PublishedCount(), 1);
}

// ---- The list --------------------------------------------------------------------------------

TEST_F(UserSession, HeaderClicksSortTheRowsAndApplySortMakesTheShownOrderTheDatabaseOrder) {
  Start();
  const std::vector<int> a{20, 21, 22, 23, 24, 25}, b{1, 2, 3, 4, 5, 6}, c{40, 41, 42, 43, 44, 45};
  for (const auto& pick : {a, b, c}) {
    for (int n : pick) ClickBall(n);
    ClickButton(CommandId::Add);
    ClickButton(CommandId::Clear);
  }
  ASSERT_EQ(PublishedCount(), 3);
  EXPECT_EQ(Captions(), (std::vector<std::string>{"1", "2", "3"})) << "added rows come at the end";

  const struct {
    int column;
    std::vector<std::string> captions;
    const char* firstRow;
    const char* what;
  } kSorts[] = {
      {0, {"3", "2", "1"}, "40 - 41 - 42 - 43 - 44 - 45", "Seq. again: descending"},
      {0, {"1", "2", "3"}, "20 - 21 - 22 - 23 - 24 - 25", "and ascending again"},
      {1, {"2", "1", "3"}, "01 - 02 - 03 - 04 - 05 - 06", "by the numbers, still ascending"},
      {1, {"3", "1", "2"}, "40 - 41 - 42 - 43 - 44 - 45", "the same header reverses"},
  };
  for (const auto& sort : kSorts) {
    ClickHeader(sort.column);
    EXPECT_EQ(Captions(), sort.captions) << sort.what;
    EXPECT_EQ(Text(0, 1), sort.firstRow) << sort.what;
  }
  EXPECT_EQ(PublishedNumbers(0), a) << "sorting the rows leaves the database alone";

  // One row selected shows its entry on the grid; Apply and Delete come on.
  ClickRow(1);
  EXPECT_TRUE(Selected(1));
  EXPECT_FALSE(Selected(0));
  EXPECT_EQ(BallColour(20), kRed);
  EXPECT_EQ(BallColour(40), kGrey);
  EXPECT_EQ(ButtonStates(), "111111");
  // A second row with Ctrl: both selected, the grid keeps what it shows.
  ClickRow(2, true);
  EXPECT_TRUE(Selected(1));
  EXPECT_TRUE(Selected(2));
  EXPECT_EQ(BallColour(20), kRed);
  EXPECT_EQ(BallColour(1), kGrey);
  EXPECT_TRUE(Enabled(CommandId::Delete));

  {
    Person person({ChooseMenuItem("Apply Sort")});
    RightClickRow(1);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(Captions(), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_EQ(Text(0, 1), "40 - 41 - 42 - 43 - 44 - 45");
  EXPECT_EQ(Text(2, 1), "01 - 02 - 03 - 04 - 05 - 06");
  ASSERT_EQ(PublishedCount(), 3);
  EXPECT_EQ(PublishedNumbers(0), c) << "the shown order is now the database order";
  EXPECT_EQ(PublishedNumbers(1), a);
  EXPECT_EQ(PublishedNumbers(2), b);
  EXPECT_TRUE(Selected(1) && Selected(2)) << "the selected entries stay selected";

  // In natural order the popup offers no Apply Sort.
  Person look({ChooseMenuItem("")});
  RightClickRow(0);
  ASSERT_TRUE(look.Done());
  const auto& states = look.At(0).menuStates;
  EXPECT_TRUE(states.count("Select All"));
  const auto applySort = states.find("Apply Sort");
  EXPECT_TRUE(applySort == states.end() || (applySort->second & MFS_DISABLED) != 0) << "hidden or at least disabled";
}

// ---- The history and the clipboard --------------------------------------------------------

// The system's clipboard as text, in either format.
std::wstring ClipboardUnicode() {
  std::wstring text;
  if (!OpenClipboard(nullptr)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}
bool ClipboardHasAnsiText() {
  if (!OpenClipboard(nullptr)) return false;
  const bool has = GetClipboardData(CF_TEXT) != nullptr;
  CloseClipboard();
  return has;
}
// The owner must be a window: without one the system takes no data.
void PutOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  std::memcpy(GlobalLock(block), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(block);
  SetClipboardData(CF_UNICODETEXT, block);
  CloseClipboard();
}

TEST_F(UserSession, TheHistorysAndTheClipboardsKeysWorkInTheListAndTheGrids) {
  Start();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ASSERT_EQ(PublishedCount(), 25);
  ClickRow(0);
  ClickRow(1, true);
  PressKeys({'C'}, true);  // Ctrl+C in the list
  WaitForIdle();
  const std::wstring copied = ClipboardUnicode();
  EXPECT_EQ(copied.substr(0, 3), L"1	0") << "Seq., then the numbers, tab-separated";
  EXPECT_EQ(std::count(copied.begin(), copied.end(), L'\n'), 2) << "one line per entry";
  EXPECT_TRUE(ClipboardHasAnsiText());

  PressKeys({'V'}, true);  // Ctrl+V appends them
  WaitForIdle();
  ASSERT_EQ(PublishedCount(), 27);
  EXPECT_EQ(PublishedNumbers(25), PublishedNumbers(0));
  EXPECT_EQ(Rows(), 27);

  PressKeys({'Z'}, true);  // Ctrl+Z
  WaitForIdle();
  EXPECT_EQ(PublishedCount(), 25) << "the paste undone";
  {
    const KeyHeld shift(VK_SHIFT);
    PressKeys({'Z'}, true);  // Ctrl+Shift+Z redoes
  }
  WaitForIdle();
  EXPECT_EQ(PublishedCount(), 27);
  PressKeys({'Z'}, true);
  PressKeys({'Y'}, true);  // and Ctrl+Y, typed ahead: the keys run in their order
  WaitForIdle();
  EXPECT_EQ(PublishedCount(), 27);

  // Cut asks nothing (the watchdog would close a question); from the grids
  // the history's keys work too.
  ClickRow(3);
  PressKeys({'X'}, true);
  WaitForIdle();
  EXPECT_EQ(PublishedCount(), 26);
  ClickBall(49);  // the grid takes the focus
  PressKeys({'Z'}, true);
  WaitForIdle();
  EXPECT_EQ(PublishedCount(), 27) << "undone from the grid";
  EXPECT_TRUE(Selected(3)) << "the cut row comes back selected";

  // The popup names the steps; Copy, Cut and Paste stand after them.
  Person look({ChooseMenuItem("")});
  RightClickRow(3);
  ASSERT_TRUE(look.Done());
  const auto& items = look.At(0).menuStates;
  EXPECT_TRUE(items.count("Undo Paste 2 Entries"));
  EXPECT_TRUE(items.count("Redo Cut Entry"));
  for (const char* item : {"Cut", "Copy", "Paste"}) EXPECT_TRUE(items.count(item)) << item;

  // Lines that cannot be entries are reported by number.
  PutOnClipboard(host_, L"1 2 3 4 5 6 mine\r\n1 2 3 4 5 60\r\n");
  DialogClicker report(kMessageDialogClass, "&OK");
  PressKeys({'V'}, true);
  WaitForIdle();  // the report shows while the keys are handled
  ASSERT_TRUE(report.Done());
  EXPECT_NE(report.text.find("Took 1 of 2 lines."), std::string::npos) << report.text;
  EXPECT_NE(report.text.find("line 2: 60 is not a number of Main Numbers"), std::string::npos) << report.text;
  EXPECT_EQ(PublishedCount(), 28);
  EXPECT_EQ(PublishedSource(27), "mine");
}

TEST_F(UserSession, DeleteAsksFirstAndOnlyYesDeletesTheSelectedEntries) {
  Start();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ASSERT_EQ(PublishedCount(), 25);
  const std::vector<int> third = PublishedNumbers(2);
  const std::vector<int> fourth = PublishedNumbers(3);
  EXPECT_EQ(ButtonStates(), "100011");

  // Delete with nothing selected: no question, nothing goes. A question
  // would be shown (and answered) before the key's messages settle.
  {
    Person nobody({Answer("&No")});
    SetFocus(list_);
    PressKeys({VK_DELETE});
    WaitForIdle();
    nobody.Stop();
    EXPECT_EQ(nobody.seen().size(), 0u) << nobody.At(0).caption;
  }
  EXPECT_EQ(PublishedCount(), 25);

  ClickRow(1);
  EXPECT_EQ(ButtonStates(), "111111") << "a selected entry on the grid: Apply and Delete";
  {
    DialogClicker no(kMessageDialogClass, "&No");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(no.Done());
    EXPECT_EQ(no.caption, "Confirm Deletion");
    EXPECT_EQ(no.text, "Are you Sure you want to delete this Entry?");
    EXPECT_EQ(no.buttons, (std::vector<std::string>{"&Yes", "&No"}));
  }
  EXPECT_EQ(PublishedCount(), 25) << "No keeps the entry";
  EXPECT_EQ(Rows(), 25);
  EXPECT_TRUE(Selected(1));

  {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(yes.Done());
  }
  ASSERT_EQ(PublishedCount(), 24) << "Yes deletes it";
  EXPECT_EQ(PublishedNumbers(1), third) << "the later entries move down";
  ASSERT_EQ(Rows(), 24);
  EXPECT_EQ(Text(1, 0), "2") << "and the rows are numbered again";
  EXPECT_EQ(Text(23, 0), "24");
  EXPECT_EQ(ButtonStates(), "100011") << "nothing selected, the grid cleared";

  // Two rows of a list sorted by Seq. descending: the right entries go and
  // the list keeps its order.
  ClickHeader(0);
  ASSERT_EQ(Text(0, 0), "24");
  ClickRow(20);  // Seq. 4: the fifth entry of the file
  ClickRow(23, true);  // Seq. 1
  ASSERT_EQ(Text(20, 0), "4");
  {
    DialogClicker yes(kMessageDialogClass, "&Yes");
    ClickButton(CommandId::Delete);
    ASSERT_TRUE(yes.Done());
    EXPECT_EQ(yes.text, "Are you Sure you want to delete all selected Entries?");
  }
  ASSERT_EQ(PublishedCount(), 22);
  EXPECT_EQ(PublishedNumbers(0), third);
  EXPECT_EQ(PublishedNumbers(1), fourth);
  ASSERT_EQ(Rows(), 22);
  EXPECT_EQ(Text(0, 0), "22") << "still descending";
  EXPECT_EQ(Text(21, 0), "1");
  for (int row = 0; row < Rows(); ++row) EXPECT_FALSE(Selected(row)) << row;
  EXPECT_EQ(ButtonStates(), "100011");
}

// ---- Files ----------------------------------------------------------------------------------

TEST_F(UserSession, ShellDropsLoadOntoAnEmptyListAndAskWhetherToClearAFilledOne) {
  Start();
  const std::string picks = CopyOfPicks("picks.sl5");
  {
    // An empty list is filled without a question.
    Person nobody({Answer("&Yes")});
    EXPECT_EQ(Drop({picks}), 1);
    nobody.Stop();
    EXPECT_EQ(nobody.seen().size(), 0u) << nobody.At(0).caption;
  }
  ASSERT_EQ(PublishedCount(), 25);
  EXPECT_EQ(PublishedSource(0), "picks.sl5");
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{3, 16, 31, 32, 35, 44}));
  EXPECT_EQ(Rows(), 25);
  EXPECT_EQ(Text(24, 1), "01 - 12 - 20 - 23 - 31 - 36");
  EXPECT_EQ(Text(24, 2), "picks.sl5");
  EXPECT_EQ(Addon().CanClose(), 1) << "a loaded file has nothing unsaved";

  {
    Person person({Answer("&No")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Confirm Clear");
    EXPECT_EQ(person.At(0).text, "Clear current List of all Entries");
    EXPECT_EQ(person.At(0).buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
  }
  EXPECT_EQ(PublishedCount(), 50) << "No appends";
  EXPECT_EQ(Rows(), 50);
  EXPECT_EQ(PublishedNumbers(25), PublishedNumbers(0));

  {
    Person person({Answer("&Cancel")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(PublishedCount(), 50) << "Cancel leaves the list alone";

  // Unsaved changes: Yes to clearing asks to save first.
  PickBalls({1, 2, 3, 4, 5, 6});
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 51);
  {
    Person person({Answer("&Yes"), Answer("&No")});
    EXPECT_EQ(Drop({picks}), 1);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(1).caption, "Confirm Save");
    EXPECT_EQ(person.At(1).text, "Your Database have not been saved, Save it Now?");
  }
  EXPECT_EQ(PublishedCount(), 25) << "Yes clears, then loads";
  EXPECT_EQ(Rows(), 25);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{3, 16, 31, 32, 35, 44}));
  EXPECT_EQ(ButtonStates(), "100011") << "a load clears the grid and the selection";
}

TEST_F(UserSession, ShellFilesDraggedOntoTheListWithTheMouseLoadAsAShellDropDoes) {
  Start();
  const std::string picks = CopyOfPicks("picks.sl5");
  // The list takes OLE drops itself, so the shell's drag reaches it as
  // CF_HDROP data rather than as WM_DROPFILES through the host.
  ShellFilesData files({picks});
  // The drag's rules (left button held, Escape cancels) are the offer's.
  auto* rules = new win32::DragOffer(nullptr);

  RECT area{};
  GetClientRect(list_, &area);
  const POINT from = ScreenPoint(host_, 5, 5), to = ScreenPoint(list_, area.right / 2, area.bottom / 2);
  PressMouse(from);
  WaitUntil("the press to reach this thread", [] { return GetKeyState(VK_LBUTTON) < 0; });
  DWORD effect = DROPEFFECT_NONE;
  {
    Hand hand({.from = from, .to = to, .press = false});
    EXPECT_EQ(DoDragDrop(&files, rules, DROPEFFECT_COPY | DROPEFFECT_LINK, &effect), DRAGDROP_S_DROP);
    EXPECT_TRUE(hand.Finish());
  }
  EXPECT_EQ(rules->Release(), 0u);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  WaitForIdle();
  ASSERT_EQ(PublishedCount(), 25) << "an empty list is filled without a question";
  EXPECT_EQ(PublishedSource(0), "picks.sl5");
  EXPECT_EQ(Rows(), 25);
}

TEST_F(UserSession, SaveAsFromTheFileMenuThenNewThenLoadBringsTheEntriesBack) {
  Start();
  PickBalls({11, 12, 13, 14, 15, 16});
  ClickButton(CommandId::Add);
  ClickButton(CommandId::Clear);
  PickBalls({2, 9, 18, 27, 36, 49});
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 2);

  const std::string path = folder_ / "mine.sl5";
  {
    Person person({ChooseMenuItem("Save SL5 DBase As"), TypeFileName(path)});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).menuStates.count("New SL5 DBase"), 1u);
    EXPECT_EQ(person.At(1).caption, "Save to ZUN File (*.sl5)");
  }
  ASSERT_TRUE(Exists(path));
  EXPECT_EQ(SavedEntries(path),
            (std::vector<std::vector<int>>{{11, 12, 13, 14, 15, 16}, {2, 9, 18, 27, 36, 49}}));
  EXPECT_EQ(PublishedSource(0), "mine.sl5") << "saving names the file in every entry";
  EXPECT_EQ(Text(1, 2), "mine.sl5");
  EXPECT_EQ(Addon().CanClose(), 1) << "saved: nothing to ask";

  {
    Person person({ChooseMenuItem("New SL5 DBase")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(PublishedCount(), 0);
  EXPECT_EQ(Rows(), 0);
  EXPECT_EQ(ButtonStates(), "100011");

  {
    Person person({TypeFileName(path)});
    ClickButton(CommandId::Load);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Load ZUN File (*.sl5)");
  }
  ASSERT_EQ(PublishedCount(), 2);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(PublishedNumbers(1), (std::vector<int>{2, 9, 18, 27, 36, 49}));
  EXPECT_EQ(PublishedSource(1), "mine.sl5");
  ASSERT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1, 1), "02 - 09 - 18 - 27 - 36 - 49");
}

TEST_F(UserSession, ReopeningAFileThatIsGoneDoesNothing) {
  const std::string kept = CopyOfPicks("kept.sl5");
  const std::string gone = CopyOfPicks("gone.sl5");
  Setting("Fast Load 1", gone);
  Setting("Fast Load 2", kept);
  Start();

  // Removed before the menu opens: marked as missing, and not offered.
  DeleteFileA(gone.c_str());
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("", [] {}), ChooseMenuItem("")});
    OpenFileMenu();
    person.Done();
    const auto& items = person.At(1).menuStates;
    ASSERT_EQ(items.count("gone.sl5"), 1u);
    ASSERT_EQ(items.count("kept.sl5"), 1u);
    EXPECT_NE(items.at("gone.sl5") & MFS_DISABLED, 0u);
    EXPECT_EQ(items.at("kept.sl5") & MFS_DISABLED, 0u);
    EXPECT_TRUE(person.At(1).menuPictures.at("gone.sl5")) << "the missing-file picture";
    EXPECT_FALSE(person.At(1).menuPictures.at("kept.sl5"));
  }
  // Escape closes one menu level at a time; whatever is still open goes now.
  WaitForIdle();
  for (HWND menu = VisibleTopLevel("#32768"); menu != nullptr; menu = VisibleTopLevel("#32768")) {
    SendMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    WaitForIdle();
    if (menu == VisibleTopLevel("#32768")) break;
  }
  EXPECT_EQ(PublishedCount(), 0);

  // Gone while the menu shows, with an unsaved entry: the save question
  // comes first; then nothing is loaded and the entry stays.
  CopyFileA(kept.c_str(), gone.c_str(), FALSE);
  PickBalls({1, 2, 3, 4, 5, 6});
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("gone.sl5", [&] { DeleteFileA(gone.c_str()); }),
                   Answer("&No")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(2).caption, "Confirm Save");
    EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr) << "no message about the missing file";
  }
  EXPECT_EQ(PublishedCount(), 1);
  EXPECT_EQ(PublishedNumbers(0), (std::vector<int>{1, 2, 3, 4, 5, 6}));
  EXPECT_EQ(Rows(), 1);

  // A recent file that is there loads.
  {
    Person person({ChooseMenuItem("Reopen"), ChooseMenuItem("kept.sl5"), Answer("&No")});
    OpenFileMenu();
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(PublishedCount(), 25);
  EXPECT_EQ(PublishedSource(0), "kept.sl5");
}

// ---- Entries between windows ----------------------------------------------------------------

TEST_F(UserSession, SelectedRowsDraggedOntoThePeerDatabaseArriveThereAndStayHere) {
  Start();
  AnswerAsHost();
  StartPeer();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ASSERT_EQ(Rows(), 25);
  ClickRow(1);
  ClickRow(3, true);
  ClickRow(4, true);
  const std::vector<std::vector<int>> dragged = {PublishedNumbers(1), PublishedNumbers(3), PublishedNumbers(4)};
  const POINT intoPeer = PeerLinePoint(2);

  DragWithMouse({.from = RowPoint(3), .to = intoPeer});
  ASSERT_EQ(PeerCount(), 9) << peer_.Status();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(PeerNumbers(6 + i), dragged[static_cast<size_t>(i)]) << "in display order";
    EXPECT_EQ(PeerSource(6 + i), "picks.sl5");
  }
  EXPECT_EQ(peer_.Status(), "Received 3 entries from \"User Database Builder\"");
  EXPECT_EQ(peer_.Lines().size(), 9u) << "the peer shows what arrived";
  EXPECT_EQ(Record().TransferKind, 2);
  EXPECT_STREQ(Record().TransferName, "ZUN_Mem_Map_UDBase");
  EXPECT_EQ(Record().SourceWindow, reinterpret_cast<HostWindowHandle>(main_));
  EXPECT_EQ(PublishedCount(), 25) << "a drag copies";
  EXPECT_TRUE(Selected(1) && Selected(3) && Selected(4) && !Selected(2)) << "the dragged rows stay selected";
  EXPECT_EQ(roomRequests_, 1);

  // Drags that leave both databases as they are; each started drag asks the host for room once.
  const POINT row3 = RowPoint(3);
  const struct {
    DragMove move;
    int roomRequests;
    const char* what;
  } kNothingTaken[] = {
      {{.from = RowPoint(4), .to = intoPeer, .escapeFirst = true}, 2, "Escape while over the peer"},
      {{.from = row3, .to = RowPoint(12)}, 3, "our own rows dropped back on our own list: refused"},
      {{.from = row3, .to = {row3.x + 10, row3.y + 10}, .dragStarts = false}, 3,
       "short of the drag distance the press stays a click: no drag"},
  };
  for (const auto& drag : kNothingTaken) {
    DragWithMouse(drag.move);
    EXPECT_EQ(roomRequests_, drag.roomRequests) << drag.what;
    EXPECT_EQ(PeerCount(), 9) << drag.what;
    EXPECT_EQ(PublishedCount(), 25) << drag.what;
    EXPECT_EQ(Rows(), 25) << drag.what;
    EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr) << drag.what;
  }
}

TEST_F(UserSession, ThePeersRowsDraggedOntoTheListAreAppendedInItsOrder) {
  Start();
  AnswerAsHost();
  StartPeer();
  ClickAt(PeerLinePoint(2));
  {
    const KeyHeld ctrl(VK_CONTROL);
    Click(PeerLinePoint(5));
  }
  WaitForIdle();
  ASSERT_EQ(SendMessageA(peer_.List(), LB_GETSELCOUNT, 0, 0), 2);

  RECT listArea{};
  GetClientRect(list_, &listArea);
  DragWithMouse({.from = PeerLinePoint(5), .to = ScreenPoint(list_, listArea.right / 2, listArea.bottom / 2)});
  ASSERT_EQ(PublishedCount(), 2);
  EXPECT_EQ(PublishedNumbers(0), PeerNumbers(2));
  EXPECT_EQ(PublishedNumbers(1), PeerNumbers(5));
  EXPECT_EQ(PublishedSource(0), "peer 3");
  EXPECT_EQ(PublishedSource(1), "peer 6");
  EXPECT_EQ(Rows(), 2);
  EXPECT_EQ(Text(1, 2), "peer 6");
  EXPECT_EQ(peer_.Status(), "Dragged 2 entries: taken");
  EXPECT_EQ(PeerCount(), 6);

  // Dropped on the ball grids instead: not a place that takes entries.
  DragWithMouse({.from = PeerLinePoint(5), .to = ScreenPoint(grids_[0], 30, 30)});
  EXPECT_EQ(PublishedCount(), 2);
  EXPECT_EQ(peer_.Status(), "Dragged 2 entries: not taken");
}

TEST_F(UserSession, OffersByMessageOfEachKindAreTakenAsTheirKindSays) {
  Start();
  AnswerAsHost();
  StartPeer();

  // Kind 1: the map is opened and closed, nothing is copied or asked.
  ClickPeerButton(devhost::kOfferReadOnly);
  EXPECT_EQ(PublishedCount(), 0);
  EXPECT_EQ(VisibleTopLevel(kMessageDialogClass), nullptr);
  EXPECT_FALSE(Exists(folder_ / "zun.log")) << "nothing to report";

  ClickPeerButton(devhost::kOfferEntries);
  ASSERT_EQ(PublishedCount(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(PublishedNumbers(i), PeerNumbers(i));
  EXPECT_EQ(Rows(), 6);

  // Kind 3: the file of the offered entries, appended after "No".
  {
    Person person({Answer("&No")});
    ClickPeerButton(devhost::kOfferFile);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(0).caption, "Confirm Clear");
  }
  ASSERT_EQ(PublishedCount(), 12);
  EXPECT_EQ(PublishedNumbers(11), PeerNumbers(5));
  EXPECT_EQ(PublishedSource(11), "peer-offer.sl5");
}

TEST_F(UserSession, SendToThePeerIsPostedWhetherOrNotTheHostMadeRoom) {
  Start();
  AnswerAsHost();
  StartPeer();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ClickRow(0);
  ClickRow(2, true);

  const struct {
    bool refuseRoom;
    const char* status;
    int peerCount;
  } kSends[] = {
      {true, "Received 0 entries from \"User Database Builder\"", 6},  // offered, with no indexes
      {false, "Received 2 entries from \"User Database Builder\"", 8},
  };
  for (const auto& send : kSends) {
    environment_.RefuseIndexRoom(send.refuseRoom);
    Person person({ChooseMenuItem("Send To"), ChooseMenuItem(devhost::kPeerDatabase)});
    RightClickRow(2);
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(peer_.Status(), send.status);
    ASSERT_EQ(PeerCount(), send.peerCount);
  }
  EXPECT_EQ(PeerNumbers(6), PublishedNumbers(0));
  EXPECT_EQ(PeerNumbers(7), PublishedNumbers(2));
  EXPECT_EQ(peer_.Lines().back().substr(0, 3), "8. ");
}

// ---- The host's close ---------------------------------------------------------------------

TEST_F(UserSession, TheHostsCloseOffersToSaveUnsavedEntries) {
  Start();
  PickBalls({7, 14, 21, 28, 35, 42});
  ClickButton(CommandId::Add);
  ASSERT_EQ(PublishedCount(), 1);
  const auto filesNow = folder_.Names();

  // Answers that write nothing: the host may close or not.
  const struct {
    std::vector<Person::Step> answers;
    uint8_t canClose;
    const char* what;
  } kNothingSaved[] = {
      {{Answer("&Cancel")}, 0, "Cancel: the host must not close"},
      {{Answer("&No")}, 1, "No: close without saving"},
      {{Answer("&Yes"), TypeFileName("")}, 0, "Yes with no file yet asks for a name; cancelled, the host stays"},
  };
  for (const auto& close : kNothingSaved) {
    Person person(close.answers);
    EXPECT_EQ(Addon().CanClose(), close.canClose) << close.what;
    ASSERT_TRUE(person.Done()) << close.what;
    EXPECT_EQ(person.At(0).caption, "Confirm Save");
    EXPECT_EQ(person.At(0).text, "Your Database have not been saved, Save it Now?");
    EXPECT_EQ(person.At(0).buttons, (std::vector<std::string>{"&Yes", "&No", "&Cancel"}));
    EXPECT_TRUE(IsWindowVisible(main_));
    EXPECT_EQ(PublishedCount(), 1);
    EXPECT_EQ(folder_.Names(), filesNow) << close.what << ": nothing written";
  }

  const std::string path = folder_ / "closing.sl5";
  {
    Person person({Answer("&Yes"), TypeFileName(path)});
    EXPECT_EQ(Addon().CanClose(), 1) << "Yes: saved, the host may close";
    ASSERT_TRUE(person.Done());
    EXPECT_EQ(person.At(1).caption, "Save to ZUN File (*.sl5)");
  }
  ASSERT_TRUE(Exists(path));
  EXPECT_EQ(SavedEntries(path), (std::vector<std::vector<int>>{{7, 14, 21, 28, 35, 42}}));
  EXPECT_EQ(Addon().CanClose(), 1) << "nothing unsaved now: no question";

  // With a current file, Yes saves there without asking for a name.
  ClickButton(CommandId::Clear);
  PickBalls({1, 10, 20, 30, 40, 49});
  ClickButton(CommandId::Add);
  {
    Person person({Answer("&Yes")});
    EXPECT_EQ(Addon().CanClose(), 1);
    ASSERT_TRUE(person.Done());
  }
  EXPECT_EQ(SavedEntries(path),
            (std::vector<std::vector<int>>{{7, 14, 21, 28, 35, 42}, {1, 10, 20, 30, 40, 49}}));
}

}  // namespace
}  // namespace zun

namespace zun {
namespace {

using namespace ::zun::testing;

// Shift+End: the control reports the rows it selects one by one; the
// document must hold every one of them when Delete comes.
TEST_F(UserSession, ShiftEndSelectsEveryRowBelowForTheDelete) {
  Start();
  ASSERT_EQ(Drop({CopyOfPicks("picks.sl5")}), 1);
  ClickRow(20);
  {
    KeyHeld shift(VK_SHIFT);
    PressKeys({VK_END});
  }
  WaitForIdle();
  ASSERT_TRUE(DeleteWithYes());
  EXPECT_EQ(PublishedCount(), 20) << "rows 21 to 25 went";
}

// Thousands of selected rows are painted from the document's selection;
// clicks and keys still do what they do to any selection.
TEST_F(UserSession, ALargeSelectionIsPaintedAndClicksAndKeysActOnIt) {
  Start();
  const std::string path = folder_ / "five-thousand.sl5";
  WriteBytes(path, hostside::CombinationsSl5(environment_.Game(), 5'000));
  ASSERT_EQ(Drop({path}), 1);
  const auto selectEven = [&] {
    SetFocus(list_);
    PressKeys({'E'}, true);
    WaitForIdle();
  };
  const auto selected = [&](int first, int last) {
    std::string rows;
    for (int row = first; row <= last; ++row) rows += Selected(row) ? '1' : '0';
    return rows;
  };
  selectEven();
  EXPECT_EQ(selected(0, 5), "010101") << "Seq. 2, 4 and 6";
  EXPECT_EQ(selected(4994, 4999), "010101");
  EXPECT_EQ(SendMessageA(list_, LVM_GETSELECTEDCOUNT, 0, 0), 2'500);
  ClickRow(2, true);  // Ctrl+click adds a row
  ClickRow(3, true);  // and takes one away
  EXPECT_EQ(selected(0, 5), "011001");
  ClickRow(8);  // a row not selected: that row alone
  EXPECT_EQ(selected(6, 10), "00100");
  EXPECT_EQ(SendMessageA(list_, LVM_GETSELECTEDCOUNT, 0, 0), 1);
  selectEven();
  ClickRow(5);  // a selected row, released without a drag: that row alone
  EXPECT_EQ(selected(0, 6), "0000010");
  selectEven();
  PressKeys({VK_DOWN});  // the focus moves from row 5 and selects row 6 alone
  WaitForIdle();
  EXPECT_EQ(selected(4, 7), "0010");
  selectEven();
  {
    KeyHeld shift(VK_SHIFT);
    ClickRow(9);  // from row 6, the row the selection last began at, to row 9
  }
  EXPECT_EQ(selected(5, 10), "011110");
  selectEven();
  ASSERT_TRUE(DeleteWithYes());
  EXPECT_EQ(PublishedCount(), 2'500);
  EXPECT_EQ(PublishedNumbers(1), (std::vector<int>{1, 2, 3, 4, 5, 8})) << "the third entry is second";
}

}  // namespace
}  // namespace zun
