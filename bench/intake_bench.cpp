// Figures for taking another window's offered entries (what the main window
// does on message 0x594), one per line as "name value unit":
//   - 100,000 entries of a 6-from-49 database offered in a shuffled order
//     (the order of a sorted list), taken through the adapter until the list
//     holds their rows: copies checked and made, appended, rows added;
//   - the baseline, measured in the same run: a plain deep copy of the same
//     entries in the same order into a reserved array;
//   - the ratio of the two.
// The probe is the one a build has: on Windows the system is asked which
// pages can be read, as the add-on asks it; elsewhere every pointer is
// trusted.
// "--quick" runs the same code on a small count (a smoke test for the build).

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench_support.h"
#include "support/adapter_fixture.h"
#if defined(_WIN32)
#include "win32/win32_ports.h"
#endif

namespace {

using namespace zun;
using bench::BestMs;
using bench::Figure;

constexpr uintptr_t kPeerWindow = 0x2000;
constexpr char kPeerMap[] = "Peer_UDBase";

#if defined(_WIN32)
using BenchProbe = win32::Win32MemoryProbe;  // the add-on's own: asks the system region by region
#else
using BenchProbe = MemoryProbe;
#endif

// The probe, made before the adapter that asks it.
struct ProbeHolder {
  BenchProbe probe;
};

// A started adapter, and a peer's database of `count` entries behind kPeerMap.
struct Bench : ProbeHolder, testing::AdapterFixture {
  explicit Bench(int32_t count)
      : AdapterFixture(hostside::MakeLotto649(3), &probe), source(hostside::MakeSampleDatabase(*game, count, 7)) {
    if (Start() != 1) std::fprintf(stderr, "intake_bench: the adapter did not start\n");
    for (int32_t i = 0; i < count; ++i) source->Entries[i].Source.assign("Peer " + std::to_string(i % 1000));
    auto& block = memory.blocks[kPeerMap];
    block.resize(4096);
    const void* pointer = source.get();
    std::memcpy(block.data(), &pointer, sizeof pointer);
    // A fixed shuffle of every index.
    uint32_t state = 2026;
    for (int32_t i = 0; i < count; ++i) offered.push_back(i);
    for (int32_t i = count - 1; i > 0; --i) {
      state = state * 1664525u + 1013904223u;
      std::swap(offered[i], offered[static_cast<int32_t>((state >> 8) % static_cast<uint32_t>(i + 1))]);
    }
  }

  // Empties our database and the list (untimed: New, unsaved entries
  // dropped) and fills the record.
  void Prepare() {
    prompt.answer = kResultNo;
    adapter.Execute(CommandId::New);
    prompt.shown.clear();
    DragDropRecord& record = Record();
    record.SourceWindow = kPeerWindow;
    record.TransferKind = static_cast<int32_t>(TransferKind::WritableSlot);
    record.TransferName = kPeerMap;
    record.EntryIndices = HostArrayRef<int32_t>(offered.data());
  }

  std::unique_ptr<TZUN_User_Lotto_DBase> source;
  HostArray<int32_t> offered;
};

void IntakeFigures(int32_t count) {
  Bench bench(count);
  double take = 1e300;
  for (int i = 0; i < 5; ++i) {
    bench.Prepare();
    take = std::min(take, BestMs(1, [&] { bench.adapter.TakeOfferedEntries(); }));
    if (bench.Doc().List().RowCount() != count || !bench.prompt.shown.empty())
      std::fprintf(stderr, "intake_bench: the offer was not taken whole\n");
  }
  const auto& entries = bench.source->Entries;
  const double copy = BestMs(5, [&] {
    HostArray<TZUN_Database_Structure> copies;
    copies.reserve(count);
    for (const int32_t index : bench.offered) copies.push_back(entries[index]);
  });
  Figure("intake_entries", count, "entries");
  Figure("take_offered_entries", take, "ms");
  Figure("plain_copy_same_entries", copy, "ms");
  Figure("take_vs_plain_copy", take / copy, "ratio");
}

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  IntakeFigures(quick ? 2'000 : 100'000);
  return 0;
}
