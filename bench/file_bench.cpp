// Figures for the file operations, one per line as "name value unit", each
// with a baseline measured in the same run (files live in memory, so the
// figures are the operations' own cost, not the disk's):
//   - loading a 1,000,000-entry .sl5 through the Load command until the
//     list holds its rows, against a plain copy of the same bytes and
//     against parsing them alone;
//   - merging 20 files of 100,000 entries through a several-file load,
//     against appending one entry at a time (each a full copy, the array
//     grown by one) on a smaller count;
//   - the suitability check of 15 files of 1,000,000 entries (what opening
//     the Reopen menu costs): it reads headers only.
// "--quick" runs the same code on small sizes (a smoke test for the build).

#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "model/sl5_file.h"
#include "operations/file_operations.h"
#include "support/adapter_fixture.h"

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;

struct Bench : testing::AdapterFixture {
  Bench() {
    if (Start() != 1) std::fprintf(stderr, "file_bench: the adapter did not start\n");
  }
  std::vector<uint8_t> FileOf(int32_t entries, uint32_t seed) {
    return Sl5Bytes(*hostside::MakeSampleDatabase(*game, entries, seed));
  }
};

void LoadFigures(int32_t count) {
  Bench bench;
  const std::vector<uint8_t> bytes = bench.FileOf(count, 1);
  bench.files.files["C:\\picks\\big.sl5"] = bytes;
  std::vector<uint8_t> copy;
  const double plain = BestMs(5, [&] { copy = bench.files.files["C:\\picks\\big.sl5"]; });
  const double parse = BestMs(3, [&] {
    TZUN_User_Lotto_DBase database;
    ParseSl5(database, bytes, false, "big.sl5");
  });
  const double load = BestMs(3, [&] {
    bench.dialogs.openAnswers.push_back({"C:\\picks\\big.sl5"});
    bench.adapter.Execute(CommandId::Load);
  });
  if (bench.Doc().List().RowCount() != count) std::fprintf(stderr, "file_bench: the load took no rows\n");
  Figure("load_entries", count, "entries");
  Figure("load_through_command", load, "ms");
  Figure("plain_copy_same_bytes", plain, "ms");
  Figure("parse_only", parse, "ms");
  Figure("load_vs_plain_copy", load / plain, "ratio");
  Figure("load_vs_parse_only", load / parse, "ratio");
}

void MergeFigures(int32_t files, int32_t perFile, int32_t naiveCount) {
  Bench bench;
  std::vector<std::string> names;
  for (int32_t i = 0; i < files; ++i) {
    names.push_back("C:\\picks\\part" + std::to_string(i) + ".sl5");
    bench.files.files[names.back()] = bench.FileOf(perFile, static_cast<uint32_t>(10 + i));
  }
  const double merge = BestMs(2, [&] {
    bench.dialogs.openAnswers.push_back(names);
    bench.adapter.Execute(CommandId::Load);
  });
  // One entry at a time: each appended entry is a full copy and the array
  // grows by one, as a plain loop over a scratch database would.
  TZUN_User_Lotto_DBase source;
  ParseSl5(source, bench.files.files[names[0]], false, "part0.sl5");
  const int32_t naive = std::min(naiveCount, source.Entries.size());
  const double oneByOne = BestMs(2, [&] {
    TZUN_User_Lotto_DBase target;
    for (int32_t k = 0; k < naive; ++k) {
      HostArray<TZUN_Database_Structure> grown;
      grown.reserve(target.Entries.size() + 1);
      for (const auto& entry : target.Entries) grown.push_back(entry);
      grown.push_back(source.Entries[k]);
      target.Entries.swap(grown);
    }
  });
  const int64_t total = int64_t{files} * perFile;
  Figure("merge_files", files, "files");
  Figure("merge_entries", static_cast<double>(total), "entries");
  Figure("merge_through_command", merge, "ms");
  Figure("merge_per_entry", merge * 1e6 / static_cast<double>(total), "ns");
  Figure("one_at_a_time_entries", naive, "entries");
  Figure("one_at_a_time", oneByOne, "ms");
  Figure("one_at_a_time_per_entry", oneByOne * 1e6 / naive, "ns");
}

void SuitabilityFigures(int32_t files, int32_t perFile) {
  Bench bench;
  const std::vector<uint8_t> bytes = bench.FileOf(perFile, 3);
  for (int32_t i = 0; i < files; ++i) bench.SetRecentFile(i, "C:\\recent\\" + std::to_string(i) + ".sl5");
  // The in-memory file system reads whole files; a header-only check must
  // not need them, so the files are there in full.
  for (int32_t i = 0; i < files; ++i) bench.files.files["C:\\recent\\" + std::to_string(i) + ".sl5"] = bytes;
  size_t suitable = 0;
  const double check = BestMs(3, [&] {
    suitable = 0;
    for (const ReopenMenuItem& item : bench.adapter.ReopenMenu()) suitable += item.suitable ? 1 : 0;
  });
  if (suitable != static_cast<size_t>(files)) std::fprintf(stderr, "file_bench: not every recent file suits\n");
  std::vector<uint8_t> copy;
  const double plain = BestMs(3, [&] { copy = bytes; });
  Figure("reopen_menu_files", files, "files");
  Figure("reopen_menu_entries_each", perFile, "entries");
  Figure("reopen_menu_check", check, "ms");
  Figure("plain_copy_of_one_file", plain, "ms");
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  LoadFigures(quick ? 5'000 : 1'000'000);
  MergeFigures(20, quick ? 500 : 100'000, quick ? 500 : 20'000);
  SuitabilityFigures(15, quick ? 1'000 : 1'000'000);
  return 0;
}
