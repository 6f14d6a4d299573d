#include "operations/entry_lines.h"

#include <algorithm>
#include <cctype>
#include <limits>

#include "base/text_lines.h"
#include "selection/grid_geometry.h"

namespace zun {
namespace {

constexpr size_t kBatchEntries = 4096;
// How much of a bad token a reason quotes.
constexpr size_t kQuotedToken = 20;

bool IsSeparator(char c) noexcept {
  return c == ' ' || c == '\t' || c == ',' || c == ';' || c == '-' || c == '+' || c == '|' || c == '\r';
}

bool AllDigits(std::string_view text) noexcept {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A whole number of at most nine digits; nothing else.
std::optional<int32_t> NumberOf(std::string_view text) noexcept {
  if (!AllDigits(text)) return std::nullopt;
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  if (text.size() > 9) return std::nullopt;
  int32_t value = 0;
  for (char c : text) value = value * 10 + (c - '0');
  return value;
}

bool SameLetters(std::string_view a, std::string_view b) noexcept {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

std::string Quoted(std::string_view token) {
  if (token.size() <= kQuotedToken) return std::string(token);
  return std::string(token.substr(0, kQuotedToken)) + "\x85";  // an ellipsis
}

bool IsBlank(char c) noexcept { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) noexcept {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// The cells of a line the list copied: split at every tab.
std::vector<std::string_view> Cells(std::string_view line) {
  std::vector<std::string_view> cells;
  size_t start = 0;
  for (;;) {
    const size_t tab = line.find('\t', start);
    cells.push_back(Trimmed(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start)));
    if (tab == std::string_view::npos) return cells;
    start = tab + 1;
  }
}

std::string_view Unquoted(std::string_view text) noexcept {
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') return text.substr(1, text.size() - 2);
  return text;
}

// A source as an entry keeps it: a tab (which the list cannot show) made a
// blank, cut to the field's length, no blank left at either end, so that
// the list's copy of the entry reads back as the same source.
std::string SourceText(std::string_view text) {
  std::string source(text.substr(0, sizeof(SourceName::Chars)));
  std::replace(source.begin(), source.end(), '\t', ' ');
  return std::string(Trimmed(source));
}

}  // namespace

// How one set's tokens become numbers: the labels the list shows for it,
// where they name one number each, else its numbers.
struct EntryLines::SetReader {
  enum class Labels { None, ByNumber, ByColumn, ByRowInColumnOrder, ByRow, Unreadable };
  Labels labels = Labels::None;
  int32_t count = 0;
  int32_t lowest = 0;
  int32_t columns = 0;
  std::vector<std::pair<std::string, int32_t>> names;  // label -> number, column or row (0-based)

  explicit SetReader(const Lotto_Numbers_Framework& set) : count(set.NumberCount), lowest(set.LowestNumber) {
    const auto& grid = set.Grid;
    columns = grid.Columns.Count;
    const auto take = [&](const auto& labels, int32_t n) {
      for (int32_t i = 0; i < std::min(n, labels.size()); ++i) names.emplace_back(std::string(labels[i].view()), i);
    };
    // The list's rule order: column labels, row labels, number labels.
    if (grid.Columns.HasLabels) {
      labels = grid.Rows.Count == 1 ? Labels::ByColumn : Labels::Unreadable;
      take(grid.Columns.Labels, grid.Columns.Count);
    } else if (grid.Rows.HasLabels) {
      if (grid.Rows.InEntryOrder == 0)
        labels = count == columns && grid.Rows.LineLimit == 1 ? Labels::ByRowInColumnOrder : Labels::Unreadable;
      else
        labels = columns == 1 ? Labels::ByRow : Labels::Unreadable;
      take(grid.Rows.Labels, grid.Rows.Count);
    } else if (grid.NumberLabels.HasLabels) {
      labels = Labels::ByNumber;
      for (int32_t i = 0; i < grid.NumberLabels.Labels.size(); ++i)
        names.emplace_back(std::string(grid.NumberLabels.Labels[i].view()), i + 1);
    }
  }

  // The number a token stands for at position k of the set; nothing when
  // it is neither a label of the set nor a number.
  std::optional<int32_t> Number(std::string_view token, int32_t k) const {
    if (labels != Labels::None && labels != Labels::Unreadable) {
      const auto named = Named(token);
      if (named) {
        switch (labels) {
          case Labels::ByNumber: return *named;
          case Labels::ByColumn: return lowest + *named;
          case Labels::ByRowInColumnOrder: return lowest + k + *named * columns;
          case Labels::ByRow: return lowest + *named;
          default: break;
        }
      }
    }
    return NumberOf(token);
  }

  std::optional<int32_t> Named(std::string_view token) const {
    for (const auto& [name, value] : names)
      if (name == token) return value;
    for (const auto& [name, value] : names)
      if (SameLetters(name, token)) return value;
    return std::nullopt;
  }
};

EntryLines::EntryLines(const TZUN_Lotto_DBase& game) : rules_(game.PlaySets.span()) {
  std::vector<int32_t> counts;
  for (const auto& set : game.PlaySets) {
    sets_.emplace_back(set);
    counts.push_back(set.NumberCount);
  }
  shape_ = EntryNumbers::Shape(counts);
}

EntryLines::~EntryLines() = default;

std::vector<EntryLines::Token> EntryLines::Tokens(std::string_view line) {
  std::vector<Token> tokens;
  size_t i = 0;
  while (i < line.size()) {
    if (IsSeparator(line[i])) {
      ++i;
      continue;
    }
    Token token;
    token.begin = i;
    if (line[i] == '"') {
      // A quoted field: to its closing quote, separators and all.
      size_t close = line.find('"', i + 1);
      if (close == std::string_view::npos) close = line.size();
      token.text = line.substr(i + 1, close - i - 1);
      token.quoted = true;
      i = std::min(close + 1, line.size());
    } else {
      size_t end = i;
      while (end < line.size() && !IsSeparator(line[end])) ++end;
      token.text = line.substr(i, end - i);
      i = end;
    }
    tokens.push_back(token);
  }
  return tokens;
}

std::string EntryLines::ReadSet(size_t set, const std::vector<Token>& tokens, size_t& at,
                                std::vector<int32_t>& numbers) const {
  const SetReader& reader = sets_[set];
  numbers.clear();
  for (int32_t k = 0; k < reader.count; ++k, ++at) {
    if (at >= tokens.size())
      return rules_.NameOf(set) + " needs " + std::to_string(reader.count) + (reader.count == 1 ? " number" : " numbers") +
             ", the line has " + std::to_string(k);
    const std::string_view token = tokens[at].text;
    const std::optional<int32_t> number = reader.Number(token, k);
    if (!number) {
      if (reader.labels == SetReader::Labels::Unreadable && reader.Named(token))
        return rules_.NameOf(set) + " shows labels that name no one number: write its numbers";
      return Quoted(token) + " is not a number of " + rules_.RangeOf(set);
    }
    numbers.push_back(*number);
  }
  return {};
}

std::string EntryLines::ReadSets(const std::vector<Token>& tokens, size_t& at,
                                 std::vector<std::vector<int32_t>>& numbers) const {
  numbers.assign(sets_.size(), {});
  for (size_t s = 0; s < sets_.size(); ++s) {
    std::string reason = ReadSet(s, tokens, at, numbers[s]);
    if (!reason.empty()) return reason;
  }
  return {};
}

void EntryLines::Finish(std::vector<std::vector<int32_t>>& numbers, std::string_view source, Reading& reading) {
  reading.reason = rules_.Check(numbers);
  if (!reading.reason.empty()) return;
  if (!batch_ || leftInBatch_ == 0) {
    batch_ = std::make_unique<EntryNumbers::Batch>(shape_, kBatchEntries);
    leftInBatch_ = kBatchEntries;
  }
  --leftInBatch_;
  reading.entry.Numbers = batch_->Next();
  for (size_t s = 0; s < numbers.size(); ++s) {
    std::sort(numbers[s].begin(), numbers[s].end());  // as the grids store them
    const auto into = reading.entry.Numbers[static_cast<int32_t>(s)];
    for (size_t i = 0; i < numbers[s].size() && i < into.size(); ++i) into[i] = static_cast<int8_t>(numbers[s][i]);
  }
  reading.entry.Source.assign(SourceText(source));
}

EntryLines::Reading EntryLines::Read(std::string_view line, bool firstLine) {
  Reading reading;
  while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (std::all_of(line.begin(), line.end(), [](char c) { return c == ' ' || c == '\t'; })) {
    reading.blank = true;
    return reading;
  }
  if (line.size() > kMaxLineLength) {
    reading.reason = "the line is longer than 65,536 characters";
    return reading;
  }
  if (line.find('\0') != std::string_view::npos) {
    reading.reason = "the line holds a NUL character";
    return reading;
  }
  std::vector<std::vector<int32_t>> numbers;

  // The list's own copy: "Seq.", each set, the source, separated by tabs.
  if (line.find('\t') != std::string_view::npos) {
    const std::vector<std::string_view> cells = Cells(line);
    if (cells.size() == sets_.size() + 2 && AllDigits(cells[0])) {
      bool read = true;
      numbers.assign(sets_.size(), {});
      for (size_t s = 0; s < sets_.size() && read; ++s) {
        const std::vector<Token> tokens = Tokens(cells[s + 1]);
        size_t at = 0;
        read = ReadSet(s, tokens, at, numbers[s]).empty() && at == tokens.size();
      }
      if (read) {
        Finish(numbers, cells.back(), reading);
        return reading;
      }
    }
  }

  const std::vector<Token> tokens = Tokens(line);
  size_t at = 0;
  // A sequence number first: the CSV export's (its header named "Seq."),
  // or any quoted number standing first.
  if (seqColumn_ || (tokens.size() > 1 && tokens[0].quoted && AllDigits(tokens[0].text))) at = 1;
  std::string reason = ReadSets(tokens, at, numbers);
  if (!reason.empty()) {
    // A first line of words that is no entry is a header.
    if (firstLine && !tokens.empty() &&
        std::any_of(tokens[0].text.begin(), tokens[0].text.end(), [](char c) { return std::isalpha(static_cast<unsigned char>(c)); })) {
      reading.header = true;
      seqColumn_ = SameLetters(Trimmed(tokens[0].text), "Seq.");
      return reading;
    }
    reading.reason = std::move(reason);
    return reading;
  }
  std::string_view source;
  if (at < tokens.size()) {
    const bool onlyNumbers = std::all_of(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens.end(),
                                         [](const Token& t) { return !t.quoted && AllDigits(t.text); });
    if (onlyNumbers) {
      reading.reason = "the line holds more numbers than the game's sets take";
      return reading;
    }
    source = Unquoted(Trimmed(line.substr(tokens[at].begin)));
  }
  Finish(numbers, source, reading);
  return reading;
}

void EntryLines::Add(std::string_view line) {
  ++lineNumber_;
  Reading reading = Read(line, !seenContent_);
  if (reading.blank) return;
  seenContent_ = true;
  if (reading.header) return;
  ++entryLines_;
  if (!reading.reason.empty()) {
    if (refusals_.size() < kReportedLines)
      refusals_.push_back("line " + std::to_string(lineNumber_) + ": " + reading.reason);
    if (onRefused) onRefused(lineNumber_, reading.reason);
    return;
  }
  entries_.push_back(std::move(reading.entry));
  ++taken_;
}

std::string EntryLines::ReportText() const {
  std::string text = "Took " + std::to_string(taken_) + " of " + std::to_string(entryLines_) +
                     (entryLines_ == 1 ? " line." : " lines.");
  for (const std::string& refusal : refusals_) text += "\r" + refusal;
  const int32_t more = RefusedCount() - static_cast<int32_t>(refusals_.size());
  if (more > 0) text += "\r" + std::string("\x85") + " and " + std::to_string(more) + " more refused.";
  return text;
}

}  // namespace zun
