#pragma once

// The ball grids of the selection panel: one window per play set of the
// host's game, placed as LayOutGrids puts them. A grid paints the document's
// choices and turns clicks and keys into HostAdapter::BallCellChosen; it keeps
// only its current cell and whether it has the focus. The game is read live
// from the host at every use, so a grid never holds a copy of its set.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/lotto_game.h"
#include "platform/views.h"
#include "selection/grid_geometry.h"
#include "win32/window.h"

namespace zun {
class HostAdapter;
}

namespace zun::win32 {

inline constexpr char kBallGridClassName[] = "TZUN_BallGrid";

// The text a cell of `set` shows for its ball `number`: the number label,
// else the row label, else the column label, whichever kind the set has
// first in that order; a label the set does not hold, or no labels at all,
// give the number with at least two digits ("05", "12", "100").
std::string BallCellText(const Lotto_Numbers_Framework& set, GridCell cell, int32_t number);

class BallGrid final : public Window {
 public:
  // Creates the grid window of play set `set` at `box` in `panel`.
  BallGrid(HostAdapter& adapter, int32_t set, HWND panel, const Box& box);

  int32_t SetIndex() const { return set_; }
  GridCell CurrentCell() const { return current_; }
  bool Focused() const { return focused_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  // The play set as the host holds it now; null when the game or the set is gone.
  const Lotto_Numbers_Framework* Set() const;

  void OnPaint();
  // The whole grid into a device context another window or a test gives.
  void PrintClient(HDC dc) const;
  void DrawGrid(HDC dc, const RECT& area) const;
  void OnLeftButtonDown(LPARAM lParam);
  void OnKeyDown(WPARAM key);
  void OnFocusChange(bool focused);

  // Moves the current cell onto `cell` and chooses it, as a click would.
  void MoveTo(GridCell cell);
  void InvalidateCell(GridCell cell) const;
  // The cell an arrow, Home or End key moves to; nothing for other keys or
  // when the current cell cannot move that way.
  bool CellAfterKey(WPARAM key, GridCell& cell) const;

  HostAdapter& adapter_;
  int32_t set_;
  GridCell current_{};
  bool focused_ = false;
};

// The port the adapter repaints the grids through; owns the grid windows.
class BallGrids final : public BallGridsView {
 public:
  explicit BallGrids(HostAdapter& adapter) : adapter_(adapter) {}
  ~BallGrids() override = default;
  BallGrids(const BallGrids&) = delete;
  BallGrids& operator=(const BallGrids&) = delete;

  // Destroys the grids there are and creates one per play set of the
  // document's game in `panel`; none when there is no game.
  void Build(HWND panel);
  // Destroys every grid.
  void Free();

  void RepaintGrids() override;

  size_t Count() const { return grids_.size(); }
  // What the grids cover in their panel, from its top left corner, with the
  // same margin on the right and at the bottom as on the left and top.
  int ContentWidth() const { return contentWidth_; }
  int ContentHeight() const { return contentHeight_; }
  BallGrid& Grid(size_t index) const { return *grids_.at(index); }

 private:
  HostAdapter& adapter_;
  std::vector<WindowPtr<BallGrid>> grids_;
  int contentWidth_ = 0;
  int contentHeight_ = 0;
};

}  // namespace zun::win32
