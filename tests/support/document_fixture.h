#pragma once

// A document on a sample game of its own, with the services the operations
// use, all on fakes: for tests of the document and the operations without
// a host.

#include <initializer_list>
#include <memory>

#include "document/document.h"
#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "operations/services.h"
#include "platform/seeded_random.h"
#include "selection/grid_geometry.h"
#include "support/fake_ports.h"
#include "support/fake_views.h"
#include "support/memory_file_system.h"

namespace zun::testing {

struct DocumentFixture {
  explicit DocumentFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3)) : game(std::move(g)) {
    game->FileName = "C:\\Games\\Game.dat";
    files.files["C:\\Games\\Game.dat"] = hostside::WriteGameFile(*game);
    document.SetListener(&changes);
    document.CreateDatabase(files);
    document.ClearChoices();
  }

  // Clicks the cells of these balls of a set.
  void Pick(int32_t set, std::initializer_list<int32_t> numbers) {
    for (int32_t n : numbers) document.ChooseCell(set, *CellOfBall(game->PlaySets[set], n));
  }
  const TZUN_User_Lotto_DBase& Database() const { return *document.Database(); }
  // Entries that came from elsewhere (a file): a load, not an edit.
  void LoadSample(int32_t count, uint32_t seed = 3) {
    auto sample = hostside::MakeSampleDatabase(*game, count, seed);
    Document::Load load(document, true);
    load.Append(*sample);
  }

  std::unique_ptr<TZUN_Lotto_Temp> game;
  FixedGame source{game.get()};
  Document document{source};
  RecordingChanges changes;
  MemoryFileSystem files;
  FakeProfileStore profile;
  FixedClock clock;
  ScriptedPrompt prompt;
  CountingCursor cursor;
  SeededRandom random{20261208};
  ScriptedFileDialogs dialogs;
  FakeClipboard clipboard;
  RecordingHostNotifier notifier;
  ScriptedHostMessenger messenger;
  FakeSharedMemory memory;
  FakeMemoryProbe probe;
  ErrorReporter errors{files, clock, prompt, cursor};
  Hourglass hourglass{HourglassCursor(cursor)};
  RecentFileList recent;
  RecordingViews views;
  Services services{files,  prompt, dialogs,   clipboard, random, notifier, messenger, memory,
                    probe,  errors, hourglass, recent,    views.All()};
};

}  // namespace zun::testing
