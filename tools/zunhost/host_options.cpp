#include "zunhost/host_options.h"

#include <map>

namespace zun::devhost {

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error) {
  const std::map<std::string, std::string HostOptions::*> valued = {
      {"--dll", &HostOptions::dll},
      {"--folder", &HostOptions::folder},
      {"--prefix", &HostOptions::prefix},
      {"--version", &HostOptions::version},
      {"--screenshot", &HostOptions::screenshot},
  };
  std::vector<std::string> games;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg.size() < 2 || arg.compare(0, 2, "--") != 0) {
      games.push_back(arg);
      continue;
    }
    if (arg == "--drop") {
      if (i + 1 == args.size() || args[i + 1].empty()) {
        error = "--drop needs a file";
        return false;
      }
      options.drops.push_back(args[++i]);
      continue;
    }
    const auto option = valued.find(arg);
    if (option == valued.end()) {
      error = "unknown option " + arg;
      return false;
    }
    if (i + 1 == args.size()) {
      error = arg + " needs a value";
      return false;
    }
    // An empty prefix is a prefix like any other; the others must name something.
    options.*(option->second) = args[++i];
    if (options.*(option->second) == "" && arg != "--prefix") {
      error = arg + " needs a value";
      return false;
    }
  }
  if (games.size() != 1) {
    error = games.empty() ? "no game file given" : "more than one game file given";
    return false;
  }
  options.gameFile = games.front();
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.find_last_of("\\/");
  if (slash == std::string::npos) return ".";
  if (slash == 0) return path.substr(0, 1);
  return path.substr(0, slash);
}

}  // namespace zun::devhost
