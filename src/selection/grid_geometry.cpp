#include "selection/grid_geometry.h"

#include <algorithm>
#include <limits>

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {
namespace {

int32_t ClampedCount(int32_t count) noexcept { return std::clamp<int32_t>(count, 0, kMaxGridCells); }

// Pixel positions summed over many grids can pass int; the panel never
// needs more than int can hold, so they saturate.
int Saturated(int64_t value) noexcept {
  return static_cast<int>(std::clamp<int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

}  // namespace

int32_t GridColumns(const Lotto_Numbers_Framework& set) noexcept { return ClampedCount(set.Grid.Columns.Count); }
int32_t GridRows(const Lotto_Numbers_Framework& set) noexcept { return ClampedCount(set.Grid.Rows.Count); }

int32_t LowestBall(const Lotto_Numbers_Framework& set) noexcept {
  return std::max(set.LowestNumber, kLowestStorableBall);
}
int32_t HighestBall(const Lotto_Numbers_Framework& set) noexcept {
  return std::min(set.HighestNumber, kHighestStorableBall);
}
bool IsBall(const Lotto_Numbers_Framework& set, int32_t number) noexcept {
  return number >= LowestBall(set) && number <= HighestBall(set);
}

bool KeptApart(const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) noexcept {
  return a.OwnPool == 0 && b.OwnPool == 0 && a.Grid.Columns.Count == b.Grid.Columns.Count &&
         a.Grid.Rows.Count == b.Grid.Rows.Count;
}

std::optional<int32_t> BallInCell(const Lotto_Numbers_Framework& set, GridCell cell) noexcept {
  const OperationScope operation(codes::kCellNumber);
  const int32_t columns = GridColumns(set);
  if (cell.column < 0 || cell.row < 0 || cell.column >= columns || cell.row >= GridRows(set)) return std::nullopt;
  // In 64 bits: a damaged game's lowest number plus the offset may pass int32.
  const int64_t number = int64_t{set.LowestNumber} + cell.column + int64_t{cell.row} * columns;
  if (number < LowestBall(set) || number > HighestBall(set)) return std::nullopt;
  return static_cast<int32_t>(number);
}

std::optional<GridCell> CellOfBall(const Lotto_Numbers_Framework& set, int32_t number) noexcept {
  const int32_t columns = GridColumns(set);
  if (!IsBall(set, number) || columns == 0) return std::nullopt;
  const int64_t offset = int64_t{number} - set.LowestNumber;  // not negative for a ball
  const int64_t row = offset / columns;
  if (row >= GridRows(set)) return std::nullopt;
  return GridCell{static_cast<int32_t>(offset % columns), static_cast<int32_t>(row)};
}

std::optional<GridCell> CellAtPoint(const Lotto_Numbers_Framework& set, int x, int y) noexcept {
  if (x < 0 || y < 0) return std::nullopt;
  const GridCell cell{x / kBallCellPitch, y / kBallCellPitch};
  if (cell.column >= GridColumns(set) || cell.row >= GridRows(set)) return std::nullopt;
  return cell;
}

Box CellBox(GridCell cell) noexcept {
  return {Saturated(int64_t{cell.column} * kBallCellPitch), Saturated(int64_t{cell.row} * kBallCellPitch),
          kBallCellSize, kBallCellSize};
}

std::vector<Box> LayOutGrids(std::span<const Lotto_Numbers_Framework> sets, uint8_t playFlag) {
  const bool sideBySide = playFlag != 0;
  std::vector<Box> boxes;
  boxes.reserve(sets.size());
  int64_t next = kGridMargin;  // the next grid's top (stacked) or left (side by side)
  for (const auto& set : sets) {
    const int width = GridColumns(set) * kBallCellPitch;
    const int height = GridRows(set) * kBallCellPitch;
    if (sideBySide) {
      const OperationScope operation(codes::kSideBySideGridLeft);
      boxes.push_back({Saturated(next), kGridMargin, width, height});
      next += width + kGridGap;
    } else {
      const OperationScope operation(codes::kStackedGridTop);
      boxes.push_back({kGridMargin, Saturated(next), width, height});
      next += height + kGridGap;
    }
  }
  return boxes;
}

}  // namespace zun
