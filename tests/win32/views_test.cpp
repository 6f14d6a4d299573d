// The ball grids, the entry list and the command bar as real windows over
// the host adapter, its ports faked: what they show of the document and
// what they tell the adapter. A test window stands in for the main window and hands
// its children's notifications to the views.

#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/command_states.h"
#include "host/main_layout.h"
#include "list/list_columns.h"
#include "support/adapter_fixture.h"
#include "support/win32_person.h"
#include "support/win32_pixels.h"
#include "support/win32_waits.h"
#include "support/win32_windows.h"
#include "win32/ball_grid.h"
#include "win32/command_bar_view.h"
#include "win32/entry_list_view.h"

namespace zun::win32 {
namespace {

// A top-level window that passes WM_NOTIFY and WM_COMMAND to the views, as
// the main window does.
class ViewHost final : public Window {
 public:
  ViewHost() {
    CreateOfClass("ZUN_TestViewHost", 0, "views", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 640, 480, nullptr);
  }

  std::function<bool(NMHDR*, LRESULT&)> onNotify;
  std::function<bool(WPARAM, LPARAM)> onCommand;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (message == WM_NOTIFY && onNotify && onNotify(reinterpret_cast<NMHDR*>(lParam), result)) return result;
    if (message == WM_COMMAND && onCommand && onCommand(wParam, lParam)) return 0;
    return Default(message, wParam, lParam);
  }
};

struct ViewsFixture : testing::AdapterFixture {
  explicit ViewsFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3))
      : testing::AdapterFixture(std::move(g)) {
    // The views as the main window hands them over; the status and the
    // message pump are recorded.
    windows.handOverViews = [this] { adapter.SetViews(Views{&list, &grids, &views, &bar, &views}); };
    EXPECT_EQ(Start(), 1);

    host->onNotify = [this](NMHDR* header, LRESULT& result) {
      return list.OnNotify(header, result) || bar.OnNotify(header, result);
    };
    host->onCommand = [this](WPARAM wParam, LPARAM lParam) { return bar.OnCommand(wParam, lParam); };
    grids.Build(host->Handle());
    list.Create(host->Handle());
    list.SetupColumns();
    bar.Create(host->Handle());
  }

  const Lotto_Numbers_Framework& Set(int32_t index) const { return game->PlaySets[index]; }
  GridCell CellOf(int32_t set, int32_t number) const { return *CellOfBall(Set(set), number); }

  // Adds an entry of six numbers of set 0 through the Add command.
  void AddEntry(std::initializer_list<int32_t> numbers) {
    Pick(0, numbers);
    adapter.Execute(CommandId::Add);
    adapter.Execute(CommandId::Clear);
  }

  void ClickCell(const BallGrid& grid, GridCell cell, int dx = 8, int dy = 8) {
    const Box box = CellBox(cell);
    SendMessageA(grid.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(box.left + dx, box.top + dy));
    SendMessageA(grid.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(box.left + dx, box.top + dy));
  }
  void Key(HWND window, WPARAM key) { SendMessageA(window, WM_KEYDOWN, key, 0); }

  WindowPtr<ViewHost> host = MakeWindow<ViewHost>();
  BallGrids grids{adapter};
  EntryListWindow list{adapter};
  CommandBarWindow bar{adapter};
};

// Holds the Ctrl key down for this thread's GetKeyState while it lives.
class CtrlHeld {
 public:
  CtrlHeld() {
    GetKeyboardState(saved_);
    BYTE keys[256];
    std::memcpy(keys, saved_, sizeof keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
  }
  ~CtrlHeld() { SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

// Whether every pixel of the cell has the colour.
bool CellIs(const testing::Picture& picture, GridCell cell, COLORREF colour) {
  const Box box = CellBox(cell);
  return picture.AllOf(RECT{box.left, box.top, box.left + box.width, box.top + box.height}, colour);
}

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGrey = RGB(200, 200, 200);

RECT RectInParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

bool RowSelected(HWND list, int row) {
  return (SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) != 0;
}

bool ButtonEnabled(const CommandBarWindow& bar, CommandId id) {
  return SendMessageA(bar.Handle(), TB_ISBUTTONENABLED, static_cast<WPARAM>(id), 0) != 0;
}

// ---- Cell texts -----------------------------------------------------------------

TEST(BallCellText, NumbersWithoutLabelsShowAtLeastTwoDigits) {
  auto game = hostside::MakeLotto649(1);
  const auto& set = game->PlaySets[0];
  EXPECT_EQ(BallCellText(set, {4, 0}, 5), "05");
  EXPECT_EQ(BallCellText(set, {1, 1}, 12), "12");
  EXPECT_EQ(BallCellText(set, {0, 0}, 100), "100");
}

TEST(BallCellText, NumberLabelsNameTheBallAndAMissingOneFallsBackToTheNumber) {
  auto game = hostside::MakeTwinPool(1);
  const auto& stars = game->PlaySets[1];
  EXPECT_EQ(BallCellText(stars, *CellOfBall(stars, 3), 3), "S03");
  EXPECT_EQ(BallCellText(stars, *CellOfBall(stars, 12), 12), "S12");
  EXPECT_EQ(BallCellText(stars, {0, 0}, 13), "13") << "12 labels: ball 13 has none";
}

TEST(BallCellText, NumberLabelsWinOverRowLabels) {
  auto game = hostside::MakePickThree(1);
  Lotto_Numbers_Framework digits = game->PlaySets[0];
  EXPECT_EQ(BallCellText(digits, {2, 4}, 15), "4") << "row 4 is labelled 4";
  EXPECT_EQ(BallCellText(digits, {2, 40}, 15), "15") << "no label for row 40";
  auto twin = hostside::MakeTwinPool(1);
  digits.Grid.NumberLabels.HasLabels = 1;
  digits.Grid.NumberLabels.Labels = twin->PlaySets[1].Grid.NumberLabels.Labels;
  EXPECT_EQ(BallCellText(digits, {2, 4}, 11), "S11");
}

// ---- Ball grids -----------------------------------------------------------------

TEST(BallGrids, OneGridPerPlaySetWhereTheLayoutPutsIt) {
  ViewsFixture f(hostside::MakeTwinPool(3));
  const std::vector<Box> boxes = LayOutGrids(f.game->PlaySets.span(), f.game->PlayFlag);
  ASSERT_EQ(f.grids.Count(), 2u);
  for (size_t i = 0; i < boxes.size(); ++i) {
    const HWND grid = f.grids.Grid(i).Handle();
    const RECT r = RectInParent(grid);
    EXPECT_EQ(r.left, boxes[i].left);
    EXPECT_EQ(r.top, boxes[i].top);
    EXPECT_EQ(r.right - r.left, GridColumns(f.Set(static_cast<int32_t>(i))) * kBallCellPitch);
    EXPECT_EQ(r.bottom - r.top, GridRows(f.Set(static_cast<int32_t>(i))) * kBallCellPitch);
    EXPECT_EQ(GetParent(grid), f.host->Handle());
    char name[64] = {};
    GetClassNameA(grid, name, sizeof name);
    EXPECT_STREQ(name, kBallGridClassName);
    EXPECT_NE(GetWindowLongA(grid, GWL_STYLE) & WS_TABSTOP, 0);
    EXPECT_EQ(f.grids.Grid(i).SetIndex(), static_cast<int32_t>(i));
  }
}

TEST(BallGrids, BuildingAgainReplacesTheGridsAndFreeDestroysThem) {
  ViewsFixture f;
  const HWND first = f.grids.Grid(0).Handle();
  f.grids.Build(f.host->Handle());
  EXPECT_FALSE(IsWindow(first));
  ASSERT_EQ(f.grids.Count(), 1u);
  const HWND second = f.grids.Grid(0).Handle();
  f.grids.Free();
  EXPECT_EQ(f.grids.Count(), 0u);
  EXPECT_FALSE(IsWindow(second));
}

TEST(BallGrid, AClickChoosesTheBallUnderThePointerAndAnotherUnchoosesIt) {
  ViewsFixture f;
  BallGrid& grid = f.grids.Grid(0);
  const GridCell cell = f.CellOf(0, 23);
  f.ClickCell(grid, cell);
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 23));
  EXPECT_EQ(grid.CurrentCell(), cell);
  EXPECT_EQ(GetFocus(), grid.Handle());
  f.ClickCell(grid, cell, 17, 17);  // the grid lines belong to the cell on their left and above
  EXPECT_FALSE(f.Doc().Choices().IsChosen(0, 23));
}

TEST(BallGrid, ArrowKeysMoveTheCurrentCellAndChooseWhereItLands) {
  ViewsFixture f;
  BallGrid& grid = f.grids.Grid(0);
  f.ClickCell(grid, {0, 0});
  ASSERT_TRUE(f.Doc().Choices().IsChosen(0, 1));
  f.Key(grid.Handle(), VK_RIGHT);
  EXPECT_EQ(grid.CurrentCell(), (GridCell{1, 0}));
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 2));
  f.Key(grid.Handle(), VK_DOWN);
  EXPECT_EQ(grid.CurrentCell(), (GridCell{1, 1}));
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 12));
  f.Key(grid.Handle(), VK_END);
  EXPECT_EQ(grid.CurrentCell(), (GridCell{9, 1}));
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 20));
  f.Key(grid.Handle(), VK_RIGHT);  // the edge: nothing moves, nothing is chosen again
  EXPECT_EQ(grid.CurrentCell(), (GridCell{9, 1}));
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 20));
  f.Key(grid.Handle(), VK_HOME);
  EXPECT_EQ(grid.CurrentCell(), (GridCell{0, 1}));
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 11));
}

TEST(BallGrid, SpaceTogglesTheCurrentCell) {
  ViewsFixture f;
  BallGrid& grid = f.grids.Grid(0);
  f.ClickCell(grid, {2, 0});
  f.Key(grid.Handle(), VK_SPACE);
  EXPECT_FALSE(f.Doc().Choices().IsChosen(0, 3));
  f.Key(grid.Handle(), VK_SPACE);
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 3));
}

TEST(BallGrid, ShortcutKeysRunTheirCommands) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  f.AddEntry({7, 8, 9, 10, 11, 12});
  ASSERT_EQ(f.Doc().List().SelectedCount(), 0);
  CtrlHeld ctrl;
  f.Key(f.grids.Grid(0).Handle(), 'A');
  EXPECT_EQ(f.Doc().List().SelectedCount(), 2) << "Ctrl+A selects all rows";
}

TEST(BallGrid, PaintsChosenBallsRedOthersGreyAndTheLinesInTheShadowColour) {
  ViewsFixture f;
  f.Pick(0, {1, 14});
  const auto picture = testing::Picture::OfClient(f.grids.Grid(0).Handle());
  const Box chosen = CellBox(f.CellOf(0, 14));
  EXPECT_EQ(picture.At(chosen.left + 16, chosen.top + 16), kRed);
  const Box plain = CellBox(f.CellOf(0, 15));
  EXPECT_EQ(picture.At(plain.left + 16, plain.top + 16), kGrey);
  EXPECT_EQ(picture.At(17, 5), GetSysColor(COLOR_BTNSHADOW)) << "the line right of column 0";
  EXPECT_EQ(picture.At(5, 17), GetSysColor(COLOR_BTNSHADOW)) << "the line below row 0";
  EXPECT_FALSE(CellIs(picture, f.CellOf(0, 2), kGrey)) << "a ball's cell shows its number";
  EXPECT_TRUE(CellIs(picture, {9, 4}, kGrey)) << "ball 50 is not in the game: grey, no text";
}

TEST(BallGrid, AMissingGameLeavesTheGridBlankInsteadOfReadingIt) {
  ViewsFixture f;
  f.memory.blocks["ZUN_Mem_Map"].assign(4096, 0);  // the host's game is gone
  BallGrid& grid = f.grids.Grid(0);
  f.ClickCell(grid, {0, 0});
  EXPECT_FALSE(f.Doc().Choices().IsChosen(0, 1));
  const auto picture = testing::Picture::OfClient(grid.Handle());
  EXPECT_EQ(picture.At(8, 8), GetSysColor(COLOR_BTNFACE));
}

// ---- Entry list -----------------------------------------------------------------

TEST(EntryListWindow, ColumnsComeFromTheGame) {
  ViewsFixture f(hostside::MakeTwinPool(3));
  const auto columns = ListColumns(f.game->PlaySets.span());
  const HWND header = reinterpret_cast<HWND>(SendMessageA(f.list.Handle(), LVM_GETHEADER, 0, 0));
  ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(columns.size()));
  for (size_t i = 0; i < columns.size(); ++i) {
    char caption[128] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = caption;
    column.cchTextMax = sizeof caption;
    SendMessageA(f.list.Handle(), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(caption, columns[i].caption);
    EXPECT_EQ(column.cx, columns[i].width);
  }
  f.list.SetupColumns();
  EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(columns.size()))
      << "set up again, not added to";
}

TEST(EntryListWindow, ShowsTheModelsRowsAndTheirTexts) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  f.AddEntry({7, 8, 9, 10, 11, 12});
  ASSERT_EQ(SendMessageA(f.list.Handle(), LVM_GETITEMCOUNT, 0, 0), 2);
  for (int row = 0; row < 2; ++row)
    for (int column = 0; column < 2; ++column) {
      const std::string expected = f.Doc().List().CellText(*f.Doc().Database(), row, column);
      EXPECT_FALSE(expected.empty());
      EXPECT_EQ(testing::ListItemText(f.list.Handle(), row, column), expected);
    }
}

TEST(EntryListWindow, TheModelsSelectionIsPushedIntoTheControl) {
  ViewsFixture f;
  for (int i = 0; i < 3; ++i) f.AddEntry({1 + i, 10, 20, 30, 40, 49});
  f.SelectRow(1);
  f.list.SelectionChanged();
  EXPECT_FALSE(RowSelected(f.list.Handle(), 0));
  EXPECT_TRUE(RowSelected(f.list.Handle(), 1));
  EXPECT_FALSE(RowSelected(f.list.Handle(), 2));
  EXPECT_EQ(f.Doc().List().SelectedCount(), 1) << "pushing does not come back as the user's change";
  f.adapter.Execute(CommandId::SelectAll);
  EXPECT_EQ(SendMessageA(f.list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 3);
  f.adapter.Execute(CommandId::InvertSelection);
  EXPECT_EQ(SendMessageA(f.list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

TEST(EntryListWindow, TheUsersSelectionReachesTheModelAndTheGrids) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  f.AddEntry({7, 8, 9, 10, 11, 12});
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED;
  item.state = LVIS_SELECTED;
  SendMessageA(f.list.Handle(), LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&item));
  EXPECT_TRUE(f.Doc().List().IsRowSelected(1));
  EXPECT_EQ(f.Doc().List().SelectedCount(), 1);
  EXPECT_TRUE(f.Doc().Choices().IsChosen(0, 7)) << "the selected entry shows on the grids";
  item.state = 0;
  SendMessageA(f.list.Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(f.Doc().List().SelectedCount(), 0);
}

TEST(EntryListWindow, ASortKeepsTheSelectedEntrySelectedOnItsNewRow) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  f.AddEntry({7, 8, 9, 10, 11, 12});
  f.SelectRow(0);
  f.list.SelectionChanged();
  NMLISTVIEW click{};
  click.hdr = {f.list.Handle(), kEntryListControlId, LVN_COLUMNCLICK};
  click.iItem = -1;
  click.iSubItem = 0;
  SendMessageA(f.host->Handle(), WM_NOTIFY, kEntryListControlId, reinterpret_cast<LPARAM>(&click));
  ASSERT_EQ(f.Doc().List().SortColumn(), 0);
  ASSERT_FALSE(f.Doc().List().SortAscending()) << "a click on the sort column inverts it";
  EXPECT_EQ(f.Doc().List().EntryAt(1), 0);
  EXPECT_FALSE(RowSelected(f.list.Handle(), 0));
  EXPECT_TRUE(RowSelected(f.list.Handle(), 1)) << "entry 0 now stands on row 1";
}

TEST(EntryListWindow, CtrlLettersRunTheirCommandsAndPlainLettersDoNot) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  f.AddEntry({7, 8, 9, 10, 11, 12});
  NMLVKEYDOWN key{};
  key.hdr = {f.list.Handle(), kEntryListControlId, LVN_KEYDOWN};
  key.wVKey = 'A';
  SendMessageA(f.host->Handle(), WM_NOTIFY, kEntryListControlId, reinterpret_cast<LPARAM>(&key));
  EXPECT_EQ(f.Doc().List().SelectedCount(), 0);
  CtrlHeld ctrl;
  SendMessageA(f.host->Handle(), WM_NOTIFY, kEntryListControlId, reinterpret_cast<LPARAM>(&key));
  EXPECT_EQ(f.Doc().List().SelectedCount(), 2);
  EXPECT_EQ(SendMessageA(f.list.Handle(), LVM_GETSELECTEDCOUNT, 0, 0), 2);
}

TEST(EntryListWindow, TypingFindsNoRow) {
  ViewsFixture f;
  f.AddEntry({1, 2, 3, 4, 5, 6});
  NMLVFINDITEMA find{};
  find.hdr = {f.list.Handle(), kEntryListControlId, LVN_ODFINDITEMA};
  find.iStart = 0;
  EXPECT_EQ(SendMessageA(f.host->Handle(), WM_NOTIFY, kEntryListControlId, reinterpret_cast<LPARAM>(&find)), -1);
}

TEST(EntryListWindow, ColumnWidthsKeepWithinTheirLimitsHoweverTheyAreChanged) {
  ViewsFixture f;
  const HWND list = f.list.Handle();
  const auto width = [&](int column) { return static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, column, 0)); };
  // Through the control, as a program (or a double click on a divider) sets it.
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(10, 0));
  EXPECT_EQ(width(0), 50) << "Seq. is 50 wide";
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(300, 0));
  EXPECT_EQ(width(0), 50);
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(10, 0));
  EXPECT_EQ(width(1), 50) << "a set's column is at least 50 wide";
  SendMessageA(list, LVM_SETCOLUMNWIDTH, 1, MAKELPARAM(400, 0));
  EXPECT_EQ(width(1), 400) << "and has no maximum";

  // Dragged by the user: the divider after "Seq." pulled far to the right.
  const HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
  RECT first{};
  SendMessageA(header, HDM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  const int y = (first.top + first.bottom) / 2;
  SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(first.right - 1, y));
  SendMessageA(header, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(first.right + 120, y));
  SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(first.right + 120, y));
  testing::Pump();
  EXPECT_EQ(width(0), 50) << "Seq. keeps its width when dragged";
}

TEST(EntryListWindow, NewRowsDoNotScrollTheListAway) {
  ViewsFixture f;
  const HWND list = f.list.Handle();
  f.list.Place(0, 0, 400, 200);
  for (int i = 0; i < 40; ++i) f.AddEntry({1, 2, 3, 4, 5, 6 + i % 40});
  ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 40);
  SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  ASSERT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
  // The focus stands on the last row, far below the visible page.
  LVITEMA focus{};
  focus.stateMask = LVIS_FOCUSED;
  focus.state = LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 39, reinterpret_cast<LPARAM>(&focus));
  SendMessageA(list, LVM_ENSUREVISIBLE, 0, FALSE);
  ASSERT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0);
  f.adapter.Execute(CommandId::QuickPick);
  EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 41);
  EXPECT_EQ(SendMessageA(list, LVM_GETTOPINDEX, 0, 0), 0) << "the page the user looks at stays";
}

TEST(EntryListWindow, ShiftF10AndTheMenuKeyOpenThePopupAtTheFocusedRow) {
  ViewsFixture f;
  const HWND list = f.list.Handle();
  f.list.Place(0, 0, 400, 300);
  for (int i = 0; i < 6; ++i) f.AddEntry({1, 2, 3, 4, 5, 6 + i});
  LVITEMA focus{};
  focus.stateMask = LVIS_FOCUSED;
  focus.state = LVIS_FOCUSED;
  SendMessageA(list, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&focus));
  RECT row{};
  row.left = LVIR_BOUNDS;
  ASSERT_TRUE(SendMessageA(list, LVM_GETITEMRECT, 4, reinterpret_cast<LPARAM>(&row)));
  MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&row), 2);

  // What the system sends the focused window for Shift+F10 or the menu key.
  testing::Person watcher({testing::ChooseMenuItem("")});  // looks where it opened, then Escape
  SendMessageA(list, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(list), MAKELPARAM(0xFFFF, 0xFFFF));
  ASSERT_TRUE(watcher.Done()) << "the list's popup menu opens";
  const RECT popup = watcher.At(0).windowRect;
  EXPECT_GE(popup.top, row.top) << "at the focused row, not wherever the pointer is";
  EXPECT_LE(popup.top, row.bottom + 2);
  EXPECT_NEAR(popup.left, row.left, 40);
  EXPECT_EQ(f.Doc().List().RowCount(), 6) << "Escape chose nothing";
}

// ---- Command bar ----------------------------------------------------------------

TEST(CommandBarWindow, OneButtonPerToolCommandInOrderEachOnItsOwnRow) {
  ViewsFixture f;
  const auto commands = ToolButtonCommands();
  ASSERT_EQ(SendMessageA(f.bar.Handle(), TB_BUTTONCOUNT, 0, 0), static_cast<LRESULT>(commands.size()));
  f.bar.Place(0, 0, kCommandBarWidth, 440);  // as wide as the main window makes it
  RECT previous{};
  for (size_t i = 0; i < commands.size(); ++i) {
    TBBUTTON button{};
    SendMessageA(f.bar.Handle(), TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button));
    EXPECT_EQ(button.idCommand, static_cast<int>(commands[i]));
    EXPECT_EQ(button.iBitmap, CommandFor(commands[i]).image);
    // Where the button lies, not how it got there: the wrap flag is not
    // reported back by every tool bar implementation.
    RECT r{};
    ASSERT_TRUE(SendMessageA(f.bar.Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r)));
    if (i > 0) {
      EXPECT_EQ(r.left, previous.left) << "button " << i << " stands in the same column";
      EXPECT_GE(r.top, previous.bottom) << "button " << i << " has a row of its own";
    }
    previous = r;
  }
  const LRESULT size = SendMessageA(f.bar.Handle(), TB_GETBUTTONSIZE, 0, 0);
  EXPECT_EQ(LOWORD(size), kCommandButtonWidth);
  EXPECT_EQ(HIWORD(size), kCommandButtonHeight);
  const auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(f.bar.Handle(), TB_GETIMAGELIST, 0, 0));
  EXPECT_EQ(ImageList_GetImageCount(images), kCommandImageCount);
}

TEST(CommandBarWindow, StartsWithLoadQuickPickAndClearEnabledThenShowsTheAdaptersStates) {
  ViewsFixture f;
  EXPECT_TRUE(ButtonEnabled(f.bar, CommandId::Load));
  EXPECT_FALSE(ButtonEnabled(f.bar, CommandId::Add));
  EXPECT_FALSE(ButtonEnabled(f.bar, CommandId::Apply));
  EXPECT_FALSE(ButtonEnabled(f.bar, CommandId::Delete));
  EXPECT_TRUE(ButtonEnabled(f.bar, CommandId::QuickPick));
  EXPECT_TRUE(ButtonEnabled(f.bar, CommandId::Clear));
  f.Pick(0, {1, 2, 3, 4, 5, 6});
  EXPECT_TRUE(ButtonEnabled(f.bar, CommandId::Add)) << "six balls make a complete pick";
  CommandStates states = InitialCommandStates();
  states[CommandId::QuickPick].enabled = false;
  f.bar.ShowCommandStates(states);
  EXPECT_FALSE(ButtonEnabled(f.bar, CommandId::QuickPick));
  EXPECT_FALSE(ButtonEnabled(f.bar, CommandId::Add));
}

TEST(CommandBarWindow, AClickRunsItsCommandAndOtherWindowsCommandsAreNotTaken) {
  ViewsFixture f;
  f.Pick(0, {1, 2, 3});
  SendMessageA(f.host->Handle(), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(CommandId::Clear), BN_CLICKED),
               reinterpret_cast<LPARAM>(f.bar.Handle()));
  EXPECT_EQ(f.Doc().Choices().ChosenCount(0), 0);
  EXPECT_FALSE(f.bar.OnCommand(MAKEWPARAM(static_cast<WORD>(CommandId::Clear), BN_CLICKED),
                               reinterpret_cast<LPARAM>(f.list.Handle())));
}

TEST(CommandBarWindow, ToolTipsShowTheCommandsHint) {
  ViewsFixture f;
  // The tool bar passes its tip's requests on with the tip as sender; a
  // tool bar that makes its tip only when first needed has none yet.
  HWND tips = reinterpret_cast<HWND>(SendMessageA(f.bar.Handle(), TB_GETTOOLTIPS, 0, 0));
  if (tips == nullptr) tips = f.bar.Handle();
  NMTTDISPINFOA ansi{};
  ansi.hdr = {tips, static_cast<UINT_PTR>(CommandId::Add), TTN_GETDISPINFOA};
  LRESULT result = 1;
  ASSERT_TRUE(f.bar.OnNotify(&ansi.hdr, result));
  EXPECT_STREQ(ansi.lpszText, CommandFor(CommandId::Add).hint);
  NMTTDISPINFOW wide{};
  wide.hdr = {tips, static_cast<UINT_PTR>(CommandId::Delete), TTN_GETDISPINFOW};
  ASSERT_TRUE(f.bar.OnNotify(&wide.hdr, result));
  EXPECT_STREQ(wide.lpszText, L"Delete Entrie(s)");
  NMTTDISPINFOA other{};
  other.hdr = {tips, static_cast<UINT_PTR>(CommandId::SelectAll), TTN_GETDISPINFOA};
  EXPECT_FALSE(f.bar.OnNotify(&other.hdr, result)) << "not a tool button";
}

}  // namespace
}  // namespace zun::win32
