#pragma once

// An AddonCore on fakes of every port, with a sample game published in the
// host's game slot as the host would: for tests of the core, its
// operations and the views over it.

#include <cstring>
#include <initializer_list>
#include <memory>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "platform/seeded_random.h"
#include "selection/grid_geometry.h"
#include "core/addon_core.h"
#include "support/fake_ports.h"
#include "support/fake_views.h"
#include "support/memory_file_system.h"

namespace zun::testing {

struct CoreFixture {
  explicit CoreFixture(std::unique_ptr<TZUN_Lotto_Temp> g = hostside::MakeLotto649(3)) : game(std::move(g)) {
    game->FileName = "C:\\Games\\Game.dat";
    files.files["C:\\Games\\Game.dat"] = hostside::WriteGameFile(*game);
    auto& block = memory.blocks["ZUN_Mem_Map"];
    block.resize(4096);
    const void* pointer = game.get();
    std::memcpy(block.data(), &pointer, sizeof pointer);
    core.SetViews(views.All());
  }

  uint8_t Start() { return core.Start(steps, "C:\\Host", "Test ", "0.39"); }

  // Clicks the cells of these balls of a set.
  void Pick(int32_t set, std::initializer_list<int32_t> numbers) {
    for (int32_t n : numbers) core.BallCellChosen(set, *CellOfBall(game->PlaySets[set], n));
  }

  const TZUN_User_Lotto_DBase& Database() const { return *core.Database(); }

  std::unique_ptr<TZUN_Lotto_Temp> game;
  MemoryFileSystem files;
  FakeProfileStore profile;
  FakeSharedMemory memory;
  FixedClock clock;
  ScriptedPrompt prompt;
  CountingCursor cursor;
  SeededRandom random{20261208};
  AddonCore core{{files, profile, memory, clock, prompt, cursor, random}};
  RecordingViews views;
  RecordingStartUp steps;
};

}  // namespace zun::testing
