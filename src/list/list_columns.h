#pragma once

// The entry list's columns: "Seq.", one per play set, the source.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/lotto_game.h"

namespace zun {

enum class ColumnAlign { Left, Centre };

struct ListColumn {
  std::string caption;
  int32_t width = 0;
  int32_t minWidth = 0;
  int32_t maxWidth = 0;  // 0: no maximum
  ColumnAlign align = ColumnAlign::Left;
};


// "Seq." fixed at 50; per set its name, centred, at least 50 and
// (fontPoints - 1) * 4 * (NumberCount - 1) wide; the source fixed at 215.
std::vector<ListColumn> ListColumns(std::span<const Lotto_Numbers_Framework> playSets, int32_t fontPoints = 8);

}  // namespace zun
