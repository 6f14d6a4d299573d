#pragma once

// Quick picks: one random entry, drawn uniformly among the entries a user
// could have made by clicking the grids. Per set: NumberCount distinct balls
// of the set's own range that stand on its grid, ascending, with at most one
// ball per row or per column where the set's line limits say so; across
// sets, the same-shape rule of the grids (BallChoices::CrossSetFree).

#include <cstdint>
#include <span>
#include <stdexcept>
#include <vector>

#include "base/explained_error.h"
#include "model/lotto_game.h"
#include "platform/random_source.h"

namespace zun {

// A game whose grids admit no entry at all (more numbers than balls, more
// numbers than lines under a line limit, or sets of one shape that cannot
// hold their numbers apart).
class NoQuickPickPossible : public ExplainedError {
 public:
  using ExplainedError::ExplainedError;
};

// The numbers of one quick pick, per set in order, each set ascending.
// Throws NoQuickPickPossible, never loops without end.
std::vector<std::vector<int8_t>> DrawQuickPick(std::span<const Lotto_Numbers_Framework> sets, RandomSource& random);

}  // namespace zun
