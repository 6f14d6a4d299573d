// Figures for the data model, one per line as "name value unit", with each
// figure's baseline measured in the same run:
//   - saving and loading a 1,000,000-entry .sl5 against a plain write and
//     read of the same bytes, and against a naive build of the same entries
//     (one allocation per array, arrays grown by one);
//   - loading 2,000,000 entries against 1,000,000 (growth must be linear);
//   - memory held per loaded entry;
//   - the draw statistics over 200,000 draws, and the pairwise definition on
//     fewer draws, with the time per draw of each; then with every draw's
//     machine named differently, where the pairwise definition is quadratic.
// "--quick" runs the same code on small sizes (a smoke test for the build).

#include <malloc.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench_support.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "model/draw_statistics.h"
#include "model/sl5_file.h"
#include "platform/file_system.h"
#include "support/pairwise_statistics.h"

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;
using bench::HeapInUse;

std::string TempPath(const std::string& name) {
  const char* tmp = std::getenv("TMPDIR");
  return std::string(tmp && *tmp ? tmp : "/tmp") + "/zun-bench-" + name;
}

bool WritePlain(const std::string& path, const std::vector<uint8_t>& bytes) {
  auto out = PlatformFileSystem().BeginReplace(path);
  return out && out->Write(bytes.data(), bytes.size()) && out->Commit();
}

// The naive way to hold the same entries: every array its own allocation,
// the entry array grown by one entry at a time.
struct NaiveEntry {
  int32_t reserved;
  int8_t** numbers;
  char source[26];
};

// Returns the heap the naive entries held.
size_t NaiveLoad(const std::vector<uint8_t>& bytes) {
  const size_t heapBefore = HeapInUse();
  int32_t setCount;
  std::memcpy(&setCount, bytes.data(), 4);
  std::vector<int32_t> counts(static_cast<size_t>(setCount));
  size_t pos = 4;
  for (auto& count : counts) {
    std::memcpy(&count, bytes.data() + pos, 4);
    pos += 18;
  }
  int32_t entryCount;
  std::memcpy(&entryCount, bytes.data() + pos, 4);
  pos += 4;
  NaiveEntry* entries = nullptr;
  for (int32_t e = 0; e < entryCount; ++e) {
    entries = static_cast<NaiveEntry*>(std::realloc(entries, sizeof(NaiveEntry) * size_t(e + 1)));
    NaiveEntry& entry = entries[e];
    entry.numbers = static_cast<int8_t**>(std::malloc(sizeof(int8_t*) * counts.size()));
    for (size_t s = 0; s < counts.size(); ++s) {
      entry.numbers[s] = static_cast<int8_t*>(std::malloc(static_cast<size_t>(counts[s])));
      std::memcpy(entry.numbers[s], bytes.data() + pos, static_cast<size_t>(counts[s]));
      pos += static_cast<size_t>(counts[s]);
    }
    std::memcpy(entry.source, "\x07x.sl5", 7);
  }
  const size_t held = HeapInUse() - heapBefore;
  for (int32_t e = 0; e < entryCount; ++e) {
    for (size_t s = 0; s < counts.size(); ++s) std::free(entries[e].numbers[s]);
    std::free(entries[e].numbers);
  }
  std::free(entries);
  return held;
}

void BenchSl5(int32_t entries, const char* label) {
  const auto game = hostside::MakeLotto649(0);
  auto database = hostside::MakeSampleDatabase(*game, entries, 42);
  const std::string path = TempPath(std::string(label) + ".sl5");
  const std::string plainPath = TempPath(std::string(label) + "-plain.sl5");
  FileSystem& files = PlatformFileSystem();

  const double save = BestMs(3, [&] {
    if (!database->SaveToFile(files, path)) std::abort();
  });
  std::vector<uint8_t> bytes;
  files.ReadFile(path, bytes);
  const double plainWrite = BestMs(3, [&] {
    if (!WritePlain(plainPath, bytes)) std::abort();
  });
  const double plainRead = BestMs(3, [&] {
    std::vector<uint8_t> again;
    if (!files.ReadFile(plainPath, again)) std::abort();
  });
  double load = 0;
  size_t held = 0;
  load = BestMs(3, [&] {
    TZUN_User_Lotto_DBase loaded;
    const size_t before = HeapInUse();
    if (!loaded.LoadFromFile(files, false, path)) std::abort();
    held = HeapInUse() - before;
  });
  size_t naiveHeld = 0;
  const double naive = BestMs(3, [&] {
    std::vector<uint8_t> again;
    files.ReadFile(path, again);
    naiveHeld = NaiveLoad(again);
  });

  const std::string n = label;
  Figure(("sl5_save_" + n).c_str(), save, "ms");
  Figure(("sl5_plain_write_" + n).c_str(), plainWrite, "ms");
  Figure(("sl5_save_vs_plain_write_" + n).c_str(), save / plainWrite, "ratio");
  Figure(("sl5_load_" + n).c_str(), load, "ms");
  Figure(("sl5_plain_read_" + n).c_str(), plainRead, "ms");
  Figure(("sl5_load_vs_plain_read_" + n).c_str(), load / plainRead, "ratio");
  Figure(("sl5_naive_load_" + n).c_str(), naive, "ms");
  Figure(("sl5_load_vs_naive_load_" + n).c_str(), load / naive, "ratio");
  Figure(("memory_per_entry_" + n).c_str(), double(held) / entries, "bytes");
  Figure(("naive_memory_per_entry_" + n).c_str(), double(naiveHeld) / entries, "bytes");
  std::remove(path.c_str());
  std::remove(plainPath.c_str());
}

double LoadMs(int32_t entries, const std::string& path) {
  const auto game = hostside::MakeLotto649(0);
  const auto database = hostside::MakeSampleDatabase(*game, entries, 42);
  if (!database->SaveToFile(PlatformFileSystem(), path)) std::abort();
  const double ms = BestMs(3, [&] {
    TZUN_User_Lotto_DBase loaded;
    if (!loaded.LoadFromFile(PlatformFileSystem(), false, path)) std::abort();
  });
  std::remove(path.c_str());
  return ms;
}

void BenchStatistics(int32_t draws, int32_t pairwiseDraws) {
  auto game = hostside::MakeLotto649(draws);
  const double hashing = BestMs(3, [&] { ComputeDrawStatistics(*game); });
  Figure("stats_draws", draws, "draws");
  Figure("stats_hashing", hashing, "ms");
  Figure("stats_hashing_per_draw", hashing * 1e6 / draws, "ns");

  std::vector<std::string> machines, ballSets, pairs;
  for (int32_t i = 0; i < pairwiseDraws; ++i) {
    const auto& draw = game->Draws[i];
    machines.emplace_back(draw.MachineName.view());
    ballSets.emplace_back(draw.BallSetName.view());
    pairs.push_back(MachineBallSetKey(draw.MachineName.view(), draw.BallSetName.view()));
  }
  const double pairwise = BestMs(1, [&] {
    testing::PairwiseStatistic(machines);
    testing::PairwiseStatistic(ballSets);
    testing::PairwiseStatistic(pairs);
  });
  auto small = hostside::MakeLotto649(pairwiseDraws);
  const double hashingSmall = BestMs(3, [&] { ComputeDrawStatistics(*small); });
  Figure("stats_pairwise_draws", pairwiseDraws, "draws");
  Figure("stats_pairwise", pairwise, "ms");
  Figure("stats_pairwise_per_draw", pairwise * 1e6 / pairwiseDraws, "ns");
  Figure("stats_hashing_same_draws", hashingSmall, "ms");
  Figure("stats_pairwise_vs_hashing_same_draws", pairwise / hashingSmall, "ratio");

  // The pairwise definition is quadratic in the number of distinct names:
  // a host that names every draw's machine differently shows it.
  for (int32_t i = 0; i < pairwiseDraws; ++i) {
    const std::string name = "M" + std::to_string(i);
    small->Draws[i].MachineName.assign(name);
    machines[static_cast<size_t>(i)] = name;
  }
  const double pairwiseDistinct = BestMs(1, [&] { testing::PairwiseStatistic(machines); });
  const double hashingDistinct = BestMs(3, [&] { ComputeDrawStatistics(*small); });
  Figure("stats_distinct_pairwise_machines", pairwiseDistinct, "ms");
  Figure("stats_distinct_hashing_all_three", hashingDistinct, "ms");
  Figure("stats_distinct_pairwise_vs_hashing", pairwiseDistinct / hashingDistinct, "ratio");
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  const int32_t million = quick ? 10000 : 1000000;
  BenchSl5(million, quick ? "10k" : "1m");
  const double load1 = LoadMs(million, TempPath("linear1.sl5"));
  const double load2 = LoadMs(2 * million, TempPath("linear2.sl5"));
  Figure("sl5_load_1x", load1, "ms");
  Figure("sl5_load_2x", load2, "ms");
  Figure("sl5_load_2x_vs_1x", load2 / load1, "ratio");
  BenchStatistics(quick ? 2000 : 200000, quick ? 500 : 5000);
  return 0;
}
