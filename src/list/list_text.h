#pragma once

#include <string_view>

namespace zun {

// The entry list's comparison of two cell texts: case-insensitive in that
// only the letters a to z are folded to upper case; every other character
// compares by its code (as an unsigned byte). A text that is a prefix of
// the other comes first. Negative, zero or positive.
int CompareListText(std::string_view a, std::string_view b) noexcept;

}  // namespace zun
