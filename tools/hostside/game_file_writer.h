#pragma once

// The host's side of the game file: writes a game object in the exact form
// the add-on's reader reads. The add-on never writes game files; this serves
// the development host's samples, the tests, the fuzz seeds and the
// benchmarks.

#include <cstdint>
#include <vector>

#include "model/lotto_game.h"

namespace zun::hostside {

std::vector<uint8_t> WriteGameFile(const TZUN_Lotto_DBase& game);

}  // namespace zun::hostside
