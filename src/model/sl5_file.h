#pragma once

// The ".sl5" file: a flat little-endian file without magic or version.
//
//   set count S (int32)
//   S x { NumberCount, SecondaryCount, HighestNumber, LowestNumber (int32 each),
//         OwnPool (1 byte), AuxFlag (1 byte) }
//   entry count E (int32)
//   E x { for each set in order: its NumberCount ball numbers, one int8 each }
//
// Names, grids, labels and sources are not stored: the reading side's game
// supplies them, and loaded entries take the file's name as their source.

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "model/user_database.h"

namespace zun {

class FileWriter;

// Entries whose sets hold no numbers take no bytes in the file, so their
// count is not backed by the file's size; a file may declare at most this
// many of them. Only a game without numbers to play has such entries, so a
// few bytes must not make the reader build a million.
inline constexpr int32_t kMaxEntriesWithoutNumbers = 1 << 16;

// How much of a file's start a header-only read takes: the header of up to
// 3,640 number sets. A longer header makes the whole file be read.
inline constexpr size_t kSl5HeaderReadBytes = 64 * 1024;

// Reads a ".sl5" image into database. Sets that already existed keep their
// names and grids. A file that breaks off, or whose counts are negative or
// larger than its bytes can hold, gives false; the sets and the whole entries
// read before that point stay. Nothing is sized beyond what the file backs,
// and the entries' memory stays within 64 bytes per byte of file (plus
// 64 MiB).
bool ParseSl5(TZUN_User_Lotto_DBase& database, std::span<const uint8_t> bytes, bool headerOnly,
              std::string_view sourceName);

// Appends a ".sl5" image's entries behind the database's, in its shape (the
// file's sets must play as many numbers as the database's). A file that
// breaks off, is of another shape or does not fit in memory appends
// nothing: false, the entries as they were.
bool AppendSl5(TZUN_User_Lotto_DBase& database, std::span<const uint8_t> bytes, std::string_view sourceName);

// Writes the database in ".sl5" form to out. False when a write fails, or
// when an entry's numbers do not have the shape the set records declare:
// such a file could not be read back as it was written.
bool WriteSl5(const TZUN_User_Lotto_DBase& database, FileWriter& out);

// The whole file in memory, for tests and tools.
std::vector<uint8_t> Sl5Bytes(const TZUN_User_Lotto_DBase& database);

}  // namespace zun
