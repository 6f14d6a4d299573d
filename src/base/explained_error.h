#pragma once

// A failure whose reason the user is told: its text follows the failing
// command's own message on a line of its own ("Error while generating QP
// entries." and why no entry can be drawn). Other failures show only the
// command's message and code.

#include <stdexcept>

namespace zun {

class ExplainedError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace zun
