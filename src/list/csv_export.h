#pragma once

// Exporting a user database as a CSV file, and what both exports (CSV and
// HTML) write with: the chunked output and the table of number texts.
//
// The CSV file: a header line, then one line per entry in database order;
// every line ends in "\r\n" and its fields are separated by ";" (none after
// the last). The header is "Seq." and per play set its name when the set
// holds one number, else "<name>_1" to "<name>_<count>"; a set of no numbers
// has no field. An entry's line is its sequence number, then every number of
// every set of the entry as the entry list names it ("05", or its label).
// The sequence number and the names are quoted, a quote inside them doubled
// (so a reader gets the name back exactly); numbers and labels are bare.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/lotto_game.h"
#include "model/user_database.h"
#include "platform/file_system.h"

namespace zun {

// Bytes collected in memory and handed to a FileWriter in chunks of about
// kChunkBytes, so an export of a million entries never holds its whole text.
// After a failed write it drops everything and reports failure from then on.
class ChunkedOutput {
 public:
  static constexpr size_t kChunkBytes = 256 * 1024;

  explicit ChunkedOutput(FileWriter& out);

  // A place for `bytes` more bytes; write them there, then call Advance with
  // the end of what was written.
  char* Room(size_t bytes) {
    if (capacity_ - size_ < bytes) MakeRoom(bytes);
    return buffer_.get() + size_;
  }
  void Advance(char* end) noexcept { size_ = static_cast<size_t>(end - buffer_.get()); }
  void Append(std::string_view text) {
    char* at = Room(text.size());
    if (!text.empty()) std::memcpy(at, text.data(), text.size());
    size_ += text.size();
  }
  // Writes the buffer once it holds a chunk; call it now and then (once per
  // line or row). False once any write failed.
  bool Flush() {
    if (size_ >= kChunkBytes) WriteBuffer();
    return ok_;
  }
  // Writes what is left. False when any write failed.
  bool Finish() {
    WriteBuffer();
    return ok_;
  }

 private:
  void MakeRoom(size_t bytes);
  void WriteBuffer();

  FileWriter& out_;
  std::unique_ptr<char[]> buffer_;
  size_t size_ = 0;
  size_t capacity_ = 0;
  bool ok_ = true;
};

// The text of every value a number can hold (-128 to 127) in each set of a
// database, as AppendNumberText gives it (a label of at most five
// characters, or the number), optionally HTML-escaped. A set's table is
// built the first time the set is asked for, so writing a number is one copy
// of a fixed-size cell. Sets the database does not describe show plain
// numbers.
class NumberTextTable {
 public:
  static constexpr size_t kMaxText = 31;  // five labels characters, each escaped to "&quot;"

  NumberTextTable(const TZUN_User_Lotto_DBase& database, bool htmlEscaped);

  // Writes the text at `at` (which has room for kMaxText bytes) and
  // returns its end.
  char* Put(char* at, int32_t set, int8_t number) {
    const Cell& cell = CellOf(set, number);
    std::memcpy(at, cell.text, kMaxText);
    return at + cell.length;
  }

 private:
  struct Cell {
    uint8_t length;
    char text[kMaxText];
  };
  const Cell& CellOf(int32_t set, int8_t number) {
    const auto index = static_cast<size_t>(set < 0 || set >= sets_ ? sets_ : set);
    if (tables_[index].empty()) Build(index);
    return tables_[index][static_cast<uint8_t>(number)];
  }
  void Build(size_t index);

  const TZUN_User_Lotto_DBase& database_;
  bool htmlEscaped_;
  int32_t sets_;
  std::vector<std::vector<Cell>> tables_;  // per set, and one for plain numbers
};

// Appends text with & < > and " as HTML entities.
void AppendHtmlEscaped(ChunkedOutput& out, std::string_view text);
void AppendHtmlEscaped(std::string& out, std::string_view text);

// Appends text between double quotes, each quote in it doubled.
void AppendCsvQuoted(std::string& out, std::string_view text);

// Writes the whole CSV text to out (without committing it). The header
// follows the game's play sets, the lines the database's entries; numbers
// are named by the database's sets. False when a write failed.
bool WriteCsvExport(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, FileWriter& out);

// Writes the CSV file at path, replacing any file there only when the new
// one is complete: false means it could not be written and any older file
// is untouched.
bool ExportCsv(FileSystem& files, const std::string& path, const TZUN_Lotto_DBase& game,
               const TZUN_User_Lotto_DBase& database);

}  // namespace zun
