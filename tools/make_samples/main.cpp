// Writes the sample games and sample database files into a folder:
//   make_samples FOLDER
// The samples in the repository's samples/ folder are this program's output;
// a test checks that they still are.

#include <cstdio>
#include <string>
#include <vector>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "platform/file_system.h"

namespace {

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  auto out = zun::PlatformFileSystem().BeginReplace(path);
  if (!out || !out->Write(bytes.data(), bytes.size()) || !out->Commit()) {
    std::fprintf(stderr, "make_samples: cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s\n", path.c_str());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_samples FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  bool ok = true;
  for (const auto& sample : zun::hostside::MakeSampleGames()) {
    ok = Save(folder + "/" + sample.fileName, zun::hostside::WriteGameFile(*sample.game)) && ok;
    const std::string stem = sample.fileName.substr(0, sample.fileName.find('.'));
    const auto database = zun::hostside::MakeSampleDatabase(*sample.game, 25, 7);
    ok = Save(folder + "/" + stem + "-picks.sl5", zun::Sl5Bytes(*database)) && ok;
  }
  const auto records = zun::hostside::MakeOldRecords(12, 11);
  ok = Save(folder + "/old-picks.sl4", zun::hostside::Sl4Bytes(records)) && ok;
  ok = Save(folder + "/old-picks.sl3", zun::hostside::Sl3Bytes(records)) && ok;
  return ok ? 0 : 1;
}
