#pragma once

#include "model/lotto_game.h"

namespace zun {

// Builds MachineStats, BallSetStats and MachineBallSetStats from the draws
// when the game names machines and ball sets (left alone otherwise). Each
// lists every distinct name once, in order of first appearance, with its
// first and last draw and how many draws name it; a draw named "-" counts
// nowhere. Grouping is by hashing, in linear time, with exactly the results
// of comparing every draw with every other.
void ComputeDrawStatistics(TZUN_Lotto_Stats& game);

// The pair key of a draw: machine and ":" cut to 16 characters, then the
// ball set, the whole cut to 31.
std::string MachineBallSetKey(std::string_view machine, std::string_view ballSet);

}  // namespace zun
