#pragma once

// What the check against the draws and "Select Duplicates" do to the
// document: the snapshot a check runs on, the selection of the entries it
// found, its result as a CSV file, and the selection of duplicates.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "analysis/draw_check.h"
#include "document/document.h"
#include "operations/check_result_rows.h"
#include "operations/services.h"

namespace zun {

// What the check window asks for.
struct CheckChoice {
  enum class Draws { Last, LastCount, All, Between };
  Draws draws = Draws::All;
  int32_t lastCount = 10;
  // Two positions in the game's Draws, in either order (Between).
  int32_t from = 0;
  int32_t to = 0;
  bool selectedOnly = false;
  // 0: only pairs that reach a division; K: also every pair with at least K
  // numbers matched in all.
  int32_t atLeast = 0;
};

// The draws the choice names, within the game's.
DrawRange RangeOf(const TZUN_Lotto_DBase& game, const CheckChoice& choice);

// The snapshot a check runs on, made from the document as it is now. Throws
// an ExplainedError when there is nothing to check (no draws, no entries).
DrawCheckInput MakeCheckInput(const Document& document, const CheckChoice& choice);

// Exactly these entries' rows selected (database positions; those that no
// longer exist are left out), the first of them scrolled into view.
void SelectEntries(Document& document, Services& services, std::span<const int32_t> entries);

// "Select Duplicates": every entry whose numbers an earlier entry has (set
// by set, in any order within a set; the source ignored) is selected, the
// first of each group not, and a message says how many of how many.
void SelectDuplicateEntries(Document& document, Services& services);
// The message's text: "3 duplicates selected of 1,000 entries.", "No
// duplicates among 25 entries."
std::string DuplicatesMessage(int64_t duplicates, int64_t entries);

// The check's rows, in the order shown, as a CSV file in the add-on's
// conventions: a header of quoted names ("Entry", each play set's numbers
// as the list export names them, "Draw", "Matches", "Division"), fields
// separated by ";", lines ended by CR LF, texts quoted and numbers bare.
// Asks for the file first. Reports a file it could not write.
void ExportCheckRows(Services& services, const CheckResultRows& rows, const DrawCheckInput& input);
// The same text, written to `out`; false when a write failed.
bool WriteCheckCsv(const CheckResultRows& rows, const DrawCheckInput& input, FileWriter& out);

}  // namespace zun
