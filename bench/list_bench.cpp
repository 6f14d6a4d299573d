// Figures for the entry list, one per line as "name value unit", each with a
// baseline measured in the same run, on 1,000,000 6-from-49 entries:
//   - refilling the list, sorting by a number column and by the source
//     column, against a stable sort whose comparator formats both entries'
//     texts per comparison (on fewer entries, and ours on the same count);
//   - placing one appended row under a sort, against a full sort;
//   - Apply Sort, against building a deep copy of the entries in display order;
//   - each selection command, against a memset of one byte per entry;
//   - deleting every other entry under a number-column sort, against
//     deleting them one at a time, moving every later entry down (on fewer
//     entries, and ours on the same count);
//   - the list's memory per entry between commands.
// "--quick" runs the same code on small sizes (a smoke test for the build).

#include <malloc.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <string>
#include <vector>

#include "bench_support.h"
#include "hostside/sample_games.h"
#include "list/entry_list.h"
#include "list/list_text.h"

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;
using bench::HeapInUse;

constexpr int32_t kNumbers = 1;  // the column of the play set
constexpr int32_t kSource = 2;   // the column of the source

// Times `work` alone, after an untimed `prepare`, best of `repeats`.
double BestMsPrepared(int repeats, const std::function<void()>& prepare, const std::function<void()>& work) {
  double best = 1e300;
  for (int i = 0; i < repeats; ++i) {
    prepare();
    best = std::min(best, BestMs(1, work));
  }
  return best;
}

// 6 from 49, with sources as loads leave them: a few file names, some
// sharing more than 16 bytes, and quick picks.
std::unique_ptr<TZUN_User_Lotto_DBase> MakeEntries(int32_t count) {
  static const char* const kSources[] = {"Quick Pick", "my_lotto_picks_2021.sl5", "my_lotto_picks_2020.sl5",
                                         "weekend.sl5", "QUICK PICK", "syndicate_a.sl5"};
  auto database = hostside::MakeSampleDatabase(*hostside::MakeLotto649(0), count, 42);
  uint32_t state = 12345;
  for (auto& entry : database->Entries) {
    state = state * 1664525u + 1013904223u;
    entry.Source.assign(kSources[(state >> 16) % 6]);
  }
  return database;
}

std::unique_ptr<TZUN_User_Lotto_DBase> Copy(const TZUN_User_Lotto_DBase& database) {
  auto copy = std::make_unique<TZUN_User_Lotto_DBase>();
  copy->NumberSets = database.NumberSets;
  copy->Entries = database.Entries;
  return copy;
}

// The sort without keys: every comparison formats both texts.
void NaiveSort(const TZUN_User_Lotto_DBase& database, int32_t column, std::vector<int32_t>& order) {
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
    return CompareListText(EntryColumnText(database, a, column), EntryColumnText(database, b, column)) < 0;
  });
}

// Deleting the selected entries one at a time, each moving every later entry
// down by one.
void NaiveDelete(TZUN_User_Lotto_DBase& database, const std::vector<int32_t>& doomed) {
  auto& entries = database.Entries;
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
    for (int32_t e = *it; e + 1 < entries.size(); ++e) entries[e] = std::move(entries[e + 1]);
    entries.resize(entries.size() - 1);
  }
}

void BenchSorting(const TZUN_User_Lotto_DBase& database, int32_t naiveCount) {
  const int32_t count = database.Entries.size();
  EntryList list;
  const double refill = BestMs(3, [&] { list.Refill(database); });
  const double byNumbers = BestMs(3, [&] { list.SetSort(database, true, kNumbers); });
  const double byNumbersDown = BestMs(3, [&] { list.SetSort(database, false, kNumbers); });
  const double bySource = BestMs(3, [&] { list.SetSort(database, true, kSource); });
  const double bySeqDown = BestMs(3, [&] { list.SetSort(database, false, 0); });
  Figure("list_refill", refill, "ms");
  Figure("list_sort_numbers", byNumbers, "ms");
  Figure("list_sort_numbers_descending", byNumbersDown, "ms");
  Figure("list_sort_source", bySource, "ms");
  Figure("list_sort_seq_descending", bySeqDown, "ms");

  const auto small = Copy(database);
  small->Entries.resize(naiveCount);
  EntryList smallList;
  smallList.Refill(*small);
  std::vector<int32_t> order(static_cast<size_t>(naiveCount));
  const double naiveNumbers = BestMs(1, [&] { NaiveSort(*small, kNumbers, order); });
  const double naiveSource = BestMs(1, [&] { NaiveSort(*small, kSource, order); });
  const double smallNumbers = BestMs(3, [&] { smallList.SetSort(*small, true, kNumbers); });
  const double smallSource = BestMs(3, [&] { smallList.SetSort(*small, true, kSource); });
  Figure("naive_sort_entries", naiveCount, "entries");
  Figure("naive_sort_numbers", naiveNumbers, "ms");
  Figure("naive_sort_source", naiveSource, "ms");
  Figure("list_sort_numbers_same_entries", smallNumbers, "ms");
  Figure("naive_vs_list_sort_numbers_same_entries", naiveNumbers / smallNumbers, "ratio");
  Figure("naive_vs_list_sort_source_same_entries", naiveSource / smallSource, "ratio");
  Figure("list_sort_numbers_per_entry", byNumbers * 1e6 / count, "ns");
  Figure("naive_sort_numbers_per_entry", naiveNumbers * 1e6 / naiveCount, "ns");
}

void BenchAddRow(const TZUN_User_Lotto_DBase& source, int32_t added) {
  const auto database = Copy(source);
  EntryList list;
  list.Refill(*database);
  const double fullSort = BestMs(1, [&] { list.SetSort(*database, true, kNumbers); });
  const int32_t first = database->Entries.size();
  for (int32_t i = 0; i < added; ++i) database->Entries.push_back(database->Entries[i * 7]);
  const double adding = BestMs(1, [&] {
    for (int32_t entry = first; entry < first + added; ++entry) list.AddRow(*database, entry);
  });
  Figure("list_add_row_sorted", adding * 1e3 / added, "us");
  Figure("list_full_sort_vs_add_row", fullSort / (adding / added), "ratio");
}

void BenchApplySort(const TZUN_User_Lotto_DBase& source) {
  std::unique_ptr<TZUN_User_Lotto_DBase> database;
  EntryList list;
  const auto prepare = [&] {
    database = Copy(source);
    list.Refill(*database);
    list.SetSort(*database, true, kNumbers);
  };
  const double apply = BestMsPrepared(2, prepare, [&] { list.ApplySort(*database); });
  prepare();
  const double deepCopy = BestMs(1, [&] {
    HostArray<TZUN_Database_Structure> sorted;
    sorted.reserve(list.RowCount());
    for (int32_t row = 0; row < list.RowCount(); ++row) sorted.push_back(database->Entries[list.EntryAt(row)]);
  });
  Figure("list_apply_sort", apply, "ms");
  Figure("copy_in_display_order", deepCopy, "ms");
  Figure("copy_vs_apply_sort", deepCopy / apply, "ratio");
}

void BenchSelection(const TZUN_User_Lotto_DBase& database) {
  EntryList list;
  list.Refill(database);
  list.SetSort(database, true, kNumbers);
  const int32_t count = database.Entries.size();
  std::vector<uint8_t> bytes(static_cast<size_t>(count));
  const double floor = BestMs(5, [&] {
    std::memset(bytes.data(), bytes[0] ^ 1, bytes.size());
    if (bytes.back() > 1) std::abort();  // keeps the memset
  });
  Figure("memset_one_byte_per_entry", floor, "ms");
  const struct {
    const char* name;
    SelectionCommand command;
  } commands[] = {{"all", SelectionCommand::All}, {"even", SelectionCommand::Even},
                  {"odd", SelectionCommand::Odd}, {"invert", SelectionCommand::Invert}};
  for (const auto& c : commands) {
    const double ms = BestMs(5, [&] { list.ApplySelectionCommand(c.command); });
    Figure(std::string("list_select_") + c.name, ms, "ms");
    Figure(std::string("list_select_") + c.name + "_vs_memset", ms / floor, "ratio");
  }
  const double clear = BestMs(5, [&] { list.ClearSelection(); });
  Figure("list_clear_selection", clear, "ms");
  list.ApplySelectionCommand(SelectionCommand::Odd);
  const double entries = BestMs(3, [&] {
    if (list.SelectedEntries().empty()) std::abort();
  });
  Figure("list_selected_entries", entries, "ms");
}

// Deletes every other entry (Select Even) under a number-column sort.
double DeleteHalf(const TZUN_User_Lotto_DBase& source, int repeats) {
  std::unique_ptr<TZUN_User_Lotto_DBase> database;
  EntryList list;
  return BestMsPrepared(
      repeats,
      [&] {
        database = Copy(source);
        list.Refill(*database);
        list.SetSort(*database, false, kNumbers);
        list.ApplySelectionCommand(SelectionCommand::Even);
      },
      [&] {
        if (list.DeleteSelected(*database) == 0) std::abort();
      });
}

void BenchDeletion(const TZUN_User_Lotto_DBase& source, int32_t naiveCount) {
  const double ours = DeleteHalf(source, 2);
  const auto small = Copy(source);
  small->Entries.resize(naiveCount);
  const double oursSmall = DeleteHalf(*small, 3);
  std::vector<int32_t> doomed;
  for (int32_t e = 1; e < naiveCount; e += 2) doomed.push_back(e);
  const double naive = BestMsPrepared(
      1, [] {}, [&] { NaiveDelete(*small, doomed); });
  Figure("list_delete_half", ours, "ms");
  Figure("naive_delete_entries", naiveCount, "entries");
  Figure("naive_delete_half", naive, "ms");
  Figure("list_delete_half_same_entries", oursSmall, "ms");
  Figure("naive_vs_list_delete_same_entries", naive / oursSmall, "ratio");
}

void BenchMemory(const TZUN_User_Lotto_DBase& source) {
  const auto database = Copy(source);
  const int32_t count = database->Entries.size();
  const size_t before = HeapInUse();
  {
    EntryList list;
    list.Refill(*database);
    Figure("list_bytes_per_entry_after_refill", double(HeapInUse() - before) / count, "bytes");
    list.SetSort(*database, true, kNumbers);
    list.SetSort(*database, true, kSource);
    list.ApplySelectionCommand(SelectionCommand::Invert);
    Figure("list_bytes_per_entry_after_sorts", double(HeapInUse() - before) / count, "bytes");
    list.ApplySort(*database);
    list.ApplySelectionCommand(SelectionCommand::Odd);
    list.DeleteSelected(*database);
    // The deletion freed entries too: measure what the list alone gives back.
    const size_t withList = HeapInUse();
    list.Clear();
    Figure("list_bytes_per_entry_after_delete", double(withList - HeapInUse()) / database->Entries.size(),
           "bytes");
  }
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  const int32_t count = quick ? 10000 : 1000000;
  const int32_t naiveCount = quick ? 2000 : 20000;
  const auto database = MakeEntries(count);
  Figure("entries", count, "entries");
  BenchSorting(*database, naiveCount);
  BenchAddRow(*database, quick ? 100 : 1000);
  BenchApplySort(*database);
  BenchSelection(*database);
  BenchDeletion(*database, naiveCount);
  BenchMemory(*database);
  return 0;
}
