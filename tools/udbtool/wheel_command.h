#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zun {

class FileSystem;

// udbtool wheel GAMEFILE OUT.sl5 [NUMBER...]: every combination of the given
// numbers of the game's first play set (all of its numbers when none are
// given), as many numbers each as the set plays, in lexicographic order.
// The other play sets of the game stay empty (numbers 0), and the verb says
// so. The file is written as it is made, without holding the entries.
// Returns 0 when written, 1 when the game cannot be read or the file cannot
// be written, 2 for a wrong command line (numbers outside the set, repeated,
// too few, or more combinations than a file can count). Errors are one
// line on err.
int WheelCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace zun
