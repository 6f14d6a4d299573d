#pragma once

// Whether a database file can be loaded into the current game.

#include <string>

#include "model/file_kind.h"
#include "model/lotto_game.h"
#include "model/user_database.h"

namespace zun {

class FileSystem;

// Whether the number sets read from a ".sl5" header fit the game: as many
// sets as the game has play sets, each equal to its play set in
// NumberCount, SecondaryCount, HighestNumber and LowestNumber, and in
// OwnPool and AuxFlag equal to the play set's or to the draw set's at the
// same position (an append copies those two flags from the draw sets, so a
// file the add-on saved carries them). A file that declares no sets fits
// any game.
bool SetsFitGame(const TZUN_User_Lotto_DBase& fileHeader, const TZUN_Lotto_DBase& game);

// Whether ".sl4" and ".sl3" records (six numbers from 1 to 49) fit: a
// 6-from-49 game with one bonus ball whose user database has one set of six
// numbers from 1 to 49.
bool TakesOldFormats(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database);

// Whether a file can be loaded into the current game, by its kind: a
// ".sl5" by its header (it must declare sets, and they must fit the game),
// ".sl4" and ".sl3" when the game and database take six numbers from 49.
// With `failures`, a ".sl5" whose header cannot be read adds its path and
// "\r".
bool IsSuitableFile(FileSystem& files, const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                    const DatabaseFileName& file, std::string* failures);

}  // namespace zun
