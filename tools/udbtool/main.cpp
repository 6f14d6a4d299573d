#include <iostream>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "udbtool/udbtool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  return zun::RunUdbTool(args, std::cout, std::cerr, zun::PlatformFileSystem());
}
