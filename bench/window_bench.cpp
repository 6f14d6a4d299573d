// What a user waits for in the window with a large database: the entry
// list's real control (a virtual list view) over the add-on's core, in a
// top-level window on the display. Prints one figure per line, with the
// build that measured them first. Runs under Wine in the Windows trees.
//
//   window_bench [--quick]
//
// list_show: entries present in the database -> the list model refilled,
//   the control told the row count and its first page painted.
// load_and_show: a .sl5 file dropped -> read, entries made, the list shown
//   and painted.
// The baseline is the same paint of a list of 10 rows, so the ratio shows
// what the size costs.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "bench_support.h"
#include "hostside/sample_games.h"
#include "support/core_fixture.h"
#include "win32/entry_list_view.h"
#include "win32/window.h"

namespace {

using namespace zun;
using zun::bench::BestMs;
using zun::bench::Figure;

class BenchHost final : public win32::Window {
 public:
  BenchHost() {
    CreateOfClass("ZUN_WindowBenchHost", 0, "window bench", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0,
                  800, 600, nullptr);
  }
  ~BenchHost() override { Destroy(); }
  win32::EntryListWindow* list = nullptr;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    LRESULT result = 0;
    if (message == WM_NOTIFY && list != nullptr && list->OnNotify(reinterpret_cast<NMHDR*>(lParam), result))
      return result;
    return Default(message, wParam, lParam);
  }
};

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

struct ListBench : testing::CoreFixture {
  ListBench() {
    core.SetViews(Views{&list, &views, &views, &views, &views});
    Start();
    host.list = &list;
    list.Create(host.Handle());
    list.SetupColumns();
    list.Place(0, 0, 780, 560);
    Drain();
  }

  // Fills the database with `count` entries written to a .sl5 file in the
  // fixture's file system, through the core's own load of a dropped file.
  std::string WriteDatabase(int32_t count) {
    auto database = hostside::MakeSampleDatabase(*game, count, 7);
    const std::string path = "C:\\Picks\\big-" + std::to_string(count) + ".sl5";
    database->SaveToFile(files, path);
    return path;
  }

  void Paint() {
    InvalidateRect(list.Handle(), nullptr, TRUE);
    UpdateWindow(list.Handle());
  }

  // Entries present -> rows filled, count set, first page painted.
  double ShowMs() {
    return BestMs(5, [&] {
      core.List().Refill(*core.Database());
      list.RowsChanged(core.List().RowCount());
      UpdateWindow(list.Handle());
    });
  }

  double LoadAndShowMs(const std::string& path) {
    // Once: a second drop on a filled list would ask to clear or append.
    return BestMs(1, [&] {
      core.FilesDropped({path});  // an empty list: no question, the file is loaded
      UpdateWindow(list.Handle());
    });
  }

  BenchHost host;
  win32::EntryListWindow list{core};
};

}  // namespace

int main(int argc, char** argv) {
  const bool quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
  zun::bench::PrintBuild();
  INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&classes);
  const int32_t count = quick ? 20'000 : 1'000'000;

  ListBench small;
  small.LoadAndShowMs(small.WriteDatabase(10));
  const double smallShow = small.ShowMs();

  ListBench big;
  const std::string path = big.WriteDatabase(count);
  double loadShow = big.LoadAndShowMs(path);
  if (big.core.Database()->Entries.size() != count) {
    std::printf("window_bench: the database holds %d entries, not %d\n", big.core.Database()->Entries.size(), count);
    return 1;
  }
  // A load runs once per list (a second drop asks to clear or append), so
  // the best of three takes a fresh list each time.
  for (int again = 0; again < 2; ++again) {
    ListBench fresh;
    fresh.files.files[path] = big.files.files[path];
    loadShow = std::min(loadShow, fresh.LoadAndShowMs(path));
  }
  const double show = big.ShowMs();
  const std::string n = quick ? "20k" : "1m";
  Figure("list_show_" + n, show, "ms");
  Figure("list_show_10", smallShow, "ms");
  Figure("list_show_" + n + "_vs_10", show / smallShow, "ratio");
  Figure("load_and_show_" + n, loadShow, "ms");
  return 0;
}
