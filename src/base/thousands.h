#pragma once

#include <cstdint>
#include <string>

namespace zun {

// A count as the player reads it: thousands grouped by commas ("1,804",
// "-12,000").
inline std::string WithThousands(int64_t count) {
  const std::string digits = std::to_string(count);
  const size_t sign = count < 0 ? 1 : 0;
  std::string text = digits.substr(0, sign);
  for (size_t i = sign; i < digits.size(); ++i) {
    if (i > sign && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

}  // namespace zun
