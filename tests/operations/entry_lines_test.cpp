// Entries read from lines of text: what each sample game takes and what it
// refuses, and why; the list's copies and the CSV export read back; text in
// the encodings files and the clipboard come in.

#include "operations/entry_lines.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "base/text_lines.h"
#include "hostside/sample_games.h"

namespace zun {
namespace {

// What a line gives: its numbers set by set ("1 2 3 | 4") and its source,
// or "refused: <why>", "header" or "blank".
std::string Outcome(EntryLines& lines, std::string_view line, bool first = false) {
  const EntryLines::Reading reading = lines.Read(line, first);
  if (reading.blank) return "blank";
  if (reading.header) return "header";
  if (!reading.reason.empty()) return "refused: " + reading.reason;
  std::string text;
  for (int32_t s = 0; s < reading.entry.Numbers.size(); ++s) {
    if (s > 0) text += " |";
    for (int8_t n : reading.entry.Numbers[s]) text += " " + std::to_string(n);
  }
  if (!reading.entry.Source.view().empty()) text += " [" + std::string(reading.entry.Source.view()) + "]";
  return text.empty() ? text : text.substr(1);
}

struct Case {
  const char* line;
  const char* gives;
};

void ExpectLines(const TZUN_Lotto_DBase& game, std::initializer_list<Case> cases) {
  for (const Case& c : cases) {
    EntryLines lines(game);
    EXPECT_EQ(Outcome(lines, c.line), c.gives) << "the line \"" << c.line << "\"";
  }
}

TEST(EntryLines, SixFromFortyNineTakesNumbersGenerouslyAndRefusesWhatTheGridsWouldNot) {
  const auto game = hostside::MakeLotto649(0);
  ExpectLines(*game, {
      {"1 2 3 4 5 6", "1 2 3 4 5 6"},
      {"49,3;17\t22-38+1", "1 3 17 22 38 49"},
      {"  05 - 07 - 13 - 22 - 38 - 49  ", "5 7 13 22 38 49"},
      {"1 2 3 4 5 6 my ticket, week 3", "1 2 3 4 5 6 [my ticket, week 3]"},
      {"1 2 3 4 5 6 \"Quick Pick\"", "1 2 3 4 5 6 [Quick Pick]"},
      {"1 2 3 4 5 6 a source longer than twenty-five", "1 2 3 4 5 6 [a source longer than twen]"},
      {"\"7\";1;2;3;4;5;6", "1 2 3 4 5 6"},
      {"12\t01 - 02 - 03 - 04 - 05 - 06\tQuick Pick", "1 2 3 4 5 6 [Quick Pick]"},
      {"12\t01 - 02 - 03 - 04 - 05 - 06\t", "1 2 3 4 5 6"},
      {"   ", "blank"},
      {"50 1 2 3 4 5", "refused: 50 is not a number of Main Numbers (1\x96" "49)"},
      {"0 1 2 3 4 5", "refused: 0 is not a number of Main Numbers (1\x96" "49)"},
      {"1 1 2 3 4 5", "refused: 1 stands twice in Main Numbers"},
      {"1 2 3 4 5", "refused: Main Numbers needs 6 numbers, the line has 5"},
      {"1 2 3 4 5 6 7", "refused: the line holds more numbers than the game's sets take"},
      {"1 2 3 four 5 6", "refused: four is not a number of Main Numbers (1\x96" "49)"},
      {"2147483648 1 2 3 4 5", "refused: 2147483648 is not a number of Main Numbers (1\x96" "49)"},
      {"99999999999999999999999999 1 2 3 4 5",
       "refused: 99999999999999999999\x85 is not a number of Main Numbers (1\x96" "49)"},
      {std::string("1 2 3\0 4 5 6", 12).c_str(), "refused: Main Numbers needs 6 numbers, the line has 3"},
  });
  EntryLines lines(*game);
  EXPECT_EQ(Outcome(lines, std::string_view("1 2 3\0 4 5 6", 12)), "refused: the line holds a NUL character");
  EXPECT_EQ(Outcome(lines, std::string(kMaxLineLength + 1, '1')),
            "refused: the line is longer than 65,536 characters");
}

TEST(EntryLines, LabelsAreReadWhereTheListShowsThemAndTheGridsRulesHold) {
  const auto twin = hostside::MakeTwinPool(0);
  ExpectLines(*twin, {
      {"2 8 22 29 49 S04 S05", "2 8 22 29 49 | 4 5"},
      {"2 8 22 29 49 | s04 - 5", "2 8 22 29 49 | 4 5"},
      {"2 8 22 29 49 S13 S05", "refused: S13 is not a number of Lucky Stars (1\x96" "12)"},
      {"2 8 22 29 49 S04", "refused: Lucky Stars needs 2 numbers, the line has 1"},
      // The stars have a pool of their own: the same number may stand in both.
      {"2 8 22 29 5 S04 S05", "2 5 8 22 29 | 4 5"},
  });
  // Three digits, listed by position with row labels: the k-th label is the
  // row of position k, one digit per position.
  const auto digits = hostside::MakePickThree(0);
  ExpectLines(*digits, {
      {"5 - 0 - 2", "2 9 16"},
      {"0 0 0", "1 2 3"},
      {"5 - 0", "refused: Digits needs 3 numbers, the line has 2"},
      {"x 0 0", "refused: x is not a number of Digits (1\x96" "30)"},
  });
  auto lined = hostside::MakePickThree(0);
  lined->PlaySets[0].Grid.Rows.HasLabels = 0;  // numbers, one per position
  ExpectLines(*lined, {
      {"1 4 3", "refused: Digits takes one number per column: 1 and 4 share one"},
  });
}

TEST(EntryLines, TheCsvExportsHeaderAndSequenceAreSkippedAndLinesAreCountedAsTheyStand) {
  const auto game = hostside::MakeLotto649(0);
  EntryLines lines(*game);
  int32_t reportedLine = 0;
  std::string reportedReason;
  lines.onRefused = [&](int32_t line, const std::string& reason) {
    reportedLine = line;
    reportedReason = reason;
  };
  for (std::string_view line : {"", "\"Seq.\";\"Main_1\";\"Main_2\";\"Main_3\";\"Main_4\";\"Main_5\";\"Main_6\"",
                                "\"1\";03;11;17;22;38;45", "", "2;04;12;18;23;39;46", "\"3\";03;11;17;22;38;50"})
    lines.Add(line);
  EXPECT_EQ(lines.Taken(), 2);
  EXPECT_EQ(lines.EntryLineCount(), 3) << "not the header, not the blank lines";
  EXPECT_EQ(reportedLine, 6) << "physical lines, header and blank ones included";
  EXPECT_EQ(reportedReason, "50 is not a number of Main Numbers (1\x96" "49)");
  const auto entries = lines.TakeEntries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].Numbers[0][0], 4) << "the sequence column named by the header is skipped";
}

TEST(EntryLines, TheReportNamesTwentyRefusedLinesAndCountsTheRest) {
  const auto game = hostside::MakeLotto649(0);
  EntryLines lines(*game);
  lines.Add("1 2 3 4 5 6");
  for (int i = 0; i < 25; ++i) lines.Add("1 2");
  const std::string report = lines.ReportText();
  EXPECT_EQ(report.substr(0, report.find('\r')), "Took 1 of 26 lines.");
  EXPECT_NE(report.find("\rline 2: Main Numbers needs 6 numbers, the line has 2\r"), std::string::npos);
  EXPECT_NE(report.find("\rline 21: "), std::string::npos);
  EXPECT_EQ(report.find("\rline 22: "), std::string::npos);
  EXPECT_NE(report.find("\x85 and 5 more refused."), std::string::npos);
}

// Files come as 8-bit text, UTF-8 with or without its mark, or UTF-16 with
// its mark; the clipboard as UTF-16 up to its first NUL.
TEST(TextLines, EncodingsAndLineEndingsBecomeTheSameLines) {
  const auto linesOf = [](std::vector<uint8_t> bytes) {
    std::vector<std::string> lines;
    ForEachTextLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
    return lines;
  };
  const std::vector<std::string> expected = {"1 2 3 4 5 6 caf\xE9", "", "7 8"};
  EXPECT_EQ(linesOf({'1', ' ', '2', ' ', '3', ' ', '4', ' ', '5', ' ', '6', ' ', 'c', 'a', 'f', 0xE9, '\r', '\n', '\r',
                     '\n', '7', ' ', '8'}),
            expected);
  EXPECT_EQ(linesOf({0xEF, 0xBB, 0xBF, '1', ' ', '2', ' ', '3', ' ', '4', ' ', '5', ' ', '6', ' ', 'c', 'a', 'f', 0xC3,
                     0xA9, '\n', '\n', '7', ' ', '8', '\n'}),
            expected);
  std::vector<uint8_t> utf16le = {0xFF, 0xFE}, utf16be = {0xFE, 0xFF};
  const std::u16string text = u"1 2 3 4 5 6 caf\u00E9\r\r\n7 8";
  for (char16_t unit : text) {
    utf16le.push_back(static_cast<uint8_t>(unit & 0xFF));
    utf16le.push_back(static_cast<uint8_t>(unit >> 8));
    utf16be.push_back(static_cast<uint8_t>(unit >> 8));
    utf16be.push_back(static_cast<uint8_t>(unit & 0xFF));
  }
  EXPECT_EQ(linesOf(utf16le), expected);
  EXPECT_EQ(linesOf(utf16be), expected);

  std::vector<std::string> clip;
  const char16_t units[] = {u'a', 0x20AC, 0xD800, u'z', u'\n', u'b', 0, u'x'};
  ForEachUtf16Line(std::u16string_view(units, 8), [&](std::string_view line) { clip.emplace_back(line); });
  EXPECT_EQ(clip, (std::vector<std::string>{"a\x80?z", "b"})) << "the euro sign, a lone surrogate, the NUL";
}

}  // namespace
}  // namespace zun
