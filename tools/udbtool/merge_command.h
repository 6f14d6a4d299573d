#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zun {

class FileSystem;

// udbtool merge GAMEFILE NEWFILE.sl5 FILE...: the files are loaded together
// by the window's own load operation (a several-file load that replaces
// the entries), on the add-on's document without windows or host; its report of
// unsuitable and unreadable files goes to err. Then the merged database is
// written to NEWFILE.sl5. Returns 0 when at least one file was taken, 1
// when none could be (or the result cannot be written).
int MergeCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out, std::ostream& err);

}  // namespace zun
