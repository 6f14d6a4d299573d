#pragma once

// The add-on's own texts, as the user reads them, grouped by where they
// appear. They are part of what other add-ons, the host's users and our own
// players know: each is written exactly as it has always been shown (the
// spelling included), and no other file spells a user-visible text itself.

namespace zun::texts {

// ---- The main window ---------------------------------------------------------

inline constexpr char kMainWindowCaption[] = "User Database Builder";
inline constexpr char kFileCaption[] = "File: ";
// The status panel's file label: a new database, and one of several files.
inline constexpr char kNoFileLabel[] = "---";
inline constexpr char kMultipleFilesLabel[] = "Multiple Database Files Loaded.";

// ---- Commands: tool buttons, the file menu and the list's popup --------------

namespace command {
inline constexpr char kNew[] = "New SL5 DBase";
inline constexpr char kSave[] = "Save SL5 DBase";
inline constexpr char kSaveAs[] = "Save SL5 DBase As";
inline constexpr char kLoad[] = "Load SL5 DBase";
inline constexpr char kLoadHint[] = "Open SL5 File(s)";
inline constexpr char kAdd[] = "Add_DBase_Entry";
inline constexpr char kAddHint[] = "Add Numbers";
inline constexpr char kClear[] = "Clear_Selected_Numbers";
inline constexpr char kClearHint[] = "Clear Card/Selections";
inline constexpr char kApply[] = "Apply_DBase_Entry_Changes";
inline constexpr char kApplyHint[] = "Apply changes";
inline constexpr char kDelete[] = "Delete_DBase_Entry";
inline constexpr char kDeleteHint[] = "Delete Entrie(s)";
inline constexpr char kQuickPick[] = "Quick_Pick";
inline constexpr char kQuickPickHint[] = "Quick Pick";
inline constexpr char kSelectAll[] = "Select All";
inline constexpr char kSelectEven[] = "Select Even";
inline constexpr char kSelectOdd[] = "Select Odd";
inline constexpr char kInvertSelection[] = "Invert Selection";
inline constexpr char kApplySort[] = "Apply Sort";
inline constexpr char kExportHtml[] = "Save to HTML File";
inline constexpr char kExportCsv[] = "Export to *.csv";
inline constexpr char kUndo[] = "Undo";  // and what it undoes: "Undo Delete 512 Entries"
inline constexpr char kRedo[] = "Redo";
inline constexpr char kCut[] = "Cut";
inline constexpr char kCopy[] = "Copy";
inline constexpr char kPaste[] = "Paste";
inline constexpr char kImportCsv[] = "Import from *.csv\x85";  // an ellipsis: a dialog follows
inline constexpr char kCheckDraws[] = "Check Against Draws\x85";
inline constexpr char kSelectDuplicates[] = "Select Duplicates";
}  // namespace command

// The entry list's fixed columns (the play sets' names stand between them).
namespace list {
inline constexpr char kSeqColumn[] = "Seq.";
inline constexpr char kSourceColumn[] = "                        ZUN File";
}  // namespace list

namespace menu {
inline constexpr char kReopen[] = "Reopen";
inline constexpr char kSendTo[] = "Send To";
inline constexpr char kPlugin[] = "Plugin";
}  // namespace menu

// ---- The message dialog: captions and buttons ---------------------------------

namespace dialog {
inline constexpr char kError[] = "Error";
inline constexpr char kInformation[] = "Information";
inline constexpr char kHtmlInformation[] = "HTML Information";
inline constexpr char kConfirmSave[] = "Confirm Save";
inline constexpr char kConfirmClear[] = "Confirm Clear";
inline constexpr char kConfirmDeletion[] = "Confirm Deletion";
inline constexpr char kOk[] = "&OK";
inline constexpr char kYes[] = "&Yes";
inline constexpr char kNo[] = "&No";
inline constexpr char kCancel[] = "&Cancel";
}  // namespace dialog

// ---- Questions ----------------------------------------------------------------

namespace question {
inline constexpr char kSaveChanges[] = "Your Database have not been saved, Save it Now?";
inline constexpr char kClearList[] = "Clear current List of all Entries";
inline constexpr char kDeleteOne[] = "Are you Sure you want to delete this Entry?";
inline constexpr char kDeleteMany[] = "Are you Sure you want to delete all selected Entries?";
}  // namespace question

// ---- Failures, as reported with their reference code ----------------------------

// The report's lines after the message: the code, and whom to tell.
inline constexpr char kReference[] = "Ref: ";
inline constexpr char kContactDeveloper[] = "Please contact ZUN Developer.";
// The message box that refuses another host version; the versions follow.
inline constexpr char kVersionMismatch[] = "Error in User DBase Builder: ZUN Version does not match\r";

namespace failure {
// Start-up and the shell.
inline constexpr char kSlotMissing[] = "Error Creating Memmory Map File...";
inline constexpr char kStartFailed[] = "Error in Plugin_ZUN: ";
inline constexpr char kUnexpected[] = "Error in User DBase Builder: ";
inline constexpr char kCreateDatabase[] = "Error while Creating User Database";
inline constexpr char kLoadSettings[] = "Error while Loading ZUN Settings.";
inline constexpr char kSaveSettings[] = "Error while Saving ZUN Settings.";
// Commands.
inline constexpr char kNew[] = "Error while creating a new SL5 File.";
inline constexpr char kSave[] = "Error while saving SL5 File: ";  // and the file's name
inline constexpr char kLoad[] = "Error while opening an SL File.";
inline constexpr char kReopen[] = "Error while opening SL5 File.";
inline constexpr char kAdd[] = "Error while adding your Lotto Numbers.";
inline constexpr char kApply[] = "Error while applying changes.";
inline constexpr char kDeleteOne[] = "Error while deleting Entry.";
inline constexpr char kDeleteMany[] = "Error while deleting Entries.";
inline constexpr char kQuickPick[] = "Error while generating QP entries.";
inline constexpr char kSelectAll[] = "Error Selecting all Lotto Entries.";
inline constexpr char kSelectEven[] = "Error Selecting Even Lotto Entries.";
inline constexpr char kSelectOdd[] = "Error Selecting Odd Lotto Entries.";
inline constexpr char kInvertSelection[] = "Error inverting Selecting Lotto Entries.";
inline constexpr char kApplySort[] = "Error while applying entries sort.";
inline constexpr char kHtmlExport[] = "Error saving to HTML File: ";  // and the file at fault
inline constexpr char kCsvExport[] = "Error saving to CSV File: ";    // and the file's name
inline constexpr char kUndo[] = "Error while undoing a change.";
inline constexpr char kRedo[] = "Error while redoing a change.";
inline constexpr char kCopy[] = "Error while copying Entries.";
inline constexpr char kCut[] = "Error while cutting Entries.";
inline constexpr char kPaste[] = "Error while pasting Entries.";
inline constexpr char kImportCsv[] = "Error while importing from CSV File.";
inline constexpr char kCheckDraws[] = "Error while checking Entries against the Draws.";
inline constexpr char kSelectDuplicates[] = "Error while selecting duplicate Entries.";
inline constexpr char kSelectWinning[] = "Error while selecting winning Entries.";
// The grids and the list.
inline constexpr char kChooseBall[] = "Error while selecting Winning Lotto Numbers.";
inline constexpr char kShowEntry[] = "Error while Displaying your Lotto Numbers.";
// Files, drops and offers.
inline constexpr char kLoadFile[] = "Error while loading database file: ";  // and the file's name
inline constexpr char kShellDrop[] = "Error while adding Entries from File Manager.";
inline constexpr char kFileOffer[] = "Error while adding Entries from File DragDrop.";
inline constexpr char kTakeOffer[] = "Error while adding DragDrop Entries.";
inline constexpr char kOfferListing[] = "Error seting up DragDrop Listings.";
inline constexpr char kOfferDrag[] = "Error while setting up Drag & Drop data";
}  // namespace failure

// ---- Loading files -----------------------------------------------------------------

namespace load {
inline constexpr char kUnsuitableFile[] = "Unable to load file:\r";            // path, then kNotSuitable
inline constexpr char kNotSuitable[] = "\r\rFile not suitable for current Lotto.";
inline constexpr char kUnsuitableFiles[] = "Unable to load file(s):\r";        // paths, then kFilesNotSuitable
inline constexpr char kFilesNotSuitable[] = "\rFile(s) not suitable for current Lotto.";
inline constexpr char kSomeNotSuitable[] = "File(s) not suitable for current Lotto.\r";
inline constexpr char kFilesFailed[] = "Error while loading database file(s):\r";
}  // namespace load

// ---- The HTML export's missing template -----------------------------------------------

namespace html {
inline constexpr char kCannotSave[] = "Unable to save to HTML file: \r";
inline constexpr char kTheFile[] = "\r\rThe file: \r";
inline constexpr char kNoTemplate[] = "\rdoes not seem to exist in selected HTML directory...";
}  // namespace html

// ---- File dialogs ----------------------------------------------------------------------

namespace file_dialog {
inline constexpr char kSaveDatabaseTitle[] = "Save to ZUN File (*.sl5)";
inline constexpr char kSaveDatabaseFilter[] = "ZUN File (*.sl5)|*.sl5";
inline constexpr char kDatabaseExtension[] = "*.sl5";
inline constexpr char kLoadDatabaseTitle[] = "Load ZUN File (*.sl5)";
inline constexpr char kLoadDatabaseFilter[] =
    "ZUN File (*.sl5)|*.sl5|SL4 File (*.sl4)|*.sl4|SL3 File (*.sl3)|*.sl3|"
    "All Files (*.sl5, *.sl4, *.sl3)|*.sl5;*.sl4;*.sl3";
inline constexpr char kHtmlTitle[] = "Save to HTML File (*.html)";
inline constexpr char kHtmlFilter[] = "HTML File (*.html)|*.html";
inline constexpr char kHtmlExtension[] = "*.html";
inline constexpr char kCsvTitle[] = "Save to CSV File (*.csv)";
inline constexpr char kCsvFilter[] = "CSV File (*.csv)|*.csv";
inline constexpr char kCsvExtension[] = "*.csv";
inline constexpr char kImportTitle[] = "Import from CSV File (*.csv)";
inline constexpr char kImportFilter[] =
    "CSV File (*.csv)|*.csv|Text File (*.txt)|*.txt|All Files (*.csv, *.txt)|*.csv;*.txt";
}  // namespace file_dialog

// ---- Entries as text ----------------------------------------------------------------

namespace transfer {
inline constexpr char kNoClipboard[] = "The clipboard cannot be opened.";
inline constexpr char kCannotRead[] = "The file cannot be read: ";  // and its name
}  // namespace transfer

// ---- Entries from other windows -------------------------------------------------------

namespace offer {
inline constexpr char kListDamaged[] = "The list of offered entries is damaged.";
inline constexpr char kUnreachable[] = "The offered entries cannot be reached.";
inline constexpr char kOtherGame[] = "The offered entries belong to another game.";
inline constexpr char kNoMap[] = "The offer names no memory map.";
// The map's name stands between these two.
inline constexpr char kMapClosedHead[] = "The memory map \"";
inline constexpr char kMapClosedTail[] = "\" cannot be opened.";
// " of the " ... kSkippedTail, after the counts.
inline constexpr char kSkippedOf[] = " of the ";
inline constexpr char kSkippedTail[] =
    " offered entries were skipped: they are missing from the offering list, or their numbers do not fit "
    "this game.";
}  // namespace offer

// ---- The check against the draws, and duplicates -----------------------------------------

namespace check {
// The summary: "1,000,000 entries checked against 52 draws: 0 \xD7 Jackpot, 2 \xD7 Five".
inline constexpr char kEntry[] = " entry";
inline constexpr char kEntries[] = " entries";
inline constexpr char kCheckedAgainst[] = " checked against ";
inline constexpr char kDraw[] = " draw";
inline constexpr char kDraws[] = " draws";
inline constexpr char kTimes[] = " \xD7 ";  // between a count and a division's name
inline constexpr char kMatchesJoin[] = " + ";
inline constexpr char kNoDivisions[] = "the game has no prize divisions";
inline constexpr char kOutOfMemory[] = "There is not enough memory for this check.";
inline constexpr char kStopped[] = "The check stopped: ";  // and what stopped it
inline constexpr char kUnexpected[] = "The check stopped on an unexpected error.";
// What a damaged game's draws hold that the check cannot use, after a count
// of draws (one, many).
inline constexpr char kFewerNumbersOne[] = " draw has fewer numbers than its sets";
inline constexpr char kFewerNumbersMany[] = " draws have fewer numbers than their sets";
inline constexpr char kFewerSetsOne[] = " draw has fewer sets than the game";
inline constexpr char kFewerSetsMany[] = " draws have fewer sets than the game";
inline constexpr char kOutOfRangeOne[] = " draw holds numbers outside its sets' ranges: they are left out";
inline constexpr char kOutOfRangeMany[] = " draws hold numbers outside their sets' ranges: they are left out";
// A division of the prize table: kDivision, its name, kOfPlay, the play's name, then one of these.
inline constexpr char kDivision[] = "the division \"";
inline constexpr char kOfPlay[] = "\" of ";
inline constexpr char kNeedsNoMatch[] = " needs no match: it is not used";
inline constexpr char kNamesMatchesFor[] = " names matches for ";  // N, kOf, M, kOthersNeedNone
inline constexpr char kOf[] = " of ";
inline constexpr char kOthersNeedNone[] = " draw sets: the others need none";
// The check window.
inline constexpr char kCaption[] = "Check Against Draws";
inline constexpr char kDrawsGroup[] = "Draws";
inline constexpr char kLastDraw[] = "The last &draw";
inline constexpr char kLastDraws[] = "The last";  // then the count, then kDrawsTail
inline constexpr char kDrawsTail[] = "draws";
inline constexpr char kAllDraws[] = "&All draws";
inline constexpr char kBetween[] = "&From";  // then a draw, kAnd, another draw
inline constexpr char kAnd[] = "to";
inline constexpr char kEntriesGroup[] = "Entries";
inline constexpr char kSelectedEntries[] = "The &selected entries";
inline constexpr char kAllEntries[] = "All &entries";
inline constexpr char kAtLeast[] = "Also every &match of at least";  // then K, then kNumbers
inline constexpr char kNumbers[] = "numbers";
inline constexpr char kCheck[] = "&Check";
inline constexpr char kCancel[] = "Cancel";
inline constexpr char kSelectWinning[] = "Select &Winning Entries";
inline constexpr char kExport[] = "E&xport to *.csv";
inline constexpr char kClose[] = "Close";
// The result list's columns (the play sets' names stand after the entry's).
inline constexpr char kEntryColumn[] = "Entry";
inline constexpr char kDrawColumn[] = "Draw";
inline constexpr char kMatchesColumn[] = "Matches";
inline constexpr char kDivisionColumn[] = "Division";
// What the window says besides the summary.
inline constexpr char kChecking[] = "Checking\x85 ";  // and the percent done
inline constexpr char kCancelled[] = "The check was cancelled.";
inline constexpr char kNoDraws[] = "The game has no draws to check.";
inline constexpr char kNoEntries[] = "There are no entries to check.";
inline constexpr char kStale[] =
    "The entries changed after this check: check again to see them as they are now.";
inline constexpr char kListedHead[] = "Only the first ";  // the count, then kListedTail
inline constexpr char kListedTail[] = " pairs are listed.";
// The chart's legend.
inline constexpr char kChartEntries[] = "Entries holding the number";
inline constexpr char kChartDraws[] = "Draws that drew it";
// The result's CSV file.
inline constexpr char kCsvTitle[] = "Save the Check to CSV File (*.csv)";
// "Select Duplicates": "3 duplicates selected of 1,000 entries."
inline constexpr char kDuplicatesSelected[] = " selected of ";
inline constexpr char kNoDuplicates[] = "No duplicates among ";  // the count, then " entries."
}  // namespace check

// The source of a quick pick's entry.
inline constexpr char kQuickPickSource[] = "Quick Pick";

}  // namespace zun::texts
