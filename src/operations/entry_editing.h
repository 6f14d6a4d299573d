#pragma once

// The editing commands on the document: add the grids' picks as a new
// entry, apply them to the selected entry, delete the selected entries
// after asking, add a quick pick, the selection commands and "Apply Sort".
// Each names itself in ErrorLocation and runs under its caller's guard; a
// failure leaves the database as complete entries (nothing half-made is
// added).

#include "document/document.h"
#include "list/entry_list.h"
#include "operations/services.h"

namespace zun {

// The grids' picks as a new entry when every set is complete (nothing
// otherwise: an incomplete pick would store zeros).
void AddSelectionEntry(Document& document);
// The grids' picks into the first selected entry; its row, moved to its
// sorted place, is scrolled into view.
void ApplySelectionToEntry(Document& document, Services& services);
// Asks "Confirm Deletion" (one entry or several) and, on Yes, deletes the
// selected entries and clears the grids. Without a selection nothing is
// asked.
void ConfirmAndDeleteSelected(Document& document, Services& services);
// A random entry whose source is "Quick Pick"; the selection is cleared.
// The numbers are drawn before the entry is added, so a game that admits no
// entry adds nothing (NoQuickPickPossible).
void AddQuickPickEntry(Document& document, Services& services);
// One quick pick for `game`, drawn as a user could click it.
TZUN_Database_Structure QuickPickEntry(const TZUN_Lotto_DBase& game, RandomSource& random);
// Appends one quick pick to a database of the tool's own; returns its index.
int32_t AppendQuickPick(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database, RandomSource& random);
// Select All, Even, Odd, Invert Selection (pending messages run first);
// one selected row then shows on the grids.
void RunSelectionCommand(Document& document, Services& services, SelectionCommand command);

}  // namespace zun
