#pragma once

// The editing operations: add the grids' picks as a new entry, apply them
// to the selected entry, delete the selected entries, add a quick pick,
// clear the grids, and show a selected entry on the grids. Each names
// itself in ErrorLocation and runs under its caller's guard; a failure
// leaves the database as complete entries (nothing half-made is added).

#include "operations/workspace.h"

namespace zun {

// A new entry from the grids when every set is complete; nothing otherwise
// (an incomplete pick would store zeros). The selection is cleared; the
// new row takes its sorted place.
void AddSelectionEntry(Workspace& work);
// The grids' picks into the first selected entry, when every set is
// complete and a row is selected; its source becomes empty and its row
// moves to its sorted place.
void ApplySelectionToEntry(Workspace& work);
// Deletes every selected entry in one pass; the rows keep their order.
// Returns how many were deleted.
int32_t DeleteSelectedEntries(Workspace& work);
// A random entry whose source is "Quick Pick". The numbers are drawn
// before the entry is added, so a game that admits no entry adds nothing.
void AddQuickPickEntry(Workspace& work);
// Appends one quick pick to the database and returns its index: the
// numbers are drawn first (throwing NoQuickPickPossible for a game that
// admits none), then the entry is added with the source "Quick Pick".
int32_t AppendQuickPick(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database, RandomSource& random);
// Clears the picks on the grids.
void ClearBallGrids(Workspace& work);
// A row selection changed: with exactly one row selected its entry is
// shown on the grids.
void ShowSelectedEntryOnGrids(Workspace& work);

}  // namespace zun
