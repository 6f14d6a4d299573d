// Figures for the check against the draws and for the duplicates, one per
// line as "name value unit", each with a baseline measured in the same run:
//   - 1,000,000 entries of 6 from 49 against the last draw of a 2,000-draw
//     game: the snapshot (DrawCheckInput::Make) and the check, against the
//     reference checker (plain sets of numbers) on 100,000 of the entries,
//     scaled by 10;
//   - 100,000 entries against all 2,000 draws (200 million pairs): the
//     check, against the reference on 10,000 entries and 20 draws (200,000
//     pairs), scaled by 1,000; the two are first compared on those pairs;
//   - FindDuplicates on 1,000,000 and on 2,000,000 entries and their ratio
//     (linear: about 2), against an ordered map of the entries' sorted
//     numbers on 1,000,000.
// "--quick" runs the same code on small counts (a smoke test for the build).

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "analysis/draw_check.h"
#include "analysis/duplicates.h"
#include "bench_support.h"
#include "hostside/sample_games.h"
#include "support/reference_draw_check.h"

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;

void Fail(const char* what) {
  std::fprintf(stderr, "check_bench: %s\n", what);
  std::exit(1);
}

std::vector<int32_t> FirstEntries(int32_t count) {
  std::vector<int32_t> entries(static_cast<size_t>(count));
  for (int32_t e = 0; e < count; ++e) entries[size_t(e)] = e;
  return entries;
}

// The reference's time for `entries` entries against `range`, in ms.
double ReferenceMs(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, int32_t entries,
                   DrawRange range) {
  const std::vector<int32_t> some = FirstEntries(entries);
  testing::ReferenceCheck reference;
  const double ms = BestMs(1, [&] { reference = testing::RunReferenceCheck(game, database, some, range, 0); });
  // The same pairs through the fast check must give the same result.
  const DrawCheckInput input = DrawCheckInput::Make(game, database, &some, range, 0);
  DrawCheckResult result;
  RunDrawCheck(input, result);
  if (!testing::DifferenceFromReference(input, result, reference).empty()) Fail("the check differs from the reference");
  return ms;
}

void LastDrawFigures(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, int32_t sample) {
  const int32_t entries = database.Entries.size();
  const DrawRange last = DrawRange::LastDraws(game, 1);
  DrawCheckInput input;
  const double snapshot = BestMs(3, [&] { input = DrawCheckInput::Make(game, database, nullptr, last, 0); });
  DrawCheckResult result;
  const double check = BestMs(5, [&] { RunDrawCheck(input, result); });
  if (result.entriesChecked != entries) Fail("the check left entries out");
  const double reference = ReferenceMs(game, database, sample, last) * entries / sample;
  Figure("last_draw_entries", entries, "entries");
  Figure("last_draw_snapshot", snapshot, "ms");
  Figure("last_draw_check", check, "ms");
  Figure("last_draw_pairs_found", double(result.found), "pairs");
  Figure("last_draw_reference_scaled", reference, "ms");
  Figure("last_draw_reference_vs_check", reference / check, "ratio");
}

void AllDrawsFigures(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, int32_t entries,
                     int32_t sampleEntries, int32_t sampleDraws) {
  const std::vector<int32_t> some = FirstEntries(entries);
  const DrawCheckInput input = DrawCheckInput::Make(game, database, &some, DrawRange::All(game), 0);
  DrawCheckResult result;
  const double check = BestMs(3, [&] { RunDrawCheck(input, result); });
  const double pairs = double(entries) * double(input.draws.size());
  const double samplePairs = double(sampleEntries) * sampleDraws;
  const double reference =
      ReferenceMs(game, database, sampleEntries, DrawRange::LastDraws(game, sampleDraws)) * pairs / samplePairs;
  Figure("all_draws_pairs", pairs, "pairs");
  Figure("all_draws_check", check, "ms");
  Figure("all_draws_check_per_pair", check * 1e6 / pairs, "ns");
  Figure("all_draws_pairs_found", double(result.found), "pairs");
  Figure("all_draws_reference_sample", samplePairs, "pairs");
  Figure("all_draws_reference_scaled", reference, "ms");
  Figure("all_draws_reference_vs_check", reference / check, "ratio");
}

// Duplicates by their definition: an ordered map of each entry's sorted sets.
size_t MapDuplicates(const TZUN_User_Lotto_DBase& database) {
  std::map<std::vector<int8_t>, int32_t> first;
  size_t duplicates = 0;
  for (int32_t e = 0; e < database.Entries.size(); ++e) {
    const auto numbers = database.Entries[e].Numbers[0];
    std::vector<int8_t> key(numbers.begin(), numbers.end());
    std::sort(key.begin(), key.end());
    duplicates += first.emplace(std::move(key), e).second ? 0 : 1;
  }
  return duplicates;
}

void DuplicateFigures(const TZUN_Lotto_DBase& game, int32_t count) {
  const auto one = hostside::MakeSampleDatabase(game, count, 21);
  const auto two = hostside::MakeSampleDatabase(game, 2 * count, 22);
  size_t found = 0;
  const double single = BestMs(3, [&] { found = FindDuplicates(*one).size(); });
  const double twice = BestMs(3, [&] { FindDuplicates(*two); });
  size_t mapped = 0;
  const double map = BestMs(1, [&] { mapped = MapDuplicates(*one); });
  if (mapped != found) Fail("the duplicates differ from the map's");
  Figure("duplicates_entries", count, "entries");
  Figure("duplicates_found", double(found), "entries");
  Figure("find_duplicates", single, "ms");
  Figure("find_duplicates_twice_the_entries", twice, "ms");
  Figure("find_duplicates_twice_vs_once", twice / single, "ratio");
  Figure("ordered_map_duplicates", map, "ms");
  Figure("ordered_map_vs_find_duplicates", map / single, "ratio");
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  const auto game = zun::hostside::MakeLotto649(quick ? 50 : 2000);
  const auto database = zun::hostside::MakeSampleDatabase(*game, quick ? 10'000 : 1'000'000, 17);
  LastDrawFigures(*game, *database, quick ? 1'000 : 100'000);
  AllDrawsFigures(*game, *database, quick ? 1'000 : 100'000, quick ? 100 : 10'000, 20);
  DuplicateFigures(*game, quick ? 10'000 : 1'000'000);
  return 0;
}
