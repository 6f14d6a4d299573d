// The whole 6-from-49 space (13,983,816 entries, as udbtool wheel writes
// it) through the window's own operations on a document: load, sort by the
// number column and by the source, Apply Sort, Select All, delete half (with
// its undo history), save against a plain write of the same bytes, and a
// merge of two files. Each figure comes with the page faults it cost, and
// the loads come twice:
//   - cold: the memory comes fresh from the system (each page a fault);
//   - warm: the allocator keeps what the first load freed, as a process
//     that has loaded before holds it.
// Memory: the heap's bytes per entry beside the floor of the host's entry
// layout, the list's own bytes per entry, and the process's peak.
// Build it with -m32 (scripts/bench-m32) to measure the product's layout;
// the x86_64 build stays for speed. "--quick" runs 100,000 entries (a smoke
// test); "--entries N" any count up to the whole space.

#include <malloc.h>
#include <sys/resource.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "bench_support.h"
#include "list/list_sort.h"
#include "model/sl5_file.h"
#include "operations/file_operations.h"
#include "platform/file_system.h"
#include "support/document_fixture.h"

namespace {

using namespace zun;
using bench::Figure;
using bench::HeapInUse;

constexpr int32_t kWholeSpace = 13'983'816;
constexpr int32_t kNumbersColumn = 1;
constexpr int32_t kSourceColumn = 2;

void Fail(const char* what) {
  std::fprintf(stderr, "space_bench: %s\n", what);
  std::exit(1);
}

long MinorFaults() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_minflt;
}

// The process's peak address space and resident set, from the kernel.
double StatusMb(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind(key, 0) == 0) return std::atof(line.c_str() + std::strlen(key)) / 1024.0;
  return 0;
}

// Times one run of work and counts its page faults.
void Step(const std::string& name, const std::function<void()>& work) {
  const long faults = MinorFaults();
  const double ms = bench::BestMs(1, work);
  Figure(name, ms, "ms");
  Figure(name + "_page_faults", static_cast<double>(MinorFaults() - faults), "faults");
}

void WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size() || std::fclose(file) != 0)
    Fail("cannot write the bench's files");
}

struct Bench : testing::DocumentFixture {
  Bench() : DocumentFixture(hostside::MakeLotto649(3)) {}
  FileSystem& disk = PlatformFileSystem();
  Services onDisk{disk,   prompt, dialogs,   clipboard, random, notifier, messenger, memory,
                  probe,  errors, hourglass, recent,    views.All()};

  int32_t Load(const std::vector<std::string>& names) {
    LoadRequest request;
    request.names = names;
    request.preset = true;
    document.NewDatabase();
    return LoadDatabaseFiles(document, onDisk, request);
  }
};

// The same entries in a random order: the file's 6-number records, which
// end it, are shuffled (the same order every run).
std::vector<uint8_t> Shuffled(std::vector<uint8_t> bytes, int32_t count) {
  constexpr size_t kRecord = 6;
  uint8_t* records = bytes.data() + bytes.size() - size_t(count) * kRecord;
  std::mt19937 random(49);
  for (size_t i = size_t(count) - 1; i > 0; --i) {
    const size_t j = std::uniform_int_distribution<size_t>(0, i)(random);
    std::swap_ranges(records + i * kRecord, records + (i + 1) * kRecord, records + j * kRecord);
  }
  return bytes;
}

}  // namespace

int main(int argc, char** argv) {
  int32_t count = kWholeSpace;
  if (argc == 2 && std::strcmp(argv[1], "--quick") == 0) count = 100'000;
  if (argc == 3 && std::strcmp(argv[1], "--entries") == 0) count = std::atoi(argv[2]);
  if (count <= 0 || count > kWholeSpace) Fail("--entries: 1 to 13,983,816");
  bench::PrintBuild();
  const std::string folder = std::getenv("TMPDIR") ? std::getenv("TMPDIR") : "/tmp";
  const std::string all = folder + "/space_bench_all.sl5";
  const std::string few = folder + "/space_bench_few.sl5";
  const std::string saved = folder + "/space_bench_saved.sl5";
  const std::string plain = folder + "/space_bench_plain.sl5";
  const std::string shuffled = folder + "/space_bench_shuffled.sl5";

  Bench bench;
  const double startMb = StatusMb("VmSize:");
  {
    const std::vector<uint8_t> bytes = hostside::CombinationsSl5(*bench.game, count);
    WriteFile(all, bytes);
    WriteFile(few, hostside::CombinationsSl5(*bench.game, 1000));
    WriteFile(shuffled, Shuffled(bytes, count));
  }
  Figure("entries", count, "entries");

  // Cold: every page of the entries comes fresh from the system.
  const size_t heapBefore = HeapInUse();
  Step("load_cold", [&] {
    if (bench.Load({all}) != 1 || bench.Database().Entries.size() != count) Fail("the load did not take the file");
  });
  const TZUN_User_Lotto_DBase& database = bench.Database();
  const double heapPerEntry = double(HeapInUse() - heapBefore) / count;
  const size_t numbersBlock = database.Entries[0].Numbers.MemoryBytes();
  // The host's own layout: the record, the set-reference array's header and
  // one reference, the set's header and its 6 numbers.
  const size_t floor = sizeof(TZUN_Database_Structure) + 2 * sizeof(int32_t) + sizeof(void*) + 2 * sizeof(int32_t) + 6;
  Figure("entry_floor", double(floor), "bytes/entry");
  Figure("entry_record_and_numbers_block", double(sizeof(TZUN_Database_Structure) + numbersBlock), "bytes/entry");
  Figure("heap_after_load", heapPerEntry, "bytes/entry");
  Figure("list_state", double(bench.document.List().MemoryBytes()) / count, "bytes/entry");

  // The list shows its first page: the texts of 40 rows.
  Step("first_page", [&] {
    std::string text;
    for (int32_t row = 0; row < 40 && row < count; ++row) text += bench.document.List().CellText(database, row, 1);
    if (text.empty()) Fail("no first page");
  });

  bench.document.ClickColumn(kNumbersColumn);  // ascending first: the figure is one sort
  Step("sort_numbers_down", [&] { bench.document.ClickColumn(kNumbersColumn); });
  if (bench.document.List().EntryAt(0) != count - 1) Fail("the descending sort does not start with the last entry");
  Step("sort_numbers_up", [&] { bench.document.ClickColumn(kNumbersColumn); });
  Step("sort_source", [&] { bench.document.ClickColumn(kSourceColumn); });
  bench.document.ClickColumn(kNumbersColumn), bench.document.ClickColumn(kNumbersColumn);
  Step("apply_sort", [&] {
    if (!bench.document.ApplySort()) Fail("Apply Sort moved nothing");
  });
  Step("select_all", [&] { bench.document.ApplySelectionCommand(SelectionCommand::All); });
  Step("select_even", [&] { bench.document.ApplySelectionCommand(SelectionCommand::Even); });
  Step("delete_half", [&] {
    if (bench.document.DeleteSelected() != (count + 1) / 2) Fail("the delete missed rows");
  });
  Figure("peak_after_edits", StatusMb("VmPeak:") - startMb, "MB address space");

  bench.dialogs.saveAnswers.push_back(saved);
  Step("save", [&] {
    if (SaveDatabaseAs(bench.document, bench.onDisk) != SaveOutcome::Saved) Fail("the save failed");
  });
  std::vector<uint8_t> bytes;
  {
    std::ifstream in(saved, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), {});
  }
  Step("plain_write_of_same_bytes", [&] { WriteFile(plain, bytes); });
  // A save makes the file durable before it replaces the old one: the same
  // bytes written that way, and the save's own part (the bytes made and
  // handed on, nothing written).
  Step("plain_durable_write_of_same_bytes", [&] {
    const std::unique_ptr<FileWriter> out = bench.disk.BeginReplace(plain);
    if (!out || !out->Write(bytes.data(), bytes.size()) || !out->Commit()) Fail("cannot write the bench's files");
  });
  Step("save_bytes_made", [&] {
    struct Discard final : FileWriter {
      bool Write(const void*, size_t) override { return true; }
      bool Commit() override { return true; }
    } discard;
    if (!WriteSl5(bench.Database(), discard)) Fail("the entries lost their shape");
  });
  // And what follows the write: every entry takes the file's name as its source.
  Step("save_sources_stamped", [&] { bench.document.StampSources("space_bench_other.sl5"); });
  bytes = {};

  // The rows of the file as written stand in the order of its numbers: a
  // sort by them is one pass (or a reversal). In a random order the keys are
  // sorted for real, cold (fresh key pages) here and warm below.
  const auto naturalOrder = [&] {
    while (!bench.document.List().InNaturalOrder()) bench.document.ClickColumn(kSeqColumn);
  };
  const auto loadShuffled = [&] {
    naturalOrder();  // the load keeps the rows in file order
    if (bench.Load({shuffled}) != 1) Fail("the shuffled file did not load");
  };
  loadShuffled();
  Step("sort_seq_down", [&] { bench.document.ClickColumn(kSeqColumn); });
  naturalOrder();
  Step("sort_numbers_shuffled_cold", [&] { bench.document.ClickColumn(kNumbersColumn); });
  Step("sort_numbers_shuffled_again", [&] { bench.document.ClickColumn(kNumbersColumn); });

  // Warm: the allocator keeps freed memory, and a load reuses it.
  mallopt(M_MMAP_MAX, 0);
  mallopt(M_TRIM_THRESHOLD, INT32_MAX);
  naturalOrder();  // the loads below keep the file's order: no sort in them
  bench.document.NewDatabase();
  Step("load_priming", [&] { bench.Load({all}); });
  bench.document.NewDatabase();
  Step("load_warm", [&] { bench.Load({all}); });
  bench.document.NewDatabase();
  Step("load_warm_again", [&] { bench.Load({all}); });
  Step("merge_two_files_warm", [&] {
    bench.document.NewDatabase();
    if (bench.Load({all, few}) != 2 || bench.Database().Entries.size() != count + 1000) Fail("the merge missed a file");
  });
  loadShuffled();
  bench.document.ClickColumn(kNumbersColumn);  // the keys' memory, kept once freed
  naturalOrder();
  Step("sort_numbers_shuffled_warm", [&] { bench.document.ClickColumn(kNumbersColumn); });
  Figure("peak", StatusMb("VmPeak:") - startMb, "MB address space");
  std::remove(all.c_str()), std::remove(few.c_str()), std::remove(saved.c_str()), std::remove(plain.c_str());
  std::remove(shuffled.c_str());
  return 0;
}
