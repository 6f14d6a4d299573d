// The recent files: their order, and what the Reopen menu shows of them.

#include "operations/recent_files.h"

#include <gtest/gtest.h>

#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

RecentFileList Numbered(int count) {
  RecentFileList recent;
  for (int i = 0; i < count; ++i) recent[static_cast<size_t>(i)] = "C:\\f" + std::to_string(i) + ".sl5";
  return recent;
}

TEST(RecentFiles, ANewPathGoesFirstAndTheFifteenthDrops) {
  RecentFileList recent = Numbered(kRecentFileCount);
  AddRecentFile(recent, "C:\\new.sl5");
  EXPECT_EQ(recent[0], "C:\\new.sl5");
  EXPECT_EQ(recent[1], "C:\\f0.sl5");
  EXPECT_EQ(recent[14], "C:\\f13.sl5") << "f14 dropped out";

  RecentFileList few = Numbered(2);
  AddRecentFile(few, "C:\\new.sl5");
  EXPECT_EQ(few[2], "C:\\f1.sl5");
  EXPECT_EQ(few[3], "");
}

TEST(RecentFiles, AKnownPathMovesToTheFrontAndOnlyAnExactMatchIsKnown) {
  RecentFileList recent = Numbered(5);
  AddRecentFile(recent, "C:\\f3.sl5");
  EXPECT_EQ(recent, (RecentFileList{"C:\\f3.sl5", "C:\\f0.sl5", "C:\\f1.sl5", "C:\\f2.sl5", "C:\\f4.sl5"}));

  AddRecentFile(recent, "C:\\f2.sl5", true, 3);
  EXPECT_EQ(recent, (RecentFileList{"C:\\f2.sl5", "C:\\f3.sl5", "C:\\f0.sl5", "C:\\f1.sl5", "C:\\f4.sl5"}));

  // A stale position is not trusted: the path is searched for instead.
  AddRecentFile(recent, "C:\\f4.sl5", true, 1);
  EXPECT_EQ(recent, (RecentFileList{"C:\\f4.sl5", "C:\\f2.sl5", "C:\\f3.sl5", "C:\\f0.sl5", "C:\\f1.sl5"}));

  AddRecentFile(recent, "C:\\F4.sl5");
  EXPECT_EQ(recent[0], "C:\\F4.sl5");
  EXPECT_EQ(recent[1], "C:\\f4.sl5") << "another letter case is another entry";
  EXPECT_EQ(recent[5], "C:\\f1.sl5");
}

// The file that stands first is found there like any other: adding it
// again, unknown or by its position, changes nothing, in a full list too.
TEST(RecentFiles, ThePathThatStandsFirstStaysWhereItIs) {
  for (const int count : {1, 5, kRecentFileCount}) {
    SCOPED_TRACE(count);
    const RecentFileList before = Numbered(count);
    RecentFileList recent = before;
    AddRecentFile(recent, "C:\\f0.sl5");
    EXPECT_EQ(recent, before);
    AddRecentFile(recent, "C:\\f0.sl5", true, 0);
    EXPECT_EQ(recent, before);
  }
}

TEST(RecentFiles, TheReopenMenuNamesEachFileAndMarksMissingAndUnsuitableOnes) {
  auto game = hostside::MakeLotto649(3);
  auto database = hostside::MakeSampleDatabase(*game, 0, 1);
  testing::MemoryFileSystem files;
  files.files["C:\\db\\fits.sl5"] = Sl5Bytes(*hostside::MakeSampleDatabase(*game, 2, 1));
  auto other = hostside::MakeSampleDatabase(*game, 2, 1);
  other->NumberSets[0].SecondaryCount += 1;
  files.files["D:\\x\\other.sl5"] = Sl5Bytes(*other);
  files.files["C:\\old.sl4"] = hostside::Sl4Bytes(hostside::MakeOldRecords(1, 1));

  RecentFileList recent;
  recent[0] = "C:\\db\\fits.sl5";
  recent[2] = "D:\\x\\other.sl5";
  recent[3] = "C:\\gone.sl5";
  recent[5] = "C:\\old.sl4";
  recent[6] = "C:\\gone.sl4";
  const auto items = DescribeReopenMenu(files, recent, game.get(), database.get());
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].index, 0);
  EXPECT_EQ(items[0].caption, "fits.sl5");
  EXPECT_TRUE(items[0].exists && items[0].suitable);
  EXPECT_EQ(items[0].image, -1);
  EXPECT_EQ(items[1].index, 2);
  EXPECT_TRUE(items[1].exists);
  EXPECT_FALSE(items[1].suitable) << "differs only in SecondaryCount";
  EXPECT_EQ(items[2].caption, "gone.sl5");
  EXPECT_FALSE(items[2].exists);
  EXPECT_EQ(items[2].image, kMissingFileImage);
  EXPECT_TRUE(items[3].suitable) << "a 6-from-49 game takes the older files";
  EXPECT_FALSE(items[4].exists);
  EXPECT_FALSE(items[4].suitable) << "a missing older file suits nothing either";

  const auto withoutGame = DescribeReopenMenu(files, recent, nullptr, nullptr);
  EXPECT_FALSE(withoutGame[0].suitable);
}

}  // namespace
}  // namespace zun
