#pragma once

// What the player edits, free of the platform and of the host's slots: the
// game (read from its source at every use), the user database, the session
// (file names, the modified mark, the file label), the entry list (display
// order, sort, selection) and the ball choices.
//
// Everything is read through const views. Everything is changed through the
// named changes below; each tells the listener what changed, so the host
// sees the database and the windows show it again. The entries themselves
// change in one place only (Commit), which is where a history of the
// changes is kept.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "document/database_session.h"
#include "document/entry_journal.h"
#include "list/entry_list.h"
#include "model/game_source.h"
#include "model/lotto_game.h"
#include "model/user_database.h"
#include "selection/ball_choices.h"
#include "selection/grid_geometry.h"

namespace zun {

class FileSystem;

// Told after each change, once the document is consistent again.
class DocumentListener {
 public:
  virtual ~DocumentListener() = default;
  // The entries changed, and with them the rows (their number, order or
  // texts).
  virtual void EntriesChanged() {}
  // Which rows are selected changed.
  virtual void SelectionChanged() {}
  // The chosen balls changed.
  virtual void ChoicesChanged() {}
  // The session changed: the file label, the modified mark, the file.
  virtual void SessionChanged() {}
};

class Document {
 public:
  explicit Document(const GameSource& game) : game_(game) {}
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  // ---- Reading -----------------------------------------------------------

  // The current game; null when there is none.
  const TZUN_Lotto_DBase* Game() const { return game_.Game(); }
  // The current game; throws when there is none.
  const TZUN_Lotto_DBase& RequireGame() const;
  BallChoices::Sets PlaySets() const { return RequireGame().PlaySets.span(); }
  // The user database; null before it was created.
  const TZUN_User_Lotto_DBase* Database() const { return database_.get(); }
  // The user database; throws before it was created.
  const TZUN_User_Lotto_DBase& RequireDatabase() const;
  const EntryList& List() const { return list_; }
  const BallChoices& Choices() const { return choices_; }
  const DatabaseSession& Session() const { return session_; }
  // Goes up with every change of the entries (their numbers, number or
  // order; not the sort of the rows): what was read from them before is
  // stale when it differs.
  uint64_t EntriesRevision() const { return revision_; }

  // Who hears of the changes; null for nobody.
  void SetListener(DocumentListener* listener) { listener_ = listener ? listener : &nobody_; }

  // ---- The database --------------------------------------------------------

  // An empty user database for the game (the sets read from the game's
  // file), no rows, no choices, no file. The database made before stays
  // alive until the next is made: the host may still hold its pointer.
  void CreateDatabase(FileSystem& files);
  // New: the entries emptied, no rows, no choices, tied to no file.
  void NewDatabase();

  // ---- Changes of the entries ------------------------------------------------

  // A new entry from the choices when every set is complete (-1 otherwise):
  // the selection is cleared and the new row takes its sorted place.
  int32_t AddEntryFromChoices();
  // The choices into the first selected entry, when every set is complete
  // and a row is selected (-1 otherwise); its source becomes empty and its
  // row moves to its sorted place. Returns the entry.
  int32_t ApplyChoicesToSelected();
  // Appends the entries with one reservation (a failure appends nothing),
  // with their rows in their sorted places; the history names the step
  // `name`. Returns the first new entry.
  int32_t AppendEntries(std::vector<TZUN_Database_Structure>&& entries, std::string name);
  // Deletes every selected entry in one pass; the other rows keep their
  // order. The history names the step by `verb` and the count ("Delete 512
  // Entries", "Cut Entry"). Returns how many went.
  int32_t DeleteSelected(std::string_view verb = "Delete");
  // "Apply Sort": the entries take the display order, which becomes the
  // natural order; the selection follows them. Returns whether any moved.
  bool ApplySort();
  // After a save: every entry's source is the file's name.
  void StampSources(std::string_view fileName);

  // Loading files is one change of the entries: the entries are emptied
  // first when the files replace them; each file's entries are read into
  // the database in place (a file that breaks off keeps what was read) or
  // read on their own and moved behind the others. When the load ends, also
  // when it is unwound, and the entries changed, the rows are filled in the
  // current sort, nothing is selected and the grids are cleared.
  class Load {
   public:
    Load(Document& document, bool replace);
    ~Load();
    Load(const Load&) = delete;
    Load& operator=(const Load&) = delete;

    // Runs read(database) on the database being loaded into.
    template <class Read>
    auto ReadInPlace(Read&& read) {
      changed_ = true;
      return read(*document_.database_);
    }
    // Moves a database read on its own behind the entries (its array is
    // taken whole when there are none yet).
    void Append(TZUN_User_Lotto_DBase& loaded);
    // Sizes the entry array once for this many more entries, so the files
    // read in place after it never grow it.
    void Reserve(int64_t more);
    int32_t EntryCount() const { return document_.database_->Entries.size(); }
    // What the history calls an appending load ("Append 2 Files").
    void Name(std::string name) { name_ = std::move(name); }

   private:
    Document& document_;
    bool replace_;
    int32_t before_;        // entries when the load began
    bool changed_ = false;  // the entries changed: the rows follow when the load ends
    std::string name_ = "Append Files";
  };

  // ---- The history -----------------------------------------------------------

  // What an undo or a redo would change back ("Delete 512 Entries"); empty
  // when there is nothing.
  std::string UndoName() const { return journal_.UndoName(); }
  std::string RedoName() const { return journal_.RedoName(); }
  // Undoes or redoes the last step: the changed entries' rows are selected
  // afterwards, and the modified mark says whether the database is what was
  // last saved or loaded. Returns the first selected row (-1 for none).
  int32_t Undo();
  int32_t Redo();
  const EntryJournal& Journal() const { return journal_; }
  // A history of at most these steps and bytes, empty to begin with.
  void LimitHistory(size_t maxSteps, size_t maxBytes) { journal_ = EntryJournal(maxSteps, maxBytes); }

  // ---- The list ------------------------------------------------------------------

  // Selects or deselects the rows first to last (all rows for first -1).
  void SelectRows(int32_t first, int32_t last, bool selected);
  // Rows from `first` on take the states given, one per row (1 selected).
  void SetRowSelection(int32_t first, std::span<const uint8_t> selected);
  void ClearSelection();
  // Exactly these entries' rows selected (database positions; those the
  // list lacks are skipped), one then shown on the choices. Returns the
  // first selected row (-1 for none).
  int32_t SelectEntries(std::span<const int32_t> entries);
  // Select All, Even, Odd, Invert Selection.
  void ApplySelectionCommand(SelectionCommand command);
  // A click on a column header: the same column again inverts the
  // direction; another keeps it.
  void ClickColumn(int32_t column);

  // ---- The choices -------------------------------------------------------------------

  // A click on a ball's cell (or the current cell moved onto it).
  bool ChooseCell(int32_t set, GridCell cell);
  void ClearChoices();
  // With exactly one row selected, its entry is shown on the choices.
  void ShowSelectedEntry();

  // ---- The session -------------------------------------------------------------------

  void Saved();
  void SavedAs(const std::string& path);
  void LoadedDatabaseFile(const std::string& path);
  void ImportedOldFile();
  void LoadBrokeOff();
  void AssembledFromFiles(bool appended);
  void NothingTaken(bool appended);

 private:
  TZUN_User_Lotto_DBase& Writable();
  // Every change of the entries ends here: the history keeps the step, the
  // session marks it, the listener hears of it.
  void Commit(EntryStep step);
  // The entries changed, recorded in the history or not.
  void Changed();
  void SessionEvent();
  // The step run backward or forward; returns the entries it changed that
  // still stand.
  std::vector<int32_t> Reverse(EntryStep& step);
  std::vector<int32_t> Repeat(EntryStep& step);
  int32_t AfterHistoryMove(const std::vector<int32_t>& changed);

  const GameSource& game_;
  uint64_t revision_ = 0;
  std::unique_ptr<TZUN_User_Lotto_DBase> database_;
  std::unique_ptr<TZUN_User_Lotto_DBase> previous_;
  DatabaseSession session_;
  EntryList list_;
  BallChoices choices_;
  EntryJournal journal_;
  DocumentListener nobody_;
  DocumentListener* listener_ = &nobody_;
};

}  // namespace zun
