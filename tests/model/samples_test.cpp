// The sample files in samples/ are what make_samples writes; they ship with
// the project and the development host runs on them.

#include <gtest/gtest.h>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "model/suitability.h"
#include "platform/file_system.h"
#include "support/test_files.h"

namespace zun {
namespace {

using testing::ReadBytes;
using testing::SourcePath;

TEST(Samples, ShippedFilesAreWhatTheSampleMakerWrites) {
  for (const auto& sample : hostside::MakeSampleGames()) {
    EXPECT_EQ(ReadBytes(SourcePath("samples/" + sample.fileName)), hostside::WriteGameFile(*sample.game))
        << sample.fileName << ": run make_samples samples";
    const std::string stem = sample.fileName.substr(0, sample.fileName.find('.'));
    EXPECT_EQ(ReadBytes(SourcePath("samples/" + stem + "-picks.sl5")),
              Sl5Bytes(*hostside::MakeSampleDatabase(*sample.game, 25, 7)));
  }
  const auto records = hostside::MakeOldRecords(12, 11);
  EXPECT_EQ(ReadBytes(SourcePath("samples/old-picks.sl4")), hostside::Sl4Bytes(records));
  EXPECT_EQ(ReadBytes(SourcePath("samples/old-picks.sl3")), hostside::Sl3Bytes(records));
}

TEST(Samples, EachGameReadsBackAndItsPicksFitIt) {
  FileSystem& files = PlatformFileSystem();
  for (const char* name : {"Lotto649", "TwinPool", "PickThree"}) {
    TZUN_Lotto_Temp game;
    game.FileName = SourcePath(std::string("samples/") + name + ".dat");
    ASSERT_TRUE(game.ReadGameFile(files, false)) << name;
    EXPECT_GT(game.Draws.size(), 0) << name;
    EXPECT_GT(game.MachineStats.size(), 1) << name;
    auto database = TZUN_User_Lotto_DBase::Create(files, std::string(game.FileName.view()));
    ASSERT_TRUE(database->LoadFromFile(files, false, SourcePath(std::string("samples/") + name + "-picks.sl5")));
    EXPECT_TRUE(SetsFitGame(*database, game)) << name;
    EXPECT_EQ(database->Entries.size(), 25);
  }
}

}  // namespace
}  // namespace zun
