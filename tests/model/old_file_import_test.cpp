#include <gtest/gtest.h>

#include "base/byte_writer.h"
#include "base/error_location.h"
#include "hostside/sample_games.h"
#include "model/old_file_import.h"
#include "model/suitability.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

using testing::MemoryFileSystem;

std::vector<uint8_t> Sl4Record(const char* name, std::initializer_list<uint8_t> numbers) {
  OldEntryRecord record{};
  record.RecordName.assign(name);
  int k = 0;
  for (uint8_t n : numbers) record.RecordNumbers[k++] = n;
  return hostside::Sl4Bytes({record});
}

TEST(OldFileImport, Sl3ValuesAreStoredLastNumberFirst) {
  MemoryFileSystem files;
  ByteWriter b;
  for (uint16_t v : {1, 2, 3, 4, 5, 0x0106}) b.U16(v);  // only the low byte counts
  files.files["C:\\old\\picks.sl3"] = b.Buffer();
  const int32_t count = SL3RecordCount(files, "C:\\old\\picks.sl3");
  ASSERT_EQ(count, 1);
  std::vector<OldEntryRecord> records(1);
  ReadOldFile(files, records, "C:\\old\\picks.sl3", FileKind::Sl3, count);
  EXPECT_EQ(std::vector<uint8_t>(records[0].RecordNumbers, records[0].RecordNumbers + 6),
            (std::vector<uint8_t>{6, 5, 4, 3, 2, 1}));
  EXPECT_EQ(records[0].RecordName.view(), "picks.sl3");
  EXPECT_EQ(ParseSl3Records(b.Buffer())[0].RecordNumbers[0], 6);
}

TEST(OldFileImport, CountsOnlyWholeRecords) {
  MemoryFileSystem files;
  files.files["a.sl4"] = std::vector<uint8_t>(58);
  files.files["b.sl4"] = std::vector<uint8_t>(60);
  files.files["c.sl4"] = {};
  files.files["d.sl3"] = std::vector<uint8_t>(35);
  EXPECT_EQ(RecordCount(files, "a.sl4", 29), 2);
  EXPECT_EQ(RecordCount(files, "b.sl4", 29), 2);
  EnterOperation("the import");
  EXPECT_EQ(RecordCount(files, "c.sl4", 29), 0);
  EXPECT_STREQ(ErrorLocation, "the import") << "a finished count gives its caller's code back";
  EXPECT_THROW(RecordCount(files, "missing.sl4", 29), FileError);
  EXPECT_STREQ(ErrorLocation, "SL4 SubMain 004003");
  EXPECT_EQ(SL3RecordCount(files, "d.sl3"), 2);
  EXPECT_THROW(SL3RecordCount(files, "missing.sl3"), FileError);
  EXPECT_STREQ(ErrorLocation, "SL4 SubMain 004007") << "a missing .sl3 file reports the .sl3 count's code";
  EXPECT_EQ(ParseSl4Records(std::vector<uint8_t>(60)).size(), 2u);
}

TEST(OldFileImport, Sl4RecordsAreCopiedWholeAndRenamedAfterTheFile) {
  MemoryFileSystem files;
  auto bytes = Sl4Record("Whatever it said", {3, 9, 15, 21, 33, 48});
  const auto second = Sl4Record("", {1, 2, 3, 4, 5, 6});
  bytes.insert(bytes.end(), second.begin(), second.end());
  const std::string path = "C:\\Lotto files\\A very long old file name indeed.sl4";
  files.files[path] = bytes;
  std::vector<OldEntryRecord> records(2);
  ReadOldFile(files, records, path, FileKind::Sl4, RecordCount(files, path, 29));
  EXPECT_EQ(records[0].RecordNumbers[5], 48);
  EXPECT_EQ(records[1].RecordNumbers[0], 1);
  EXPECT_EQ(records[0].RecordName.view(), "A very long old file") << "cut to 20 characters";
  EXPECT_EQ(records[1].RecordName.view(), "A very long old file");
}

TEST(OldFileImport, AnExtensionInCapitalsReadsNoNumbers) {
  MemoryFileSystem files;
  files.files["OLD.SL4"] = Sl4Record("x", {1, 2, 3, 4, 5, 6});
  std::vector<OldEntryRecord> records(1);
  ReadOldFile(files, records, "OLD.SL4", FileKindOf("OLD.SL4"), RecordCount(files, "OLD.SL4", 29));
  EXPECT_EQ(records[0].RecordNumbers[0], 0);
  EXPECT_EQ(records[0].RecordName.view(), "OLD.SL4");
}

TEST(FileKinds, AreDecidedByTheExactExtensionOfTheFileNameAlone) {
  EXPECT_EQ(FileKindOf("C:\\db\\picks.sl5"), FileKind::Sl5);
  EXPECT_EQ(FileKindOf("picks.sl4"), FileKind::Sl4);
  EXPECT_EQ(FileKindOf("/home/me/picks.sl3"), FileKind::Sl3);
  EXPECT_EQ(FileKindOf("C:\\db\\picks.SL5"), FileKind::Other);
  EXPECT_EQ(FileKindOf("C:\\db.sl5\\picks"), FileKind::Other) << "a folder's extension is not the file's";
  EXPECT_EQ(FileKindOf("C:\\db\\picks.sl5.bak"), FileKind::Other);
  EXPECT_EQ(FileKindOf(""), FileKind::Other);
  EXPECT_TRUE(IsOldFormat(FileKind::Sl4) && IsOldFormat(FileKind::Sl3));
  EXPECT_FALSE(IsOldFormat(FileKind::Sl5) || IsOldFormat(FileKind::Other));
  const std::vector<DatabaseFileName> named = DatabaseFileNames({"b.sl3", "a.sl5"});
  ASSERT_EQ(named.size(), 2u);
  EXPECT_EQ(named[0].path, "b.sl3");
  EXPECT_EQ(named[0].kind, FileKind::Sl3);
  EXPECT_EQ(named[1].kind, FileKind::Sl5);
}

TEST(OldFileImport, FileErrorsPassToTheCaller) {
  MemoryFileSystem files;
  std::vector<OldEntryRecord> records(3);
  EXPECT_THROW(RecordCount(files, "missing.sl4", 29), FileError);
  EXPECT_THROW(ReadOldFile(files, records, "missing.sl4", FileKind::Sl4, 1), FileError);
  // A file shorter than the count promises.
  files.files["short.sl4"] = std::vector<uint8_t>(29);
  EXPECT_THROW(ReadOldFile(files, records, "short.sl4", FileKind::Sl4, 2), FileError);
  files.files["short.sl3"] = std::vector<uint8_t>(12, 7);
  EXPECT_THROW(ReadOldFile(files, records, "short.sl3", FileKind::Sl3, 4), std::out_of_range)
      << "more records than the caller's array holds";
  // A ".sl3" file holding fewer records than counted: the records read are
  // kept, the rest are zero, and the error still passes on.
  records[0] = OldEntryRecord{};
  records[1].RecordNumbers[0] = 9;
  EXPECT_THROW(ReadSL3(files, records, "short.sl3", 3), FileError);
  EXPECT_EQ(records[0].RecordNumbers[0], 7);
  EXPECT_EQ(records[1].RecordNumbers[0], 0);
}

TEST(OldFileImport, AppendedEntriesCarryTheNumbersAndTheFileName) {
  const auto game = hostside::MakeLotto649(0);
  auto database = hostside::MakeSampleDatabase(*game, 2, 4);
  ASSERT_TRUE(TakesOldFormats(*game, *database));
  const auto records = hostside::MakeOldRecords(3, 8);
  AppendOldRecords(*game, *database, records, "A name that is longer than 25 characters.sl4");
  ASSERT_EQ(database->Entries.size(), 5);
  for (int32_t i = 0; i < 3; ++i) {
    const auto& entry = database->Entries[2 + i];
    for (int k = 0; k < 6; ++k) EXPECT_EQ(entry.Numbers[0][k], records[static_cast<size_t>(i)].RecordNumbers[k]);
    EXPECT_EQ(entry.Source.view(), "A name that is longer tha");
  }
}

TEST(OldFileImport, OnlyASixFromFortyNineGameWithOneBonusTakesOldFiles) {
  const auto lotto = hostside::MakeLotto649(0);
  const auto twin = hostside::MakeTwinPool(0);
  EXPECT_TRUE(TakesOldFormats(*lotto, *hostside::MakeSampleDatabase(*lotto, 0, 1)));
  EXPECT_FALSE(TakesOldFormats(*twin, *hostside::MakeSampleDatabase(*twin, 0, 1)));
  auto bonusInOwnPool = hostside::MakeLotto649(0);
  bonusInOwnPool->DrawSets[1].OwnPool = 1;
  EXPECT_FALSE(TakesOldFormats(*bonusInOwnPool, *hostside::MakeSampleDatabase(*bonusInOwnPool, 0, 1)));
  auto database = hostside::MakeSampleDatabase(*lotto, 0, 1);
  database->NumberSets[0].SecondaryCount = 5;
  EXPECT_FALSE(TakesOldFormats(*lotto, *database));
  auto twoSets = hostside::MakeSampleDatabase(*lotto, 0, 1);
  twoSets->NumberSets.push_back(twoSets->NumberSets[0]);
  EXPECT_FALSE(TakesOldFormats(*lotto, *twoSets)) << "old records fill one set; a second would stay empty";
}

// Each of the six fields alone makes a set unfit; the two flags fit when
// they equal the play set's or the draw set's at the same position, which
// is what an append copies into a database the add-on then saves.
TEST(Suitability, EachFieldAloneDecidesAndTheFlagsMayBeTheDrawSets) {
  auto game = hostside::MakeTwinPool(0);
  game->DrawSets[1].OwnPool = game->PlaySets[1].OwnPool ? 0 : 1;
  game->DrawSets[1].AuxFlag = 1;
  ASSERT_EQ(game->PlaySets[1].AuxFlag, 0);
  struct Case {
    const char* change;
    void (*apply)(Lotto_Numbers_Framework&, const Lotto_Numbers_Framework& draw);
    bool fits;
  };
  const Case cases[] = {
      {"nothing", [](auto&, auto&) {}, true},
      {"NumberCount", [](auto& s, auto&) { ++s.NumberCount; }, false},
      {"SecondaryCount", [](auto& s, auto&) { ++s.SecondaryCount; }, false},
      {"HighestNumber", [](auto& s, auto&) { --s.HighestNumber; }, false},
      {"LowestNumber", [](auto& s, auto&) { ++s.LowestNumber; }, false},
      {"OwnPool alone", [](auto& s, auto&) { s.OwnPool = s.OwnPool ? 0 : 1; }, false},
      {"AuxFlag alone", [](auto& s, auto&) { s.AuxFlag = 1; }, false},
      {"both flags of the draw set",
       [](auto& s, auto& draw) {
         s.OwnPool = draw.OwnPool;
         s.AuxFlag = draw.AuxFlag;
       },
       true},
  };
  for (const Case& c : cases) {
    auto header = hostside::MakeSampleDatabase(*game, 0, 1);
    c.apply(header->NumberSets[1], game->DrawSets[1]);
    EXPECT_EQ(SetsFitGame(*header, *game), c.fits) << c.change;
  }
}

TEST(Suitability, SetsFitWhenAllSixFieldsAgreeOrTheFileDeclaresNone) {
  const auto game = hostside::MakeTwinPool(0);
  auto header = hostside::MakeSampleDatabase(*game, 0, 1);
  EXPECT_TRUE(SetsFitGame(*header, *game));
  header->NumberSets[1].SecondaryCount = 3;
  EXPECT_FALSE(SetsFitGame(*header, *game)) << "a difference in the secondary count alone";
  header->NumberSets.resize(1);
  EXPECT_FALSE(SetsFitGame(*header, *game));
  header->NumberSets.clear();
  EXPECT_TRUE(SetsFitGame(*header, *game));
}

}  // namespace
}  // namespace zun
