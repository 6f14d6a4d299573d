#include "model/old_file_import.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "platform/file_system.h"

namespace zun {
namespace {

std::vector<uint8_t> ReadWhole(FileSystem& files, const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!files.ReadFile(path, bytes)) throw FileError("Cannot read file \"" + path + "\"");
  return bytes;
}

void CheckRecords(const std::vector<OldEntryRecord>& records, int32_t count) {
  if (count < 0 || static_cast<size_t>(count) > records.size())
    throw std::out_of_range("record count larger than the record array");
}

// The six numbers of one ".sl3" record: the low byte of each 16-bit value,
// value 6 first.
void Sl3Numbers(std::span<const uint8_t> record, uint8_t (&numbers)[6]) {
  for (int k = 0; k < 6; ++k) numbers[k] = record[static_cast<size_t>(2 * (5 - k))];
}

}  // namespace

namespace {

// Whole records of recordSize bytes; the caller has named itself.
int32_t CountRecords(FileSystem& files, const std::string& path, int32_t recordSize) {
  if (recordSize <= 0) throw std::invalid_argument("record size must be positive");
  int64_t size = 0;
  if (!files.FileSize(path, size)) throw FileError("Cannot open file \"" + path + "\"");
  const int64_t records = size / recordSize;
  if (records > std::numeric_limits<int32_t>::max()) throw FileError("File \"" + path + "\" is too large");
  return static_cast<int32_t>(records);
}

}  // namespace

int32_t RecordCount(FileSystem& files, const std::string& path, int32_t recordSize) {
  const OperationScope operation(codes::kRecordCount);
  return CountRecords(files, path, recordSize);
}

int32_t SL3RecordCount(FileSystem& files, const std::string& path) {
  // Its own code, also when the file is missing: the report names the
  // ".sl3" count, not the ".sl4" one.
  const OperationScope operation(codes::kSL3RecordCount);
  return CountRecords(files, path, kSl3RecordBytes);
}

int32_t OldRecordCount(FileSystem& files, const std::string& path, FileKind kind) {
  if (kind == FileKind::Sl4) return RecordCount(files, path, kSl4RecordBytes);
  if (kind == FileKind::Sl3) return SL3RecordCount(files, path);
  return 0;
}

void ReadOldFile(FileSystem& files, std::vector<OldEntryRecord>& records, const std::string& path, FileKind kind,
                 int32_t count) {
  const OperationScope operation(codes::kReadOldFile);
  CheckRecords(records, count);
  if (kind == FileKind::Sl4) {
    const std::vector<uint8_t> bytes = ReadWhole(files, path);
    const size_t wanted = static_cast<size_t>(count) * kSl4RecordBytes;
    if (bytes.size() < wanted) throw FileError("Read beyond end of file \"" + path + "\"");
    if (wanted != 0) std::memcpy(records.data(), bytes.data(), wanted);
  } else if (kind == FileKind::Sl3) {
    ReadSL3(files, records, path, count);
  }
  ShortString<20> recordName{};
  recordName.assign(FileNameOf(path));
  for (int32_t i = 0; i < count; ++i) records[static_cast<size_t>(i)].RecordName = recordName;
}

void ReadSL3(FileSystem& files, std::vector<OldEntryRecord>& records, const std::string& path, int32_t count) {
  const OperationScope operation(codes::kReadSL3);
  CheckRecords(records, count);
  const int32_t available = SL3RecordCount(files, path);
  const std::vector<uint8_t> bytes = ReadWhole(files, path);
  // The file may hold fewer records than the caller counted (it shrank in
  // between): records that could not be read get zeros, and the failure
  // passes on after the conversion.
  const auto readable = static_cast<int32_t>(std::min<size_t>(available, bytes.size() / kSl3RecordBytes));
  for (int32_t i = 0; i < count; ++i) {
    auto& numbers = records[static_cast<size_t>(i)].RecordNumbers;
    if (i < readable)
      Sl3Numbers(std::span(bytes).subspan(static_cast<size_t>(i) * kSl3RecordBytes, kSl3RecordBytes), numbers);
    else
      std::memset(numbers, 0, sizeof numbers);
  }
  if (readable < available || readable < count) throw FileError("Read beyond end of file \"" + path + "\"");
}

std::vector<OldEntryRecord> ParseSl4Records(std::span<const uint8_t> bytes) {
  std::vector<OldEntryRecord> records(bytes.size() / kSl4RecordBytes);
  if (!records.empty()) std::memcpy(records.data(), bytes.data(), records.size() * kSl4RecordBytes);
  return records;
}

std::vector<OldEntryRecord> ParseSl3Records(std::span<const uint8_t> bytes) {
  std::vector<OldEntryRecord> records(bytes.size() / kSl3RecordBytes, OldEntryRecord{});
  for (size_t i = 0; i < records.size(); ++i)
    Sl3Numbers(bytes.subspan(i * kSl3RecordBytes, kSl3RecordBytes), records[i].RecordNumbers);
  return records;
}

void AppendOldRecords(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database,
                      std::span<const OldEntryRecord> records, std::string_view sourceName) {
  SourceName source{};
  source.assign(sourceName);
  database.Entries.reserve(database.Entries.size() + static_cast<int32_t>(records.size()));
  for (const auto& record : records) {
    const int32_t e = AppendBlankEntry(game, database);
    auto& entry = database.Entries[e];
    // The caller has checked that the game takes six numbers in its first
    // set; copy no more than the entry holds all the same.
    if (entry.Numbers.size() > 0) {
      const std::span<int8_t> numbers = entry.Numbers[0];
      const size_t n = std::min<size_t>(numbers.size(), 6);
      for (size_t k = 0; k < n; ++k) numbers[k] = static_cast<int8_t>(record.RecordNumbers[k]);
    }
    entry.Source = source;
  }
}

}  // namespace zun
