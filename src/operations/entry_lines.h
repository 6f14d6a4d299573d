#pragma once

// Entries read from lines of text: the clipboard's, or a CSV file's rows.
// A line is read generously: numbers (or the labels the list shows for a
// set) separated by blanks, tabs, commas, semicolons, "-", "+" or "|", the sets
// in the game's order, an optional source text at the end. The list's own
// copies (cells separated by tabs: "Seq.", the sets, the source) and the
// CSV export (a "Seq." header and a quoted sequence number first) are
// recognised. Each entry is checked as one made on the grids is
// (selection/entry_rules.h) and stored as the grids store it: each set's
// numbers ascending. The text is untrusted: a line is refused with its
// reason, never taken halfway.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/lotto_game.h"
#include "model/user_database.h"
#include "selection/entry_rules.h"

namespace zun {

// How many refused lines a report names; the rest are counted.
inline constexpr size_t kReportedLines = 20;

class EntryLines {
 public:
  explicit EntryLines(const TZUN_Lotto_DBase& game);
  EntryLines(const EntryLines&) = delete;
  EntryLines& operator=(const EntryLines&) = delete;
  ~EntryLines();

  // Called for each refused line (its number from 1, and why), besides
  // the first kReportedLines that the report keeps.
  std::function<void(int32_t line, const std::string& reason)> onRefused;

  // The next physical line (blank lines and a header count too).
  void Add(std::string_view line);

  // The entries taken, in the order of their lines; they are handed over.
  std::vector<TZUN_Database_Structure> TakeEntries() { return std::move(entries_); }
  int32_t Taken() const noexcept { return taken_; }
  // Lines that hold an entry, taken or refused: not the header, not blank.
  int32_t EntryLineCount() const noexcept { return entryLines_; }
  int32_t RefusedCount() const noexcept { return entryLines_ - taken_; }
  // The first kReportedLines refused lines: "line 3: <why>".
  const std::vector<std::string>& Refusals() const noexcept { return refusals_; }

  // What the window reports: how many lines were taken, each refused line
  // (at most kReportedLines of them) and how many more were refused.
  std::string ReportText() const;

  // One line read on its own: the entry, or why it cannot be one (`header`
  // tells a first line that is a header). For the reader's tests and fuzzing.
  struct Reading {
    bool blank = false;
    bool header = false;
    TZUN_Database_Structure entry{};
    std::string reason;  // empty when the entry was read
  };
  Reading Read(std::string_view line, bool firstLine);

 private:
  struct SetReader;
  struct Token {
    std::string_view text;
    bool quoted = false;
    size_t begin = 0;  // in the line
  };
  static std::vector<Token> Tokens(std::string_view line);
  // Reads the sets from tokens[at...]; advances `at`. Empty when read.
  std::string ReadSets(const std::vector<Token>& tokens, size_t& at, std::vector<std::vector<int32_t>>& numbers) const;
  std::string ReadSet(size_t set, const std::vector<Token>& tokens, size_t& at, std::vector<int32_t>& numbers) const;
  void Finish(std::vector<std::vector<int32_t>>& numbers, std::string_view source, Reading& reading);

  EntryRules rules_;
  std::vector<SetReader> sets_;
  EntryNumbers::Shape shape_;
  // The entries' numbers come from batches of pooled blocks.
  std::unique_ptr<EntryNumbers::Batch> batch_;
  size_t leftInBatch_ = 0;
  bool seqColumn_ = false;  // every line's first field is its sequence number
  bool seenContent_ = false;
  int32_t lineNumber_ = 0;
  int32_t entryLines_ = 0;
  int32_t taken_ = 0;
  std::vector<TZUN_Database_Structure> entries_;
  std::vector<std::string> refusals_;
};

}  // namespace zun
