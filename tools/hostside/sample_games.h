#pragma once

// The sample games that ship with the project, built in code so that the
// files in samples/ can always be made again byte for byte (make_samples).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/lotto_game.h"
#include "model/old_file_import.h"
#include "model/user_database.h"

namespace zun::hostside {

// 6 from 1-49 with a bonus ball, no labels, prize data and machine names.
std::unique_ptr<TZUN_Lotto_Temp> MakeLotto649(int32_t drawCount = 40);
// Entries of two play sets: 5 from 1-50 and 2 from 1-12 with a pool of its
// own (number labels "S01".."S12"), grids side by side, selection grid data.
std::unique_ptr<TZUN_Lotto_Temp> MakeTwinPool(int32_t drawCount = 30);
// A digit game: 3 columns (positions) by 10 rows (digits 0-9) with row
// labels listed column by column and one ball per column.
std::unique_ptr<TZUN_Lotto_Temp> MakePickThree(int32_t drawCount = 30);

struct SampleGame {
  std::string fileName;
  std::unique_ptr<TZUN_Lotto_Temp> game;
};
std::vector<SampleGame> MakeSampleGames();

// A user database for game with `count` entries of valid picks, each set's
// numbers ascending, drawn from a fixed seed.
std::unique_ptr<TZUN_User_Lotto_DBase> MakeSampleDatabase(const TZUN_Lotto_DBase& game, int32_t count,
                                                          uint32_t seed);

// A .sl5 file of the first `count` combinations of a one-set game's
// numbers (6 from 49: 13,983,816 in all), in lexicographic order, as udbtool
// wheel writes them; fewer when the game has fewer.
std::vector<uint8_t> CombinationsSl5(const TZUN_Lotto_DBase& game, int32_t count);

// Six-number records for the older formats.
std::vector<OldEntryRecord> MakeOldRecords(int32_t count, uint32_t seed);
std::vector<uint8_t> Sl4Bytes(const std::vector<OldEntryRecord>& records);
std::vector<uint8_t> Sl3Bytes(const std::vector<OldEntryRecord>& records);

}  // namespace zun::hostside
