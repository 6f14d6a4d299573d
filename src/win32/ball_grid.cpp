#include "win32/ball_grid.h"

#include <windowsx.h>

#include <algorithm>
#include <optional>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "core/command_table.h"
#include "core/host_adapter.h"
#include "model/entry_text.h"
#include "win32/panel.h"
#include "win32/scoped.h"
#include "win32/shortcut_keys.h"

namespace zun::win32 {
namespace {

constexpr COLORREF kChosenColour = RGB(255, 0, 0);
constexpr COLORREF kCellColour = RGB(200, 200, 200);

// The cells a rectangle of the client area touches, clamped to the grid;
// empty (last < first) when it touches none.
struct CellRange {
  int32_t firstColumn = 0;
  int32_t lastColumn = -1;
  int32_t firstRow = 0;
  int32_t lastRow = -1;

  bool Empty() const { return lastColumn < firstColumn || lastRow < firstRow; }
  bool Holds(GridCell cell) const {
    return cell.column >= firstColumn && cell.column <= lastColumn && cell.row >= firstRow && cell.row <= lastRow;
  }
};

CellRange CellsIn(const RECT& area, int32_t columns, int32_t rows) {
  CellRange range;
  if (area.right <= 0 || area.bottom <= 0) return range;
  range.firstColumn = std::max<int32_t>(0, area.left / kBallCellPitch);
  range.firstRow = std::max<int32_t>(0, area.top / kBallCellPitch);
  range.lastColumn = std::min<int32_t>(columns - 1, (area.right - 1) / kBallCellPitch);
  range.lastRow = std::min<int32_t>(rows - 1, (area.bottom - 1) / kBallCellPitch);
  return range;
}

RECT CellRect(GridCell cell) {
  const Box box = CellBox(cell);
  return RECT{box.left, box.top, box.left + box.width, box.top + box.height};
}

// Label `index` (0-based) of a labels array, if the array holds it.
bool LabelAt(const HostArray<Label>& labels, int64_t index, std::string& text) {
  if (index < 0 || index >= labels.size()) return false;
  text = labels[static_cast<int32_t>(index)].view();
  return true;
}

// The 1-pixel lines right of and below each cell of the range.
void DrawGridLines(HDC dc, const CellRange& range) {
  const HBRUSH lines = GetSysColorBrush(COLOR_BTNSHADOW);
  const int top = range.firstRow * kBallCellPitch;
  const int bottom = (range.lastRow + 1) * kBallCellPitch;
  const int left = range.firstColumn * kBallCellPitch;
  const int right = (range.lastColumn + 1) * kBallCellPitch;
  for (int32_t c = range.firstColumn; c <= range.lastColumn; ++c) {
    const RECT line{c * kBallCellPitch + kBallCellSize, top, c * kBallCellPitch + kBallCellPitch, bottom};
    FillRect(dc, &line, lines);
  }
  for (int32_t r = range.firstRow; r <= range.lastRow; ++r) {
    const RECT line{left, r * kBallCellPitch + kBallCellSize, right, r * kBallCellPitch + kBallCellPitch};
    FillRect(dc, &line, lines);
  }
}

// The brushes of a paint: a chosen ball's and any other cell's.
struct CellBrushes {
  UniqueGdiObject chosen{CreateSolidBrush(kChosenColour)};
  UniqueGdiObject plain{CreateSolidBrush(kCellColour)};
};

void DrawCell(HDC dc, const Lotto_Numbers_Framework& set, const BallChoices& choices, int32_t setIndex,
              GridCell cell, const CellBrushes& brushes) {
  const OperationScope operation(codes::kDrawBallCell);
  const RECT rect = CellRect(cell);
  const std::optional<int32_t> ball = BallInCell(set, cell);
  const bool chosen = ball && choices.IsChosen(setIndex, *ball);
  EnterOperation(codes::kPaintCell);
  FillRect(dc, &rect, static_cast<HBRUSH>(chosen ? brushes.chosen.get() : brushes.plain.get()));
  if (!ball) return;  // an empty cell shows no text, whatever labels the set has
  const std::string text = BallCellText(set, cell, *ball);
  ExtTextOutA(dc, rect.left + 2, rect.top + 1, ETO_CLIPPED, &rect, text.data(), static_cast<UINT>(text.size()),
              nullptr);
}

}  // namespace

std::string BallCellText(const Lotto_Numbers_Framework& set, GridCell cell, int32_t number) {
  const Selection_Grid_Framework& grid = set.Grid;
  std::string text;
  bool labelled = false;
  if (grid.NumberLabels.LabelsOn())
    labelled = LabelAt(grid.NumberLabels.Labels, int64_t{number} - 1, text);
  else if (grid.Rows.LabelsOn())
    labelled = LabelAt(grid.Rows.Labels, cell.row, text);
  else if (grid.Columns.LabelsOn())
    labelled = LabelAt(grid.Columns.Labels, cell.column, text);
  if (!labelled) {
    text.clear();
    AppendPlainNumber(text, number);
  }
  return text;
}

// ---- BallGrid ---------------------------------------------------------------

BallGrid::BallGrid(HostAdapter& adapter, int32_t set, HWND panel, const Box& box) : adapter_(adapter), set_(set) {
  // Every pixel is painted, so the class needs no background brush.
  CreateOfClass(kBallGridClassName, 0, nullptr, WS_CHILD | WS_VISIBLE | WS_TABSTOP, box.left, box.top, box.width,
                box.height, panel, nullptr, LoadCursor(nullptr, IDC_HAND));
}

const Lotto_Numbers_Framework* BallGrid::Set() const {
  const TZUN_Lotto_DBase* game = adapter_.Doc().Game();
  if (game == nullptr || !game->PlaySets.contains(set_)) return nullptr;
  return &game->PlaySets[set_];
}

LRESULT BallGrid::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_PRINTCLIENT:
      PrintClient(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_LBUTTONDOWN:
      OnLeftButtonDown(lParam);
      return 0;
    case WM_KEYDOWN:
      OnKeyDown(wParam);
      return 0;
    case WM_SETFOCUS:
      OnFocusChange(true);
      return 0;
    case WM_KILLFOCUS:
      OnFocusChange(false);
      return 0;
    default:
      return Default(message, wParam, lParam);
  }
}

void BallGrid::OnPaint() {
  PaintContext paint(Handle());
  const RECT& area = paint.area();
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // Only the area to paint is buffered: a grid can be far larger than it.
  UniqueMemoryDc memory(CreateCompatibleDC(paint.dc()));
  UniqueGdiObject bitmap(memory ? CreateCompatibleBitmap(paint.dc(), width, height) : nullptr);
  if (!bitmap) {
    DrawGrid(paint.dc(), area);  // out of GDI memory: paint directly rather than not at all
    return;
  }
  SelectedObject selected(memory.get(), bitmap.get());
  SetWindowOrgEx(memory.get(), area.left, area.top, nullptr);
  DrawGrid(memory.get(), area);
  BitBlt(paint.dc(), area.left, area.top, width, height, memory.get(), area.left, area.top, SRCCOPY);
}

void BallGrid::PrintClient(HDC dc) const {
  RECT area{};
  GetClientRect(Handle(), &area);
  DrawGrid(dc, area);
}

void BallGrid::DrawGrid(HDC dc, const RECT& area) const {
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  const Lotto_Numbers_Framework* set = Set();
  if (set == nullptr) return;
  const CellRange range = CellsIn(area, GridColumns(*set), GridRows(*set));
  if (range.Empty()) return;
  DrawGridLines(dc, range);

  const CellBrushes brushes;
  SelectedObject font(dc, AddonFont());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  const BallChoices& choices = adapter_.Doc().Choices();
  for (int32_t r = range.firstRow; r <= range.lastRow; ++r)
    for (int32_t c = range.firstColumn; c <= range.lastColumn; ++c) DrawCell(dc, *set, choices, set_, {c, r}, brushes);

  if (focused_ && range.Holds(current_)) {
    const RECT focus = CellRect(current_);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    DrawFocusRect(dc, &focus);
  }
}

void BallGrid::OnLeftButtonDown(LPARAM lParam) {
  SetFocus(Handle());
  const Lotto_Numbers_Framework* set = Set();
  if (set == nullptr) return;
  if (const std::optional<GridCell> cell = CellAtPoint(*set, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)))
    MoveTo(*cell);
}

void BallGrid::OnKeyDown(WPARAM key) {
  GridCell cell = current_;
  if (CellAfterKey(key, cell)) {
    MoveTo(cell);
    return;
  }
  if (key == VK_SPACE) {
    if (Set() != nullptr) adapter_.BallCellChosen(set_, current_);
    return;
  }
  if (const Command* command = CommandForShortcut(PressedShortcut(key))) adapter_.Execute(command->id);
}

bool BallGrid::CellAfterKey(WPARAM key, GridCell& cell) const {
  const Lotto_Numbers_Framework* set = Set();
  if (set == nullptr) return false;
  const int32_t columns = GridColumns(*set);
  const int32_t rows = GridRows(*set);
  if (columns == 0 || rows == 0) return false;
  // A current cell left outside by a smaller grid starts again from the corner.
  GridCell next{std::min(current_.column, columns - 1), std::min(current_.row, rows - 1)};
  switch (key) {
    case VK_LEFT: next.column = std::max(next.column - 1, 0); break;
    case VK_RIGHT: next.column = std::min(next.column + 1, columns - 1); break;
    case VK_UP: next.row = std::max(next.row - 1, 0); break;
    case VK_DOWN: next.row = std::min(next.row + 1, rows - 1); break;
    case VK_HOME: next.column = 0; break;
    case VK_END: next.column = columns - 1; break;
    default: return false;
  }
  if (next == current_) return false;  // at the edge: nothing moves, nothing is chosen
  cell = next;
  return true;
}

void BallGrid::MoveTo(GridCell cell) {
  InvalidateCell(current_);
  current_ = cell;
  InvalidateCell(current_);
  adapter_.BallCellChosen(set_, cell);
}

void BallGrid::InvalidateCell(GridCell cell) const {
  const RECT rect = CellRect(cell);
  InvalidateRect(Handle(), &rect, FALSE);
}

void BallGrid::OnFocusChange(bool focused) {
  focused_ = focused;
  InvalidateCell(current_);
}

// ---- BallGrids --------------------------------------------------------------

void BallGrids::Build(HWND panel) {
  Free();
  const OperationScope operation(codes::kBuildBallGrids);
  const TZUN_Lotto_DBase* game = adapter_.Doc().Game();
  if (game == nullptr) return;
  const std::vector<Box> boxes = LayOutGrids(game->PlaySets.span(), game->PlayFlag);
  grids_.reserve(boxes.size());
  for (size_t i = 0; i < boxes.size(); ++i) {
    grids_.push_back(MakeWindow<BallGrid>(adapter_, static_cast<int32_t>(i), panel, boxes[i]));
    contentWidth_ = std::max(contentWidth_, boxes[i].left + boxes[i].width + kGridMargin);
    contentHeight_ = std::max(contentHeight_, boxes[i].top + boxes[i].height + kGridMargin);
  }
}

void BallGrids::Free() {
  const OperationScope operation(codes::kFreeBallGrids);
  grids_.clear();
  contentWidth_ = 0;
  contentHeight_ = 0;
}

void BallGrids::RepaintGrids() {
  for (const auto& grid : grids_) InvalidateRect(grid->Handle(), nullptr, FALSE);
}

}  // namespace zun::win32
