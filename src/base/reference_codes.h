#pragma once

// Every reference code the add-on writes into ErrorLocation, in one place.
// The codes are part of what users report to support: they never change.
namespace zun::codes {

// Data model: user database, game file, entry texts.
inline constexpr const char kUserDbCreate[] = "ZUN DB_Builder SubMain-Misc 001001";
inline constexpr const char kUserDbSizeEntry[] = "ZUN Builder SubMain-FrameWork 001001";
inline constexpr const char kUserDbSaveToFile[] = "ZUN Builder SubMain-Files 001001";
inline constexpr const char kUserDbLoadFromFile[] = "ZUN Builder SubMain-Files 001002";
inline constexpr const char kEntryNumbersText[] = "ZUN DB_Builder SubMain-Misc 001002";
inline constexpr const char kGridPosition[] = "ZUN DB_Builder SubMain-Misc 001003";
inline constexpr const char kNumberText[] = "ZUN SubMain-Misc 001003";
inline constexpr const char kReadGameFile[] = "ZUN SubMain-Files 001002";
inline constexpr const char kStatsStart[] = "ZUN SubMain-Stats 001001";
inline constexpr const char kStatsBuild[] = "ZUN SubMain-Stats 001002";
inline constexpr const char kStatsMachines[] = "ZUN SubMain-Stats 001003";
inline constexpr const char kStatsBallSets[] = "ZUN SubMain-Stats 001004";
inline constexpr const char kStatsMachineBallSets[] = "ZUN SubMain-Stats 001005";

// Older file import.
inline constexpr const char kRecordCount[] = "SL4 SubMain 004003";
inline constexpr const char kReadOldFile[] = "SL4 SubMain 004004";
inline constexpr const char kReadSL3[] = "SL4 SubMain 004006";
inline constexpr const char kSL3RecordCount[] = "SL4 SubMain 004007";

// Command bar actions and recent files.
inline constexpr const char kAddNumbers[] = "ZUN User DBase Builder 001001";
inline constexpr const char kClearSelections[] = "ZUN User DBase Builder 001002";
inline constexpr const char kApplyChanges[] = "ZUN User DBase Builder 001003";
inline constexpr const char kDeleteEntries[] = "ZUN User DBase Builder 001004";
inline constexpr const char kQuickPick[] = "ZUN User DBase Builder 001005";
inline constexpr const char kNewOrSave[] = "ZUN User DBase Builder 001006";
inline constexpr const char kSaveAs[] = "ZUN User DBase Builder 001007";
inline constexpr const char kOpenFiles[] = "ZUN User DBase Builder 001008";
inline constexpr const char kAddRecentFile[] = "ZUN User DBase Builder 001009";
inline constexpr const char kRefreshReopenMenu[] = "ZUN User DBase Builder 001010";
inline constexpr const char kReopenRecentFile[] = "ZUN User DBase Builder 001011";

// Ball selection panel (003001 is also the command bar's enabling step).
inline constexpr const char kCellNumber[] = "ZUN User DBase Builder 003001";
// The command bar's enabling step shares the grids' first code.
inline constexpr const char (&kUpdateCommandBar)[sizeof kCellNumber] = kCellNumber;
inline constexpr const char kDrawBallCell[] = "ZUN User DBase Builder 003002";
inline constexpr const char kPaintCell[] = "ZUN User DBase Builder 003003";
inline constexpr const char kClickBallCell[] = "ZUN User DBase Builder 003004";
inline constexpr const char kMayChoose[] = "ZUN User DBase Builder 003005";
inline constexpr const char kCountChosenInLine[] = "ZUN User DBase Builder 003006";
inline constexpr const char kToggleBall[] = "ZUN User DBase Builder 003007";
inline constexpr const char kCrossSetFree[] = "ZUN User DBase Builder 003008";
inline constexpr const char kFreeBallGrids[] = "ZUN User DBase Builder 003009";
inline constexpr const char kBuildBallGrids[] = "ZUN User DBase Builder 003010";
inline constexpr const char kStackedGridTop[] = "ZUN User DBase Builder 003011";
inline constexpr const char kSideBySideGridLeft[] = "ZUN User DBase Builder 003012";
inline constexpr const char kResetChoices[] = "ZUN User DBase Builder 003013";
inline constexpr const char kAllSetsComplete[] = "ZUN User DBase Builder 003014";
inline constexpr const char kStoreChoicesInEntry[] = "ZUN User DBase Builder 003015";
inline constexpr const char kShowEntryOnGrids[] = "ZUN User DBase Builder 003016";
inline constexpr const char kClearBallGrids[] = "ZUN User DBase Builder 003017";

// Main window events, settings, exports.
inline constexpr const char kShowMainWindow[] = "ZUN User DBase Builder 004001";
inline constexpr const char kHideMainWindow[] = "ZUN User DBase Builder 004002";
inline constexpr const char kTakeOfferedEntries[] = "ZUN User DBase Builder 004003";
inline constexpr const char kSaveSettings[] = "ZUN User DBase Builder 004004";
inline constexpr const char kLoadSettings[] = "ZUN User DBase Builder 004005";
inline constexpr const char kShellFilesDropped[] = "ZUN User DBase Builder 004006";
inline constexpr const char kInitialisePage[] = "ZUN User DBase Builder 004007";

// Database operations and drop intake.
inline constexpr const char kCreateUserDatabase[] = "ZUN User DBase Builder 009001";
inline constexpr const char kAddSelectionEntry[] = "ZUN User DBase Builder 009002";
inline constexpr const char kAppendBlankEntry[] = "ZUN User DBase Builder 009003";
inline constexpr const char kNewDatabase[] = "ZUN User DBase Builder 009004";
inline constexpr const char kApplySelectionToEntry[] = "ZUN User DBase Builder 009005";
inline constexpr const char kDeleteSelectedEntries[] = "ZUN User DBase Builder 009006";
inline constexpr const char kDeleteEntry[] = "ZUN User DBase Builder 009007";
inline constexpr const char kAddQuickPickEntry[] = "ZUN User DBase Builder 009008";
inline constexpr const char kFillQuickPick[] = "ZUN User DBase Builder 009009";
inline constexpr const char kConfirmSave[] = "ZUN User DBase Builder 009010";
inline constexpr const char kSaveDatabase[] = "ZUN User DBase Builder 009011";
inline constexpr const char kStampSavedSource[] = "ZUN User DBase Builder 009012";
inline constexpr const char kSaveDatabaseAs[] = "ZUN User DBase Builder 009013";
inline constexpr const char kLoadDatabaseFiles[] = "ZUN User DBase Builder 009014";
inline constexpr const char kLoadSingleFile[] = "ZUN User DBase Builder 009015";
inline constexpr const char kLoadManyFiles[] = "ZUN User DBase Builder 009016";
inline constexpr const char kIsSuitableFile[] = "ZUN User DBase Builder 009017";
inline constexpr const char kImportOldFile[] = "ZUN User DBase Builder 009018";
inline constexpr const char kRefillList[] = "ZUN User DBase Builder 009019";
inline constexpr const char kReportLoadProblems[] = "ZUN User DBase Builder 009020";
inline constexpr const char kLoadHostDrop[] = "ZUN User DBase Builder 009021";
inline constexpr const char kOpenDropMap[] = "ZUN User DBase Builder 009022";
inline constexpr const char kCloseDropMap[] = "ZUN User DBase Builder 009023";
inline constexpr const char kCopyDroppedEntries[] = "ZUN User DBase Builder 009024";
inline constexpr const char kAcceptShellDrop[] = "ZUN User DBase Builder 009025";
inline constexpr const char kAcceptShellDropLoad[] = "ZUN User DBase Builder 009025-B";
inline constexpr const char kQueueDroppedFile[] = "ZUN User DBase Builder 009026";
inline constexpr const char kLoadDroppedFile[] = "ZUN User DBase Builder 009027";
inline constexpr const char kNotifyHostSaved[] = "ZUN User DBase Builder 009030";

// Entry list and CSV export.
inline constexpr const char kSetupColumns[] = "ZUN DBaseBuilder 008001";
inline constexpr const char kAskForIndexRoom[] = "ZUN DBaseBuilder 008003";
inline constexpr const char kListSelectedEntries[] = "ZUN DBaseBuilder 008004";
inline constexpr const char kStartDrag[] = "ZUN DBaseBuilder 008005";
inline constexpr const char kClearRowSelection[] = "ZUN DBaseBuilder 008006";
inline constexpr const char kSelectionCommand[] = "ZUN DBaseBuilder 008007";
inline constexpr const char kRevealRow[] = "ZUN DBaseBuilder 008008";
inline constexpr const char kAddEntryRow[] = "ZUN DBaseBuilder 008009";
inline constexpr const char kResortList[] = "ZUN DBaseBuilder 008010";  // also the row selection event
inline constexpr const char kUpdateSelectedRow[] = "ZUN DBaseBuilder 008011";
inline constexpr const char kGetSortAscending[] = "ZUN DBaseBuilder 008012";
inline constexpr const char kGetSortColumn[] = "ZUN DBaseBuilder 008013";
inline constexpr const char kSetSort[] = "ZUN DBaseBuilder 008014";
inline constexpr const char kApplySort[] = "ZUN DBaseBuilder 008015";
inline constexpr const char kExportCsv[] = "ZUN DBaseBuilder 008016";
inline constexpr const char kWriteCsvHeader[] = "ZUN DBaseBuilder 008017";
inline constexpr const char kWriteCsvEntries[] = "ZUN DBaseBuilder 008018";

// HTML export: filling a tag (also the export command's own code), and
// joining a list column for the tags that list every row.
inline constexpr const char kHtmlExport[] = "ZUN DBaseBuilder List HTML 001001";
inline constexpr const char kHtmlJoinListColumn[] = "ZUN DBaseBuilder List HTML 001002";

// Editing beyond the first commands: the history, entries as text.
inline constexpr const char kUndo[] = "ZUN User DBase Builder 010001";
inline constexpr const char kRedo[] = "ZUN User DBase Builder 010002";
inline constexpr const char kCutEntries[] = "ZUN User DBase Builder 010003";
inline constexpr const char kCopyEntries[] = "ZUN User DBase Builder 010004";
inline constexpr const char kPasteEntries[] = "ZUN User DBase Builder 010005";
inline constexpr const char kImportCsv[] = "ZUN User DBase Builder 010006";
inline constexpr const char kReadEntryLines[] = "ZUN User DBase Builder 010007";
inline constexpr const char kCheckDraws[] = "ZUN User DBase Builder 010008";
inline constexpr const char kSelectDuplicates[] = "ZUN User DBase Builder 010009";
inline constexpr const char kSelectWinning[] = "ZUN User DBase Builder 010010";
inline constexpr const char kExportCheck[] = "ZUN User DBase Builder 010011";
inline constexpr const char kCheckWindow[] = "ZUN User DBase Builder 010012";

}  // namespace zun::codes
