#pragma once

#include <ostream>
#include <span>
#include <string>

namespace zun {

class FileSystem;

// udbtool: the data model on real files, without the window.
//   udbtool game GAMEFILE
//   udbtool list GAMEFILE DBFILE
//   udbtool convert GAMEFILE OLDFILE NEWFILE.sl5
//   udbtool quickpick GAMEFILE COUNT NEWFILE.sl5 [--seed N]
//   udbtool export-csv GAMEFILE DBFILE OUT.csv
//   udbtool export-html GAMEFILE DBFILE OUT.html [TEMPLATE]
//   udbtool hits GAMEFILE SL5FILE [--last N]
//   udbtool duplicates GAMEFILE SL5FILE
//   udbtool wheel GAMEFILE OUT.sl5 [NUMBER...]
// Returns the exit code: 0 done, 1 a file is missing, bad or does not fit,
// 2 the command line is wrong (for hits and duplicates also a file they
// cannot read). Errors are one line on err.
int RunUdbTool(std::span<const std::string> args, std::ostream& out, std::ostream& err, FileSystem& files);

}  // namespace zun
