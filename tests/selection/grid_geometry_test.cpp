#include "selection/grid_geometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

namespace zun {
namespace {

Lotto_Numbers_Framework Grid(int32_t low, int32_t high, int32_t columns, int32_t rows) {
  Lotto_Numbers_Framework set{};
  set.LowestNumber = low;
  set.HighestNumber = high;
  set.Grid.Columns.Count = columns;
  set.Grid.Rows.Count = rows;
  return set;
}

TEST(GridGeometry, BallsFillRowsAndPointsHitTheirCells) {
  const auto set = Grid(1, 49, 10, 5);
  EXPECT_EQ(BallInCell(set, {9, 0}), 10);
  EXPECT_EQ(BallInCell(set, {0, 1}), 11);
  EXPECT_EQ(BallInCell(set, {8, 4}), 49);
  EXPECT_EQ(BallInCell(set, {9, 4}), std::nullopt);  // past the highest ball
  EXPECT_EQ(BallInCell(set, {10, 0}), std::nullopt);
  EXPECT_EQ(BallInCell(set, {-1, 0}), std::nullopt);
  for (int32_t number = 1; number <= 49; ++number) EXPECT_EQ(BallInCell(set, CellOfBall(set, number).value()), number);
  EXPECT_EQ(CellOfBall(set, 50), std::nullopt);

  EXPECT_EQ(CellAtPoint(set, 17, 17), (GridCell{0, 0}));  // the grid line
  EXPECT_EQ(CellAtPoint(set, 18, 35), (GridCell{1, 1}));
  EXPECT_EQ(CellAtPoint(set, 179, 89), (GridCell{9, 4}));  // an empty cell is still a cell
  EXPECT_EQ(CellAtPoint(set, 180, 0), std::nullopt);
  EXPECT_EQ(CellAtPoint(set, 0, 90), std::nullopt);
  EXPECT_EQ(CellAtPoint(set, -1, 0), std::nullopt);
  EXPECT_EQ(CellBox({2, 3}), (Box{36, 54, 17, 17}));
}

TEST(GridGeometry, GridsStandOneCellApartStackedOrSideBySide) {
  const std::vector<Lotto_Numbers_Framework> tall = {Grid(1, 49, 10, 7), Grid(1, 10, 10, 1)};
  EXPECT_EQ(LayOutGrids(tall, 0), (std::vector<Box>{{5, 5, 180, 126}, {5, 148, 180, 18}}));
  const std::vector<Lotto_Numbers_Framework> wide = {Grid(1, 49, 7, 7), Grid(1, 7, 1, 7)};
  EXPECT_EQ(LayOutGrids(wide, 1), (std::vector<Box>{{5, 5, 126, 126}, {148, 5, 18, 126}}));
}

TEST(GridGeometry, HostileCountsAndRangesStayInsideInt32) {
  const auto negative = Grid(1, 49, -5, INT32_MIN);
  EXPECT_EQ(GridColumns(negative), 0);
  EXPECT_EQ(GridRows(negative), 0);
  EXPECT_EQ(CellOfBall(negative, 1), std::nullopt);

  const auto huge = Grid(INT32_MAX - 3, INT32_MAX, INT32_MAX, INT32_MAX);
  EXPECT_EQ(GridColumns(huge), kMaxGridCells);
  EXPECT_GT(LowestBall(huge), HighestBall(huge));
  EXPECT_EQ(BallInCell(huge, {kMaxGridCells - 1, kMaxGridCells - 1}), std::nullopt);
  const auto fromBelow = Grid(INT32_MIN, INT32_MAX, INT32_MAX, INT32_MAX);
  EXPECT_EQ(BallInCell(fromBelow, {kMaxGridCells - 1, kMaxGridCells - 1}), std::nullopt);
  EXPECT_EQ(CellOfBall(fromBelow, 0), std::nullopt);  // far beyond the last cell

  // Only signed bytes are balls; the cells before -128 are empty.
  const auto wideRange = Grid(-200, 300, kMaxGridCells, 1);
  EXPECT_FALSE(IsBall(wideRange, 128));
  EXPECT_EQ(BallInCell(wideRange, {71, 0}), std::nullopt);
  EXPECT_EQ(BallInCell(wideRange, {72, 0}), -128);
  EXPECT_EQ(CellOfBall(wideRange, 127), (GridCell{327, 0}));

  // Many of the widest grids side by side: the lefts saturate, never wrap.
  const std::vector<Lotto_Numbers_Framework> many(70000, Grid(1, 49, INT32_MAX, 1));
  const auto boxes = LayOutGrids(many, 1);
  for (size_t i = 1; i < boxes.size(); ++i) ASSERT_GE(boxes[i].left, boxes[i - 1].left) << i;
  EXPECT_EQ(boxes.back().left, INT_MAX);
}

}  // namespace
}  // namespace zun
