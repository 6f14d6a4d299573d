#include <gtest/gtest.h>

#include <cstring>

#include "base/byte_writer.h"
#include "base/error_location.h"
#include "hostside/sample_games.h"
#include "model/sl5_file.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

using testing::MemoryFileSystem;

std::unique_ptr<TZUN_User_Lotto_DBase> Lotto649Database(int32_t entries) {
  const auto game = hostside::MakeLotto649(0);
  return hostside::MakeSampleDatabase(*game, entries, 99);
}

TEST(Sl5File, SixFromFortyNineIs26BytesPlusSixPerEntry) {
  auto database = Lotto649Database(0);
  ByteWriter expected;
  for (int32_t v : {1, 6, 6, 49, 1}) expected.I32(v);
  expected.U8(0), expected.U8(0);
  expected.I32(0);
  EXPECT_EQ(Sl5Bytes(*database), expected.Buffer()) << "an empty database";

  const int8_t picks[2][6] = {{1, 7, 13, 22, 38, 49}, {2, 3, 4, 5, 6, 45}};
  for (const auto& pick : picks) {
    auto& entry = database->Entries.emplace_back();
    entry.Numbers = EntryNumbers(database->EntryShape());
    std::memcpy(entry.Numbers[0].data(), pick, 6);
  }
  expected.Buffer().resize(22);
  expected.I32(2);
  for (const auto& pick : picks) expected.Bytes(pick, 6);
  EXPECT_EQ(Sl5Bytes(*database), expected.Buffer());
  EXPECT_EQ(expected.Size(), 26u + 6 * 2);
}

TEST(Sl5File, RoundTripReproducesNumbersAndSetFieldsAndStampsTheFileName) {
  MemoryFileSystem files;
  auto game = hostside::MakeTwinPool(0);
  auto saved = hostside::MakeSampleDatabase(*game, 50, 3);
  saved->NumberSets[1].AuxFlag = 1;
  saved->NumberSets[0].SecondaryCount = 4;
  EnterOperation("the save");
  ASSERT_TRUE(saved->SaveToFile(files, "C:\\Picks\\A rather long database name.sl5"));
  EXPECT_STREQ(ErrorLocation, "the save") << "a finished write gives its caller's code back";

  TZUN_User_Lotto_DBase loaded;
  loaded.NumberSets.resize(1);
  loaded.NumberSets[0].SetName.assign("Kept name");
  ASSERT_TRUE(loaded.LoadFromFile(files, false, "C:\\Picks\\A rather long database name.sl5"));
  ASSERT_EQ(loaded.NumberSets.size(), 2);
  EXPECT_EQ(loaded.NumberSets[0].SetName.view(), "Kept name") << "sets that existed keep their names";
  EXPECT_EQ(loaded.NumberSets[1].SetName.view(), "") << "new sets start empty";
  for (int32_t s = 0; s < 2; ++s) {
    const auto& a = saved->NumberSets[s];
    const auto& b = loaded.NumberSets[s];
    EXPECT_EQ(a.NumberCount, b.NumberCount);
    EXPECT_EQ(a.SecondaryCount, b.SecondaryCount);
    EXPECT_EQ(a.HighestNumber, b.HighestNumber);
    EXPECT_EQ(a.LowestNumber, b.LowestNumber);
    EXPECT_EQ(a.OwnPool, b.OwnPool);
    EXPECT_EQ(a.AuxFlag, b.AuxFlag);
  }
  ASSERT_EQ(loaded.Entries.size(), 50);
  for (int32_t e = 0; e < 50; ++e) {
    EXPECT_EQ(loaded.Entries[e].Numbers, saved->Entries[e].Numbers);
    EXPECT_EQ(loaded.Entries[e].Source.view(), "A rather long database na") << "cut to 25 characters";
  }
}

TEST(Sl5File, LoadingReplacesAllEntriesAndFollowsTheFilesOwnSets) {
  MemoryFileSystem files;
  ASSERT_TRUE(Lotto649Database(4)->SaveToFile(files, "six.sl5"));
  auto game = hostside::MakeTwinPool(0);
  auto database = hostside::MakeSampleDatabase(*game, 9, 1);
  ASSERT_TRUE(database->LoadFromFile(files, false, "six.sl5"));
  ASSERT_EQ(database->NumberSets.size(), 1) << "the file's set count wins";
  ASSERT_EQ(database->Entries.size(), 4);
  for (const auto& entry : database->Entries) {
    ASSERT_EQ(entry.Numbers.size(), 1);
    EXPECT_EQ(entry.Numbers[0].size(), 6u);
  }
}

TEST(Sl5File, HeaderOnlyReadsTheSetsAndLeavesEntriesAlone) {
  MemoryFileSystem files;
  ASSERT_TRUE(Lotto649Database(4)->SaveToFile(files, "six.sl5"));
  auto database = Lotto649Database(2);
  database->NumberSets[0].HighestNumber = 50;
  ASSERT_TRUE(database->LoadFromFile(files, true, "six.sl5"));
  EXPECT_EQ(database->NumberSets[0].HighestNumber, 49);
  EXPECT_EQ(database->Entries.size(), 2);
}

TEST(Sl5File, AHeaderIsReadFromTheFilesStartUnlessItIsLongerThanThat) {
  MemoryFileSystem files;
  ASSERT_TRUE(Lotto649Database(200'000)->SaveToFile(files, "big.sl5"));
  TZUN_User_Lotto_DBase header;
  ASSERT_TRUE(header.LoadFromFile(files, true, "big.sl5"));
  EXPECT_EQ(files.startReads, 1) << "only the start of a 1.2 MB file";
  EXPECT_EQ(header.NumberSets.size(), 1);
  EXPECT_EQ(header.NumberSets[0].NumberCount, 6);

  // 4,000 sets of one number: a header of 72,004 bytes, longer than the
  // start a header-only read takes, so the whole file is read.
  ByteWriter w;
  const int32_t sets = 4000;
  w.I32(sets);
  for (int32_t i = 0; i < sets; ++i) {
    for (int32_t v : {1, 1, 9, 1}) w.I32(v);
    w.U8(0);
    w.U8(0);
  }
  w.I32(0);  // no entries
  ASSERT_GT(w.Buffer().size(), kSl5HeaderReadBytes);
  files.files["wide.sl5"] = w.Buffer();
  TZUN_User_Lotto_DBase wide;
  ASSERT_TRUE(wide.LoadFromFile(files, true, "wide.sl5"));
  EXPECT_EQ(wide.NumberSets.size(), sets);
  EXPECT_EQ(wide.NumberSets[sets - 1].HighestNumber, 9);

  files.files["cut.sl5"] = std::vector<uint8_t>(w.Buffer().begin(), w.Buffer().begin() + 100);
  TZUN_User_Lotto_DBase cut;
  EXPECT_FALSE(cut.LoadFromFile(files, true, "cut.sl5")) << "a header that breaks off in a short file";
}

TEST(Sl5File, ATruncatedFileKeepsTheWholeEntriesReadBeforeTheBreak) {
  const auto bytes = Sl5Bytes(*Lotto649Database(10));
  for (size_t n = 0; n < bytes.size(); ++n) {
    TZUN_User_Lotto_DBase database;
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
    ASSERT_FALSE(ParseSl5(database, cut, false, "cut.sl5")) << n;
    if (n >= 26) {
      EXPECT_EQ(database.Entries.size(), static_cast<int32_t>((n - 26) / 6)) << n;
      for (const auto& entry : database.Entries) EXPECT_EQ(entry.Source.view(), "cut.sl5");
    }
  }
}

// Merging reads each file behind the entries already there; a file that
// breaks off or plays other counts adds nothing at all.
TEST(Sl5File, AppendingReadsBehindTheEntriesOrAddsNothing) {
  const auto first = Lotto649Database(3);
  const auto second = Lotto649Database(4);
  const std::vector<uint8_t> bytes = Sl5Bytes(*second);
  TZUN_User_Lotto_DBase database;
  ASSERT_TRUE(ParseSl5(database, Sl5Bytes(*first), false, "a.sl5"));
  database.Entries.reserve(7);
  ASSERT_TRUE(AppendSl5(database, bytes, "b.sl5"));
  ASSERT_EQ(database.Entries.size(), 7);
  EXPECT_EQ(database.Entries.capacity(), 7) << "sized once, as reserved";
  EXPECT_TRUE(database.Entries[2].Numbers == first->Entries[2].Numbers);
  EXPECT_TRUE(database.Entries[3].Numbers == second->Entries[0].Numbers);
  EXPECT_EQ(database.Entries[6].Source.view(), "b.sl5");
  EXPECT_EQ(database.Entries[0].Source.view(), "a.sl5");

  const auto twin = hostside::MakeSampleDatabase(*hostside::MakeTwinPool(0), 2, 1);
  const std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 1);
  for (const auto& refused : {cut, Sl5Bytes(*twin), std::vector<uint8_t>{1, 2}}) {
    EXPECT_FALSE(AppendSl5(database, refused, "x.sl5"));
    EXPECT_EQ(database.Entries.size(), 7);
  }
}

TEST(Sl5File, ImpossibleCountsFailWithoutSizingAnything) {
  struct Case {
    int32_t sets, numberCount, entries;
  } cases[] = {{-1, 6, 0}, {1000000, 6, 0}, {1, -6, 0}, {1, 100000, 0}, {1, 6, -1}, {1, 6, 0x7fffffff}};
  for (const auto& c : cases) {
    ByteWriter b;
    b.I32(c.sets);
    if (c.sets == 1) {
      b.I32(c.numberCount), b.I32(c.numberCount), b.I32(49), b.I32(1), b.U8(0), b.U8(0);
    }
    b.I32(c.entries);
    b.Bytes("abcdef", 6);
    TZUN_User_Lotto_DBase database;
    EXPECT_FALSE(ParseSl5(database, b.Buffer(), false, "x.sl5")) << c.sets << " " << c.numberCount << " " << c.entries;
    EXPECT_LE(database.Entries.size(), 1);
  }
}

TEST(Sl5File, EntriesWithoutNumbersAreBoundedSinceTheFileDoesNotBackThem) {
  ByteWriter b;
  b.I32(0);
  b.I32(kMaxEntriesWithoutNumbers + 1);
  TZUN_User_Lotto_DBase database;
  EXPECT_FALSE(ParseSl5(database, b.Buffer(), false, "x.sl5"));
  EXPECT_EQ(database.Entries.size(), kMaxEntriesWithoutNumbers);
}

TEST(Sl5File, EmptySetsCannotMakeASmallFileTakeGigabytes) {
  // A thousand sets of no numbers: 18 KB of file, yet every entry would
  // carry a reference per set.
  ByteWriter b;
  b.I32(1000);
  for (int s = 0; s < 1000; ++s) b.I32(0), b.I32(0), b.I32(49), b.I32(1), b.U8(0), b.U8(0);
  b.I32(kMaxEntriesWithoutNumbers);
  TZUN_User_Lotto_DBase database;
  EXPECT_FALSE(ParseSl5(database, b.Buffer(), false, "x.sl5"));
  EXPECT_LT(database.Entries.size(), kMaxEntriesWithoutNumbers / 2);
  EXPECT_GT(database.Entries.size(), 0);
}

TEST(Sl5File, EntriesWithoutNumbersRoundTrip) {
  TZUN_User_Lotto_DBase database;
  database.Entries.resize(3);
  const auto bytes = Sl5Bytes(database);
  EXPECT_EQ(bytes.size(), 8u);
  TZUN_User_Lotto_DBase loaded;
  ASSERT_TRUE(ParseSl5(loaded, bytes, false, "none.sl5"));
  EXPECT_EQ(loaded.Entries.size(), 3);
}

TEST(Sl5File, AFailedSaveReportsFalseAndKeepsTheOldFile) {
  MemoryFileSystem files;
  const auto old = Sl5Bytes(*Lotto649Database(3));
  files.files["keep.sl5"] = old;
  const auto bigger = Lotto649Database(100000);

  files.failWritesAfter = 300000;  // the disk fills up part way
  EXPECT_FALSE(bigger->SaveToFile(files, "keep.sl5"));
  EXPECT_EQ(files.files["keep.sl5"], old);

  files.failWritesAfter = -1;
  files.failCommit = true;
  EXPECT_FALSE(bigger->SaveToFile(files, "keep.sl5"));
  EXPECT_EQ(files.files["keep.sl5"], old);

  files.failCommit = false;
  files.failTemporaryFile = true;
  EXPECT_FALSE(bigger->SaveToFile(files, "keep.sl5"));
  EXPECT_EQ(files.files["keep.sl5"], old);
}

TEST(Sl5File, RefusesToSaveEntriesTheFileCouldNotDescribe) {
  // A database left with no sets by loading a file that declares none, then
  // given entries shaped for the game: written as is, the numbers would be
  // lost on the next load.
  MemoryFileSystem files;
  auto database = Lotto649Database(2);
  database->NumberSets.clear();
  EXPECT_FALSE(database->SaveToFile(files, "lost.sl5"));
  EXPECT_STREQ(ErrorLocation, "ZUN Builder SubMain-Files 001001") << "kept for the caller's report";
  EXPECT_EQ(files.files.count("lost.sl5"), 0u);

  // The last entry holds a number fewer than its set: found only once the
  // others are written, and the file is still not made.
  auto shortLast = Lotto649Database(3);
  const int32_t five[] = {5};
  shortLast->Entries[2].Numbers.Reshape(EntryNumbers::Shape(five));
  EXPECT_FALSE(shortLast->SaveToFile(files, "lost.sl5"));
  EXPECT_EQ(files.files.count("lost.sl5"), 0u);
}

TEST(Sl5File, MissingFileIsFalse) {
  MemoryFileSystem files;
  TZUN_User_Lotto_DBase database;
  EXPECT_FALSE(database.LoadFromFile(files, false, "missing.sl5"));
  EXPECT_STREQ(ErrorLocation, "ZUN Builder SubMain-Files 001002");
}

}  // namespace
}  // namespace zun
