#pragma once

// The older ".sl4" and ".sl3" files: fixed-size records of six numbers for a
// 6-from-49 game. ".sl4" is a plain sequence of 29-byte OldEntryRecords;
// ".sl3" holds six unsigned 16-bit values per record, stored in reverse
// order. Trailing bytes that do not make a whole record are ignored.
//
// Unlike the ".sl5" reader, these let file errors pass to the caller as
// FileError (a missing file, a file shorter than the count promises).

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/file_kind.h"
#include "model/host_memory.h"
#include "model/user_database.h"

namespace zun {

class FileSystem;

struct OldEntryRecord {
  ShortString<20> RecordName;  // replaced by the file's name after reading
  uint8_t Unused21;
  uint8_t RecordNumbers[6];  // in entry order
  uint8_t Unused28;
};
static_assert(sizeof(OldEntryRecord) == 29);
static_assert(offsetof(OldEntryRecord, RecordNumbers) == 22);

inline constexpr int32_t kSl4RecordBytes = 29;
inline constexpr int32_t kSl3RecordBytes = 12;

// Whole records of recordSize bytes in the file.
int32_t RecordCount(FileSystem& files, const std::string& path, int32_t recordSize);
// Whole 12-byte ".sl3" records in the file.
int32_t SL3RecordCount(FileSystem& files, const std::string& path);
// Whole records of a ".sl4" or ".sl3" file, by its kind; 0 for other kinds.
int32_t OldRecordCount(FileSystem& files, const std::string& path, FileKind kind);

// Fills records[0..count) from a ".sl4" (block copy) or ".sl3" file, by its
// kind; any other kind reads nothing. Then every record of the count gets
// the file's name as its RecordName.
void ReadOldFile(FileSystem& files, std::vector<OldEntryRecord>& records, const std::string& path, FileKind kind,
                 int32_t count);
// Fills the numbers of records[0..count) from a ".sl3" file.
void ReadSL3(FileSystem& files, std::vector<OldEntryRecord>& records, const std::string& path, int32_t count);

// The record parsers on a file's bytes; whole records only.
std::vector<OldEntryRecord> ParseSl4Records(std::span<const uint8_t> bytes);
std::vector<OldEntryRecord> ParseSl3Records(std::span<const uint8_t> bytes);

// Appends one entry per record after those present: the six numbers go into
// the first number set, the source is sourceName cut to 25 characters.
void AppendOldRecords(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database,
                      std::span<const OldEntryRecord> records, std::string_view sourceName);

}  // namespace zun
