#include <gtest/gtest.h>

#include <cstring>
#include <string_view>

#include "base/byte_writer.h"
#include "base/error_location.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/game_file_reader.h"
#include "support/memory_file_system.h"

namespace zun {
namespace {

// Game file bytes written field by field, independently of our writer.
struct GameBytes : ByteWriter {
  void Text(std::string_view s, int n) {
    U8(static_cast<uint8_t>(s.size()));
    Bytes(s.data(), s.size());
    for (size_t i = s.size(); i < static_cast<size_t>(n); ++i) U8(0);
  }
  void Value8(uint8_t fill) {
    for (int i = 0; i < 8; ++i) U8(fill);
  }
};

// A small game: one draw set (3 from 1-30, 3 x 10 grid, row labels "0".."9",
// column extra value), one play set (2 from 1-9 with column labels), one game
// play with one division and one cost, prize data, machine names, two draws.
std::vector<uint8_t> SmallGameFile(bool withDraws = true) {
  GameBytes b;
  b.Text("Small", 40);
  b.Text("Second text", 40);
  b.U8(1);
  b.Text("Third text", 40);
  b.I32(1);  // draw sets
  b.U8(7);   // HeaderByte
  // draw set
  b.Text("Digits", 30);
  b.I32(3), b.I32(30), b.I32(1), b.U8(0), b.U8(1);
  b.I32(3), b.I32(0), b.U8(0), b.U8(1), b.I32(42);                 // Columns: extra value 42
  b.I32(10), b.I32(1), b.U8(1), b.U8(0);                            // Rows: labels, by column
  for (int d = 0; d <= 9; ++d) b.Text(std::to_string(d), 5);
  b.U8(0);                                                          // Rows: no extra
  b.U8(0);                                                          // no number labels
  b.U8(0);                                                          // HasGrids
  for (int i = 1; i <= 7; ++i) b.U8(static_cast<uint8_t>(i));      // IndexedFlags
  b.I32(1);                                                         // game plays
  b.Text("Straight", 20);
  b.I32(1);                                                         // divisions
  b.Text("Top", 30), b.I32(3), b.I32(500);                          // one match per draw set, value
  b.I32(1);                                                         // costs
  b.Value8(0x11), b.I32(1), b.Value8(0x22);                         // cost value, 1 item
  b.U8(0);                                                          // NoPrizeData clear
  b.U8(1);                                                          // HasMachineInfo
  b.I32(1);                                                         // play sets
  b.U8(1);                                                          // PlayFlag
  b.Text("Pair", 30);
  b.I32(2), b.I32(2), b.I32(9), b.I32(1), b.U8(1), b.U8(0);
  b.I32(3), b.I32(1), b.U8(1);                                      // Columns with labels
  b.Text("A", 5), b.Text("B", 5), b.Text("C", 5);
  b.I32(3), b.I32(0), b.U8(0), b.U8(1);                             // Rows, in entry order
  b.U8(0);                                                          // no number labels
  if (!withDraws) return std::move(b.Buffer());
  b.I32(2);                                                         // draws
  b.Text("01/01/2026", 10), b.Text("02/01/2026", 10);
  b.I32(501), b.I32(502);
  b.U8(8), b.U8(3), b.U8(10);                                       // draw 0 numbers
  b.U8(1), b.U8(5), b.U8(9);                                        // draw 1 numbers
  b.Value8(0x33), b.I32(1000);                                      // draw 0 item
  b.Value8(0x44), b.I32(2000);                                      // draw 1 item
  b.Value8(1), b.Value8(2), b.Value8(3), b.Value8(4);               // draw values
  b.Text("Arthur", 15), b.Text("Set 1", 15);
  b.Text("Arthur", 15), b.Text("Set 2", 15);
  return std::move(b.Buffer());
}

TEST(GameFileReader, ReadsEveryFieldOfAHandWrittenFile) {
  TZUN_Lotto_Temp game;
  ASSERT_TRUE(ParseGameFile(game, SmallGameFile(), false));
  EXPECT_EQ(game.GameName.view(), "Small");
  EXPECT_EQ(game.GameText3.view(), "Third text");
  EXPECT_EQ(game.HeaderByte, 7);
  EXPECT_EQ(game.IndexedFlags[6], 7);
  ASSERT_EQ(game.DrawSets.size(), 1);
  const auto& drawSet = game.DrawSets[0];
  EXPECT_EQ(drawSet.NumberCount, 3);
  EXPECT_EQ(drawSet.SecondaryCount, 0) << "a draw set has no secondary count in the file";
  EXPECT_EQ(drawSet.AuxFlag, 1);
  EXPECT_EQ(drawSet.Grid.Columns.ExtraValue, 42);
  EXPECT_EQ(drawSet.Grid.Rows.Labels[9].view(), "9");
  EXPECT_EQ(drawSet.Grid.Rows.LineLimit, 1);
  ASSERT_EQ(game.GamePlays.size(), 1);
  EXPECT_EQ(game.GamePlays[0].Divisions[0].Matches[0], 3);
  EXPECT_EQ(game.GamePlays[0].Divisions[0].DivisionValue, 500);
  EXPECT_EQ(game.GamePlays[0].Costs[0].CostItems[0].ItemValue.Bytes[0], 0x22);
  ASSERT_EQ(game.PlaySets.size(), 1);
  const auto& playSet = game.PlaySets[0];
  EXPECT_EQ(playSet.SecondaryCount, 2);
  EXPECT_EQ(playSet.OwnPool, 1);
  EXPECT_EQ(playSet.Grid.Columns.Labels[2].view(), "C");
  EXPECT_EQ(playSet.Grid.Columns.ExtraFlag, 0) << "a play set has no extra values in the file";
  EXPECT_EQ(playSet.Grid.Rows.InEntryOrder, 1);
  EXPECT_EQ(game.PlayFlag, 1);
  ASSERT_EQ(game.Draws.size(), 2);
  EXPECT_EQ(game.Draws[1].DrawText.view(), "02/01/2026");
  EXPECT_EQ(game.Draws[1].DrawId, 502);
  EXPECT_EQ(game.Draws[0].DrawNumbers[0][2], 10);
  EXPECT_EQ(game.Draws[1].DrawPlays[0].Costs[0].CostItems[0].ItemCount, 2000);
  EXPECT_EQ(game.Draws[1].DrawPlays[0].Divisions.size(), 1) << "divisions are sized, not read, per draw";
  EXPECT_EQ(game.Draws[1].DrawValue2.Bytes[0], 4);
  EXPECT_EQ(game.Draws[1].BallSetName.view(), "Set 2");
}

TEST(GameFileReader, HeaderOnlyStopsBeforeTheDraws) {
  testing::MemoryFileSystem files;
  files.files["small.dat"] = SmallGameFile();
  TZUN_Lotto_Temp game;
  game.FileName = "small.dat";
  ASSERT_TRUE(game.ReadGameFile(files, true));
  EXPECT_EQ(game.PlaySets.size(), 1);
  EXPECT_EQ(game.Draws.size(), 0);
  EXPECT_EQ(game.MachineStats.size(), 0);
  EXPECT_EQ(game.MachineBallSetStats.size(), 0);
}

TEST(GameFileReader, WriterWritesBackTheSameBytes) {
  TZUN_Lotto_Temp game;
  const auto bytes = SmallGameFile();
  ASSERT_TRUE(ParseGameFile(game, bytes, false));
  EXPECT_EQ(hostside::WriteGameFile(game), bytes);
  for (const auto& sample : hostside::MakeSampleGames()) {
    const auto written = hostside::WriteGameFile(*sample.game);
    TZUN_Lotto_Temp read;
    ASSERT_TRUE(ParseGameFile(read, written, false)) << sample.fileName;
    EXPECT_EQ(hostside::WriteGameFile(read), written) << sample.fileName;
  }
}

TEST(GameFileReader, EveryTruncationFailsAndKeepsWhatWasRead) {
  const auto bytes = SmallGameFile();
  for (size_t n = 0; n < bytes.size(); ++n) {
    TZUN_Lotto_Temp game;
    const std::vector<uint8_t> cut(bytes.begin(), bytes.begin() + static_cast<long>(n));
    EXPECT_FALSE(ParseGameFile(game, cut, false)) << "cut at " << n;
    if (n >= 41) {
      EXPECT_EQ(game.GameName.view(), "Small") << "cut at " << n;
    }
  }
  // The header alone is a complete header-only read.
  TZUN_Lotto_Temp header;
  EXPECT_TRUE(ParseGameFile(header, SmallGameFile(false), true));
}

// Puts a 32-bit value at a byte offset of a copy of bytes.
std::vector<uint8_t> WithI32At(std::vector<uint8_t> bytes, size_t offset, int32_t value) {
  std::memcpy(bytes.data() + offset, &value, 4);
  return bytes;
}

TEST(GameFileReader, RefusesCountsTheFileCannotHoldBeforeSizingAnything) {
  const auto bytes = SmallGameFile();
  const size_t drawSetCount = 41 * 3 + 1;
  for (int32_t bad : {-1, 1000, 0x7fffffff}) {
    TZUN_Lotto_Temp game;
    EXPECT_FALSE(ParseGameFile(game, WithI32At(bytes, drawSetCount, bad), false));
    EXPECT_EQ(game.DrawSets.size(), 0) << bad;
  }
  // More draws than even their texts could fill leave Draws empty.
  const size_t drawCount = SmallGameFile(false).size();
  for (int32_t bad : {-2, 100, 0x10000000}) {
    TZUN_Lotto_Temp game;
    EXPECT_FALSE(ParseGameFile(game, WithI32At(bytes, drawCount, bad), false));
    EXPECT_EQ(game.Draws.size(), 0) << bad;
    EXPECT_EQ(game.PlaySets.size(), 1) << "the definition read before stays";
  }
  // One draw more than the file holds: the passes read what is there.
  TZUN_Lotto_Temp game;
  EXPECT_FALSE(ParseGameFile(game, WithI32At(bytes, drawCount, 3), false));
  ASSERT_EQ(game.Draws.size(), 3);
  EXPECT_EQ(game.Draws[1].DrawText.view(), "02/01/2026");
}

TEST(GameFileReader, RefusesNumberCountsNoEntryCouldHold) {
  auto game = hostside::MakeLotto649(2);
  game->PlaySets[0].NumberCount = -6;
  TZUN_Lotto_Temp read;
  EXPECT_FALSE(ParseGameFile(read, hostside::WriteGameFile(*game), false));
  game->PlaySets[0].NumberCount = kMaxNumbersPerSet + 1;
  EXPECT_FALSE(ParseGameFile(read, hostside::WriteGameFile(*game), false));
}

TEST(GameFileReader, DrawsThatWouldTakeFarMoreMemoryThanTheFileAreRefused) {
  // Game plays without costs take 29 bytes each in the definition and no
  // bytes in a draw, yet every draw would get a record for each of them.
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->NoPrizeData = 0;
  game->GamePlays.resize(2000);
  const auto header = hostside::WriteGameFile(*game);
  GameBytes b;
  b.Bytes(header.data(), header.size() - 4);  // drop the draw count of 0
  const int32_t draws = 20000;
  b.I32(draws);
  for (int32_t i = 0; i < draws; ++i) b.Text("", 10);
  for (int32_t i = 0; i < draws; ++i) b.I32(i);
  for (int32_t i = 0; i < draws; ++i) b.Value8(0), b.Value8(0);
  TZUN_Lotto_Temp read;
  EXPECT_FALSE(ParseGameFile(read, b.Buffer(), false));
  EXPECT_EQ(read.Draws.size(), 0);
  EXPECT_EQ(read.GamePlays.size(), 2000);
  // The same few draws are fine.
  game->Draws.resize(3);
  for (auto& draw : game->Draws) draw.DrawPlays.resize(2000);
  TZUN_Lotto_Temp small;
  EXPECT_TRUE(ParseGameFile(small, hostside::WriteGameFile(*game), false));
  EXPECT_EQ(small.Draws.size(), 3);
}

TEST(GameFileReader, MissingFileLeavesTheObjectAlone) {
  testing::MemoryFileSystem files;
  TZUN_Lotto_Temp game;
  game.FileName = "nowhere.dat";
  game.GameName.assign("Before");
  EXPECT_FALSE(game.ReadGameFile(files, false));
  EXPECT_EQ(game.GameName.view(), "Before");
  EXPECT_STREQ(ErrorLocation, "ZUN SubMain-Files 001002");
}

TEST(GameFileReader, StatisticsRunAfterAFailedReadOnWhatWasRead) {
  auto sample = hostside::MakeLotto649(10);
  auto bytes = hostside::WriteGameFile(*sample);
  bytes.pop_back();  // the last ball set name breaks off
  testing::MemoryFileSystem files;
  files.files["cut.dat"] = bytes;
  TZUN_Lotto_Temp game;
  game.FileName = "cut.dat";
  EXPECT_FALSE(game.ReadGameFile(files, false));
  EXPECT_EQ(game.Draws.size(), 10);
  EXPECT_GT(game.MachineStats.size(), 0);
  EXPECT_STREQ(ErrorLocation, "ZUN SubMain-Files 001002") << "the failed read's code, not the statistics' after it";
}

}  // namespace
}  // namespace zun
