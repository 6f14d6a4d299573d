#pragma once

#include <cstdint>
#include <span>

#include "model/lotto_game.h"

namespace zun {

// Parses the bytes of a game file into game: the definition, and with
// headerOnly false the draws too. False when any read failed; what was read
// before the failure stays. Every count is checked against the bytes that
// remain before anything is sized, and the memory the draws would take is
// bounded by a fixed multiple of the file's size, so no input makes the
// reader allocate without bound. Statistics are not computed here.
bool ParseGameFile(TZUN_Lotto_Temp& game, std::span<const uint8_t> bytes, bool headerOnly);

// The most numbers one set may hold: ball numbers are signed bytes, so a set
// cannot hold more distinct numbers than a byte has values.
inline constexpr int32_t kMaxNumbersPerSet = 256;

}  // namespace zun
