#pragma once

// What the database operations work on: the host's game and the published
// user database (both reached at each use), the session state, the list
// and grid models, the random numbers and the views to refresh.

#include <stdexcept>

#include "list/entry_list.h"
#include "model/lotto_game.h"
#include "operations/database_session.h"
#include "platform/random_source.h"
#include "platform/views.h"
#include "selection/ball_choices.h"
#include "host/host_slots.h"

namespace zun {

struct Workspace {
  HostSlots& slots;
  DatabaseSession& session;
  EntryList& list;
  BallChoices& choices;
  RandomSource& random;
  Views views;

  // The host's current game, read through its slot; throws when there is none.
  const TZUN_Lotto_DBase& Game() const {
    const TZUN_Lotto_DBase* game = slots.Game();
    if (game == nullptr) throw std::runtime_error("The host has published no game.");
    return *game;
  }
  BallChoices::Sets PlaySets() const { return Game().PlaySets.span(); }
  // The user database; throws before it was created.
  TZUN_User_Lotto_DBase& Database() const {
    TZUN_User_Lotto_DBase* database = session.Database();
    if (database == nullptr) throw std::runtime_error("There is no user database.");
    return *database;
  }

  // The list model changed: the view shows it again.
  void ShowRows() const { views.list->RowsChanged(list.RowCount()); }
  void ShowSelection() const { views.list->SelectionChanged(); }
  void ShowChoices() const { views.grids->RepaintGrids(); }
};

}  // namespace zun
