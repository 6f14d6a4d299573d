#pragma once

// Where the balls of a number set stand on its grid, how large each grid is
// and where the grids stand in the selection panel. Cell (c, r) of a set's
// grid (0-based) holds the ball LowestNumber + c + r * Columns.Count; a cell
// whose number lies above HighestNumber is empty. Counts and ranges come
// from the host's game and are not trusted: nothing here overflows or sizes
// anything by them.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "base/box.h"
#include "model/lotto_game.h"

namespace zun {

inline constexpr int kBallCellSize = 17;   // a cell is 17 x 17 pixels
inline constexpr int kBallCellPitch = 18;  // cell plus the 1-pixel grid line
inline constexpr int kGridGap = 17;        // one cell between two grids
inline constexpr int kGridMargin = 5;      // from the panel's edge
// A grid never gets more cells across or down than a window can show.
inline constexpr int32_t kMaxGridCells = 1800;

// Ball numbers are stored as signed bytes in entries: only numbers in
// [-128, 127] can be balls, whatever range a damaged game declares.
inline constexpr int32_t kLowestStorableBall = -128;
inline constexpr int32_t kHighestStorableBall = 127;

struct GridCell {
  int32_t column = 0;
  int32_t row = 0;
  friend bool operator==(const GridCell&, const GridCell&) = default;
};

// The grid's columns and rows as shown: the set's counts, 0 when negative,
// at most kMaxGridCells.
int32_t GridColumns(const Lotto_Numbers_Framework& set) noexcept;
int32_t GridRows(const Lotto_Numbers_Framework& set) noexcept;

// The lowest and highest ball the set can hold: its range cut to the
// storable numbers. Empty (lowest > highest) when none.
int32_t LowestBall(const Lotto_Numbers_Framework& set) noexcept;
int32_t HighestBall(const Lotto_Numbers_Framework& set) noexcept;
bool IsBall(const Lotto_Numbers_Framework& set, int32_t number) noexcept;

// Whether the same-shape rule keeps one number out of both sets: neither
// has its own pool and their grids have the same column and row counts.
bool KeptApart(const Lotto_Numbers_Framework& a, const Lotto_Numbers_Framework& b) noexcept;

// The ball in a cell; nothing for an empty cell or one outside the grid.
std::optional<int32_t> BallInCell(const Lotto_Numbers_Framework& set, GridCell cell) noexcept;
// The cell of a ball; nothing when the number is no ball of the set or
// lies outside the grid's cells.
std::optional<GridCell> CellOfBall(const Lotto_Numbers_Framework& set, int32_t number) noexcept;

// The cell under a point of the grid's client area (grid lines belong to
// the cell on their left or above); nothing outside the cells.
std::optional<GridCell> CellAtPoint(const Lotto_Numbers_Framework& set, int x, int y) noexcept;
// A cell's rectangle in the grid's client area: 17 x 17 at c * 18, r * 18.
Box CellBox(GridCell cell) noexcept;

// The grids' places in the panel, one per set: stacked top to bottom when
// playFlag is 0 (left 5, each top 5 + the earlier grids' rows * 18 + 17),
// side by side otherwise (top 5, each left 5 + the earlier grids' columns *
// 18 + 17). Width columns * 18, height rows * 18.
std::vector<Box> LayOutGrids(std::span<const Lotto_Numbers_Framework> sets, uint8_t playFlag);

}  // namespace zun
