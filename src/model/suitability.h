#pragma once

#include "model/lotto_game.h"
#include "model/user_database.h"

namespace zun {

// Whether the number sets read from a ".sl5" header fit the game: as many
// sets as the game has play sets, each equal in NumberCount, SecondaryCount,
// HighestNumber, LowestNumber, OwnPool and AuxFlag. A file that declares no
// sets fits any game.
bool SetsFitGame(const TZUN_User_Lotto_DBase& fileHeader, const TZUN_Lotto_DBase& game);

// Whether ".sl4" and ".sl3" records (six numbers from 1 to 49) fit: a
// 6-from-49 game with one bonus ball whose user database has one set of six
// numbers from 1 to 49.
bool TakesOldFormats(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database);

}  // namespace zun
