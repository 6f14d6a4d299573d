#include "analysis/duplicates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <random>

namespace zun {
namespace {

using Numbers = std::vector<std::vector<int32_t>>;

void Append(TZUN_User_Lotto_DBase& database, const Numbers& sets) {
  std::vector<int32_t> counts;
  for (const auto& set : sets) counts.push_back(int32_t(set.size()));
  auto& entry = database.Entries.emplace_back();
  entry.Numbers = EntryNumbers(EntryNumbers::Shape(counts));
  for (size_t s = 0; s < sets.size(); ++s)
    for (size_t k = 0; k < sets[s].size(); ++k) entry.Numbers[int32_t(s)][k] = int8_t(sets[s][k]);
}

// Duplicates by their definition: each entry's sets sorted, looked up among
// the earlier entries' in an ordered map.
std::vector<Duplicate> ReferenceDuplicates(const std::vector<Numbers>& entries) {
  std::map<Numbers, int32_t> first;
  std::vector<Duplicate> duplicates;
  for (size_t e = 0; e < entries.size(); ++e) {
    Numbers key = entries[e];
    for (auto& set : key) std::sort(set.begin(), set.end());
    const auto [at, added] = first.emplace(key, int32_t(e));
    if (!added) duplicates.push_back({int32_t(e), at->second});
  }
  return duplicates;
}

TEST(Duplicates, MatchTheReferenceOnRandomDatabases) {
  for (uint32_t seed = 1; seed <= 20; ++seed) {
    std::mt19937 random(seed);
    std::vector<Numbers> entries;
    // Few combinations, so that many entries repeat; numbers in any order,
    // a set sometimes shorter, numbers sometimes negative. Entries of more
    // than 7 bytes of key (odd seeds) are compared by their numbers on
    // equal hashes; the largest databases have thousands of duplicates.
    const size_t picked = seed % 2 == 1 ? 5 : 3;
    for (int e = 0, count = seed % 5 == 0 ? 12'000 : 600; e < count; ++e) {
      std::vector<int32_t> main{1, 2, 3, 4, 5, 6, 7};
      std::shuffle(main.begin(), main.end(), random);
      main.resize(random() % 9 == 0 ? picked - 1 : picked);
      std::vector<int32_t> extra{int32_t(random() % 3) - (random() % 13 == 0 ? 5 : 0)};
      entries.push_back(random() % 17 == 0 ? Numbers{extra, main} : Numbers{main, extra});
    }
    TZUN_User_Lotto_DBase database;
    for (const auto& numbers : entries) Append(database, numbers);
    EXPECT_EQ(FindDuplicates(database), ReferenceDuplicates(entries)) << "seed " << seed;
  }
}

TEST(Duplicates, SetsAreComparedOneByOne) {
  const struct Row {
    Numbers a, b;
    bool same;
  } rows[] = {
      {{{2, 1}, {3}}, {{1, 2}, {3}}, true},    {{{1, 2}, {3}}, {{1}, {2, 3}}, false},
      {{{1, 2}, {3}}, {{1, 2, 3}, {}}, false}, {{{1, 2}, {3}}, {{3}, {1, 2}}, false},
      {{{1, 2}, {}}, {{1, 2}}, false},         {{}, {}, true},
  };
  for (const Row& row : rows) {
    TZUN_User_Lotto_DBase database;
    Append(database, row.a);
    Append(database, row.b);
    Append(database, row.a);
    const std::vector<Duplicate> expected =
        row.same ? std::vector<Duplicate>{{1, 0}, {2, 0}} : std::vector<Duplicate>{{2, 0}};
    EXPECT_EQ(FindDuplicates(database), expected) << row.same;
  }
}

}  // namespace
}  // namespace zun
