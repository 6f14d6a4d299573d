#include <gtest/gtest.h>

#include <cstring>

#include "base/error_location.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/user_database.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

// Reads memory the way the host does: raw offsets, references followed.
template <class T>
T At(const void* base, size_t offset) {
  T value;
  std::memcpy(&value, static_cast<const char*>(base) + offset, sizeof value);
  return value;
}
int32_t CountBefore(const void* ref) {
  int32_t count;
  std::memcpy(&count, static_cast<const char*>(ref) - 4, sizeof count);
  return count;
}

struct GameFiles {
  testing::MemoryFileSystem files;
  GameFiles() {
    for (const auto& sample : hostside::MakeSampleGames()) files.files[sample.fileName] = hostside::WriteGameFile(*sample.game);
  }
};

TEST(UserDatabase, CreateCopiesThePlaySetsOfTheGameFile) {
  GameFiles g;
  const auto database = TZUN_User_Lotto_DBase::Create(g.files, "TwinPool.dat");
  EXPECT_EQ(database->PlayFlag, 1);
  ASSERT_EQ(database->NumberSets.size(), 2);
  const auto& stars = database->NumberSets[1];
  EXPECT_EQ(stars.SetName.view(), "Lucky Stars");
  EXPECT_EQ(stars.NumberCount, 2);
  EXPECT_EQ(stars.HighestNumber, 12);
  EXPECT_EQ(stars.OwnPool, 1);
  EXPECT_EQ(stars.Grid.Columns.Count, 4);
  EXPECT_EQ(stars.Grid.NumberLabels.Labels.size(), 12);
  EXPECT_EQ(stars.Grid.NumberLabels.Labels[11].view(), "S12");
  EXPECT_EQ(database->Entries.size(), 0);
}

TEST(UserDatabase, CopyRuleLeavesGridNameAndExtraValuesOut) {
  Lotto_Numbers_Framework set{};
  set.SetName.assign("Main");
  set.NumberCount = 6;
  set.Grid.GridName.assign("Grid");
  set.Grid.Columns.Count = 2;
  set.Grid.Columns.ExtraFlag = 1;
  set.Grid.Columns.ExtraValue = 9;
  set.Grid.Columns.HasLabels = 1;
  set.Grid.Columns.Labels.resize(5);  // more labels than columns: only Count are copied
  set.Grid.Rows.InEntryOrder = 1;
  set.Grid.Rows.LineLimit = 1;
  const auto copy = CopyNumberSetForUserDatabase(set);
  EXPECT_EQ(copy.SetName.view(), "Main");
  EXPECT_EQ(copy.Grid.GridName.view(), "");
  EXPECT_EQ(copy.Grid.Columns.ExtraFlag, 0);
  EXPECT_EQ(copy.Grid.Columns.ExtraValue, 0);
  EXPECT_EQ(copy.Grid.Columns.Labels.size(), 2);
  EXPECT_EQ(copy.Grid.Rows.InEntryOrder, 1);
  EXPECT_EQ(copy.Grid.Rows.LineLimit, 1);
  // A count beyond the labels that exist copies those that exist.
  set.Grid.Columns.Count = 50;
  EXPECT_EQ(CopyNumberSetForUserDatabase(set).Grid.Columns.Labels.size(), 5);
}

TEST(UserDatabase, CreateFromAMissingOrBrokenGameFileKeepsWhatCouldBeRead) {
  GameFiles g;
  EXPECT_EQ(TZUN_User_Lotto_DBase::Create(g.files, "missing.dat")->NumberSets.size(), 0);
  // Cut inside the second play set's labels.
  const auto twin = hostside::MakeTwinPool(0);
  auto header = hostside::WriteGameFile(*twin);
  header.resize(header.size() - 4 - 30);
  g.files.files["cut.dat"] = header;
  const auto database = TZUN_User_Lotto_DBase::Create(g.files, "cut.dat");
  ASSERT_EQ(database->NumberSets.size(), 2);
  EXPECT_EQ(database->NumberSets[0].NumberCount, 5);
  EXPECT_EQ(database->NumberSets[1].NumberCount, 2);
}

TEST(UserDatabase, SizeEntryKeepsNumbersAndRefusesEntriesThatDoNotExist) {
  TZUN_User_Lotto_DBase database;
  database.Entries.resize(1);
  const int32_t first[] = {3};
  database.SizeEntry(0, first);
  database.Entries[0].Numbers[0][2] = 17;
  const int32_t second[] = {4, 1};
  database.SizeEntry(0, second);
  EXPECT_EQ(database.Entries[0].Numbers[0][2], 17);
  EXPECT_EQ(database.Entries[0].Numbers[1][0], 0);
  EXPECT_THROW(database.SizeEntry(1, second), std::out_of_range);
  EXPECT_STREQ(ErrorLocation, "ZUN Builder SubMain-FrameWork 001001");
}

TEST(UserDatabase, AppendBlankEntryShapesForThePlaySetsAndRefreshesFlagsFromDrawSets) {
  auto game = hostside::MakeTwinPool(0);
  auto database = hostside::MakeSampleDatabase(*game, 0, 1);
  game->DrawSets[0].AuxFlag = 1;
  const int32_t e = AppendBlankEntry(*game, *database);
  EXPECT_EQ(e, 0);
  EXPECT_EQ(database->Entries[0].Numbers.size(), 2);
  EXPECT_EQ(database->Entries[0].Numbers[0].size(), 5u);
  EXPECT_EQ(database->Entries[0].Numbers[1].size(), 2u);
  EXPECT_EQ(database->Entries[0].Source.view(), "");
  EXPECT_EQ(database->NumberSets[0].AuxFlag, 1);
  // A host game with fewer draw sets than play sets, and a database left
  // with no sets, are not read beyond their ends.
  game->DrawSets.resize(1);
  database->NumberSets.clear();
  EXPECT_EQ(AppendBlankEntry(*game, *database), 1);
  EXPECT_EQ(database->Entries[1].Numbers.size(), 2);
}

TEST(UserDatabase, HostReadsThePublishedDatabaseInPlace) {
  auto game = hostside::MakeLotto649(0);
  auto database = hostside::MakeSampleDatabase(*game, 3, 5);
  database->Entries[2].Source.assign("mine.sl5");
  const void* object = database.get();
  EXPECT_EQ(At<const ClassInfo*>(object, 0), &kUserLottoDBaseClass);
  const auto* sets = At<const char*>(object, HostLayout(12, 16));
  ASSERT_EQ(CountBefore(sets), 1);
  EXPECT_EQ(At<int32_t>(sets, 32), 6);   // NumberCount
  EXPECT_EQ(At<int32_t>(sets, 40), 49);  // HighestNumber
  const auto* entries = At<const char*>(object, HostLayout(24, 32));
  ASSERT_EQ(CountBefore(entries), 3);
  const char* entry2 = entries + 2 * HostLayout(36, 48);
  const auto* numbers = At<const char*>(entry2, HostLayout(4, 8));
  ASSERT_EQ(CountBefore(numbers), 1);
  const auto* set0 = At<const int8_t*>(numbers, 0);
  ASSERT_EQ(CountBefore(set0), 6);
  EXPECT_EQ(set0[5], database->Entries[2].Numbers[0][5]);
  EXPECT_EQ(At<uint8_t>(entry2, HostLayout(8, 16)), 8);  // Source length byte
  EXPECT_EQ(std::string(entry2 + HostLayout(9, 17), 8), "mine.sl5");
}

}  // namespace
}  // namespace zun
