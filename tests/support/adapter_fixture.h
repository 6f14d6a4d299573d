#pragma once

// The host adapter on fakes of every port, with a sample game published in
// the host's game slot as the host would: for tests of the adapter, the
// commands it runs and the views over it.

#include <cstring>
#include <initializer_list>
#include <memory>
#include <string>

#include "core/host_adapter.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "platform/seeded_random.h"
#include "selection/grid_geometry.h"
#include "support/fake_ports.h"
#include "support/fake_views.h"
#include "support/memory_file_system.h"

namespace zun::testing {

struct AdapterFixture {
  // `probe` replaces the fake memory probe (a benchmark asks the system's).
  explicit AdapterFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3),
                          const MemoryProbe* probe = nullptr)
      : game(std::move(g)),
        adapter({windows, files, profile, memory, clock, prompt, cursor, random, dialogs, clipboard, notifier, messenger,
                 probe ? *probe : fakeProbe}) {
    game->FileName = "C:\\Games\\Game.dat";
    files.files["C:\\Games\\Game.dat"] = hostside::WriteGameFile(*game);
    auto& block = memory.blocks["ZUN_Mem_Map"];
    block.resize(4096);
    const void* pointer = game.get();
    std::memcpy(block.data(), &pointer, sizeof pointer);
    adapter.SetViews(views.All());
    windows.handOverViews = [this] { adapter.SetViews(views.All()); };
  }

  uint8_t Start() { return adapter.Start("C:\\Host", "Test ", "0.39"); }

  // Clicks the cells of these balls of a set.
  void Pick(int32_t set, std::initializer_list<int32_t> numbers) {
    for (int32_t n : numbers) adapter.BallCellChosen(set, *CellOfBall(game->PlaySets[set], n));
  }
  void SelectRow(int32_t row) { adapter.SelectRows(row, row, true); }
  // A recent file, as the settings file holds it when the window is made.
  void SetRecentFile(int32_t index, const std::string& path) {
    profile.values[{"C:\\Host\\User_DBase_Builder.ini", "Test ZUN Plugins", RecentFileKey(index + 1)}] = path;
    adapter.LoadSettings();
  }
  // Another window offers a database file (kind 3 of the record, 0x594).
  void OfferFile(const std::string& path) {
    offeredFile = path;
    Record().TransferKind = static_cast<int32_t>(TransferKind::DatabaseFile);
    Record().TransferName = offeredFile.c_str();
    adapter.TakeOfferedEntries();
  }

  const Document& Doc() const { return adapter.Doc(); }
  const TZUN_User_Lotto_DBase& Database() const { return *adapter.Doc().Database(); }
  DragDropRecord& Record() const { return *adapter.Slots().DragDrop(); }

  std::unique_ptr<TZUN_Lotto_Temp> game;
  MemoryFileSystem files;
  FakeProfileStore profile;
  FakeSharedMemory memory;
  FixedClock clock;
  ScriptedPrompt prompt;
  CountingCursor cursor;
  SeededRandom random{20261208};
  ScriptedFileDialogs dialogs;
  FakeClipboard clipboard;
  RecordingHostNotifier notifier;
  ScriptedHostMessenger messenger;
  FakeMemoryProbe fakeProbe;
  RecordingWindows windows;
  HostAdapter adapter;
  RecordingViews views;
  std::string offeredFile;
};

}  // namespace zun::testing
