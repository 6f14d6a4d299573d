// Figures for the history and for entries as text, one per line as
// "name value unit", each with a baseline measured in the same run:
//   - 1,000,000 entries of 6 from 49, every other one deleted (500,000):
//     the undo and the redo of that delete, against a deep copy of the
//     database (what a history of snapshots would pay at every step);
//   - the history's memory for that delete, against the deleted entries'
//     own memory (their records and their numbers);
//   - copying 100,000 selected entries (of the million) as the list's cells,
//     against formatting the same numbers with snprintf;
//   - pasting the 100,000 lines that copy gave, and importing a CSV file of
//     100,000 rows "n;n;n;n;n;n" under a header, against reading the same
//     lines' numbers with strtol and no checks.
// On Windows the clipboard is the system's (under Wine, Wine's); elsewhere
// it is a string in memory, which leaves what is ours to measure.
// "--quick" runs the same code on small counts (a smoke test for the build).

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "operations/entry_transfer.h"
#include "support/document_fixture.h"
#if defined(_WIN32)
#include "win32/win32_clipboard.h"
#endif

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;

#if defined(_WIN32)
// The clipboard takes data only from a window that opened it.
struct BenchClipboard {
  HWND owner = CreateWindowExA(0, "STATIC", "edit_bench", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
  win32::Win32Clipboard clipboard{[this] { return owner; }};
  ~BenchClipboard() { DestroyWindow(owner); }
};
#else
struct BenchClipboard {
  testing::FakeClipboard clipboard;
};
#endif

// A document on 6 from 49 whose operations use the clipboard above.
struct Bench : BenchClipboard, testing::DocumentFixture {
  Services withClipboard{files,  prompt, dialogs,   BenchClipboard::clipboard, random, notifier, messenger, memory,
                         probe,  errors, hourglass, recent,                    views.All()};
  Document& doc = document;
};

void Fail(const char* what) {
  std::fprintf(stderr, "edit_bench: %s\n", what);
  std::exit(1);
}

void HistoryFigures(int32_t count) {
  Bench bench;
  bench.LoadSample(count, 11);
  const TZUN_User_Lotto_DBase& database = bench.Database();
  const double snapshot = BestMs(3, [&] {
    HostArray<TZUN_Database_Structure> copy = database.Entries;
    if (copy.size() != count) Fail("the copy is short");
  });

  bench.doc.ApplySelectionCommand(SelectionCommand::Even);
  const int32_t deleted = bench.doc.List().SelectedCount();
  size_t ownBytes = 0;
  for (const int32_t entry : bench.doc.List().SelectedEntries())
    ownBytes += sizeof(TZUN_Database_Structure) + database.Entries[entry].Numbers.MemoryBytes();
  const double erase = BestMs(1, [&] { bench.doc.DeleteSelected(); });
  const size_t journalBytes = bench.doc.Journal().Bytes();
  double undo = 1e300;
  double redo = 1e300;
  for (int i = 0; i < 3; ++i) {
    undo = std::min(undo, BestMs(1, [&] { bench.doc.Undo(); }));
    if (database.Entries.size() != count) Fail("the undo did not bring the entries back");
    redo = std::min(redo, BestMs(1, [&] { bench.doc.Redo(); }));
    if (database.Entries.size() != count - deleted) Fail("the redo did not delete them again");
  }
  Figure("history_entries", count, "entries");
  Figure("history_deleted_entries", deleted, "entries");
  Figure("delete_selected", erase, "ms");
  Figure("undo_delete", undo, "ms");
  Figure("redo_delete", redo, "ms");
  Figure("deep_copy_of_database", snapshot, "ms");
  Figure("deep_copy_vs_undo_delete", snapshot / undo, "ratio");
  Figure("history_bytes_for_delete", static_cast<double>(journalBytes) / (1 << 20), "MB");
  Figure("deleted_entries_own_bytes", static_cast<double>(ownBytes) / (1 << 20), "MB");
  Figure("history_vs_deleted_entries_bytes", static_cast<double>(journalBytes) / static_cast<double>(ownBytes),
         "ratio");
}

// The lines snprintf makes of the same entries: the floor of any copy.
std::string PlainText(const TZUN_User_Lotto_DBase& database, int32_t count) {
  std::string text;
  text.reserve(static_cast<size_t>(count) * 48);
  char line[96];
  for (int32_t e = 0; e < count; ++e) {
    const auto n = database.Entries[e].Numbers[0];
    const int length = std::snprintf(line, sizeof line, "%d\t%02d %02d %02d %02d %02d %02d\t%s\r\n", e + 1, n[0],
                                     n[1], n[2], n[3], n[4], n[5], std::string(database.Entries[e].Source.view()).c_str());
    text.append(line, static_cast<size_t>(length));
  }
  return text;
}

// Every number of every line, read with strtol and nothing checked.
int64_t PlainRead(const std::string& text) {
  int64_t sum = 0;
  const char* at = text.c_str();
  while (*at != '\0') {
    char* end = nullptr;
    const long value = std::strtol(at, &end, 10);
    if (end == at) {
      ++at;
      continue;
    }
    sum += value;
    at = end;
  }
  return sum;
}

void TextFigures(int32_t count, int32_t copied) {
  Bench bench;
  bench.LoadSample(count, 13);
  bench.doc.SelectRows(0, copied - 1, true);
  const double copy = BestMs(5, [&] { CopyEntries(bench.doc, bench.withClipboard); });
  std::string plain;
  const double format = BestMs(5, [&] { plain = PlainText(bench.Database(), copied); });

  // The copy, pasted into an empty database.
  double paste = 1e300;
  for (int i = 0; i < 3; ++i) {
    bench.doc.NewDatabase();
    paste = std::min(paste, BestMs(1, [&] { PasteEntries(bench.doc, bench.withClipboard); }));
    if (bench.Database().Entries.size() != copied || !bench.prompt.shown.empty()) Fail("the paste was not taken whole");
  }
  int64_t sum = 0;
  const double read = BestMs(5, [&] { sum += PlainRead(plain); });
  if (sum == 0) Fail("nothing read");

  // A spreadsheet's file: a header, then six numbers a row.
  std::string csv = "N1;N2;N3;N4;N5;N6\r\n";
  for (int32_t e = 0; e < copied; ++e) {
    const auto n = bench.Database().Entries[e].Numbers[0];
    csv += std::to_string(n[0]) + ';' + std::to_string(n[1]) + ';' + std::to_string(n[2]) + ';' +
           std::to_string(n[3]) + ';' + std::to_string(n[4]) + ';' + std::to_string(n[5]) + "\r\n";
  }
  bench.files.files["C:\\in\\rows.csv"].assign(csv.begin(), csv.end());
  double import = 1e300;
  for (int i = 0; i < 3; ++i) {
    bench.doc.NewDatabase();
    bench.dialogs.openAnswers.push_back({"C:\\in\\rows.csv"});
    import = std::min(import, BestMs(1, [&] { ImportCsvFile(bench.doc, bench.withClipboard); }));
    if (bench.Database().Entries.size() != copied || !bench.prompt.shown.empty()) Fail("the import was not taken whole");
  }
  const double readCsv = BestMs(5, [&] { sum += PlainRead(csv); });

  Figure("text_entries", copied, "entries");
  Figure("copy_entries", copy, "ms");
  Figure("snprintf_same_entries", format, "ms");
  Figure("copy_vs_snprintf", copy / format, "ratio");
  Figure("paste_lines", paste, "ms");
  Figure("strtol_same_lines", read, "ms");
  Figure("paste_vs_strtol", paste / read, "ratio");
  Figure("import_csv_rows", import, "ms");
  Figure("strtol_same_rows", readCsv, "ms");
  Figure("import_vs_strtol", import / readCsv, "ratio");
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  HistoryFigures(quick ? 10'000 : 1'000'000);
  TextFigures(quick ? 10'000 : 1'000'000, quick ? 1'000 : 100'000);
  return 0;
}
