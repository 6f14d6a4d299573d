#pragma once

// Which balls are chosen on the grids, one flag per ball of each play set,
// and the rules that allow a choice: the pick limit (NumberCount), the line
// limits (one ball per row when the set's Columns.LineLimit is 1, one per
// column when Rows.LineLimit is 1) and the same-shape rule (a number may not
// be chosen in two sets of the same grid shape unless one has its own pool).
//
// The game is read live from the host on every use, so every call that
// needs the sets takes them. Numbers from files and other add-ons are not
// trusted: a number outside a set's balls never indexes the flags.

#include <cstdint>
#include <span>
#include <vector>

#include "model/lotto_game.h"
#include "model/user_database.h"
#include "selection/grid_geometry.h"

namespace zun {

class BallChoices {
 public:
  using Sets = std::span<const Lotto_Numbers_Framework>;

  // Sizes the flags for the game's play sets, all cleared.
  void Reset(Sets sets);

  int32_t SetCount() const noexcept { return static_cast<int32_t>(sets_.size()); }
  // False for a set or number the choices do not hold.
  bool IsChosen(int32_t set, int32_t number) const noexcept;
  // The balls actually chosen in the set.
  int32_t ChosenCount(int32_t set) const noexcept;
  // The chosen balls of a set, ascending.
  std::vector<int32_t> Chosen(int32_t set) const;

  // Whether the ball in a cell may be toggled: a chosen ball always; else
  // not when a line limit already holds a ball in the cell's row or column.
  bool MayChoose(Sets sets, int32_t set, GridCell cell) const;
  // The same-shape rule for choosing `number` in `set`.
  bool CrossSetFree(Sets sets, int32_t set, int32_t number) const;
  // Unchooses a chosen ball; chooses an unchosen one while the set is below
  // its NumberCount and the same-shape rule allows. Returns whether a flag
  // changed.
  bool Toggle(Sets sets, int32_t set, int32_t number);
  // A click on a cell (or the current cell moved onto it by the keyboard):
  // nothing for an empty cell; else Toggle when MayChoose. Returns whether
  // a flag changed.
  bool Click(Sets sets, int32_t set, GridCell cell);

  // Every set holds exactly its NumberCount chosen balls.
  bool AllSetsComplete(Sets sets) const;

  // Clears everything, then chooses the numbers of `entry` in each set:
  // numbers that are no ball of the set, and repeats, are skipped, so an
  // entry that holds them shows as incomplete.
  void ShowEntry(Sets sets, const TZUN_User_Lotto_DBase& database, int32_t entry);
  // Writes each set's chosen balls, ascending, into the entry's numbers
  // (the caller has sized them) and empties its source.
  void StoreInEntry(TZUN_User_Lotto_DBase& database, int32_t entry) const;

 private:
  struct SetChoices {
    int32_t lowest = 0;           // the number of flags[0]
    std::vector<uint8_t> flags;   // one per ball from lowest to the highest ball
    int32_t count = 0;
  };
  bool InRange(int32_t set, int32_t number) const noexcept;
  int32_t ChosenInRow(const Lotto_Numbers_Framework& set, int32_t s, int32_t row) const;
  int32_t ChosenInColumn(const Lotto_Numbers_Framework& set, int32_t s, int32_t column) const;

  std::vector<SetChoices> sets_;
};

}  // namespace zun
