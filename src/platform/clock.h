#pragma once

#include <string>

namespace zun {

class Clock {
 public:
  virtual ~Clock() = default;
  // The local date and time on one line, in the user's regional format.
  virtual std::string LocalDateTimeText() = 0;
};

}  // namespace zun
