#pragma once

// The development host's command line:
//   zunhost [--dll PATH] [--folder FOLDER] [--prefix PREFIX] [--version V]
//           [--screenshot FILE.png] [--drop FILE]... GAMEFILE

#include <string>
#include <vector>

namespace zun::devhost {

struct HostOptions {
  std::string dll;     // empty: the add-on's DLL next to zunhost.exe
  std::string folder;  // empty: the "host" folder next to zunhost.exe
  std::string prefix = "ZUNDev ";
  std::string version = "0.39";
  std::string screenshot;  // empty: run until closed
  std::vector<std::string> drops;  // files handed to the add-on as a shell drop after start
  std::string gameFile;
};

inline constexpr char kUsage[] =
    "usage: zunhost [--dll PATH] [--folder FOLDER] [--prefix PREFIX] [--version V] "
    "[--screenshot FILE.png] [--drop FILE]... GAMEFILE";

// Parses the arguments after the program's name. False with a one-line
// reason when an option is unknown or lacks its value, or when there is not
// exactly one game file.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);

// The folder part of a path (backslashes or slashes), without the last
// separator; "." when there is none.
std::string FolderOf(const std::string& path);

}  // namespace zun::devhost
