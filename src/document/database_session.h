#pragma once

// What the user database is the content of: whether it differs from what
// was last saved or loaded, the ".sl5" file it belongs to, whether it was
// assembled from several files, and the file label the status panel shows.
// Each event changes the state through the one method that states its rule.

#include <string>

#include "base/texts.h"

namespace zun {

class DatabaseSession {
 public:
  // The database differs from what was last saved or loaded.
  bool DatabaseModified() const { return modified_; }
  // The ".sl5" file the database was loaded from or saved to; empty when none.
  const std::string& CurrentDatabaseFile() const { return currentFile_; }
  // The database was assembled from several files (or appended to): a plain
  // save asks for a name.
  bool MultipleFilesLoaded() const { return multipleFiles_; }
  // What the status panel shows after "File: ".
  const std::string& FileLabel() const { return label_; }

  // A database was created for the game, or a new one started (New):
  // unchanged, no file, the content of one file.
  void Emptied() {
    modified_ = false;
    currentFile_.clear();
    multipleFiles_ = false;
    label_ = texts::kNoFileLabel;
  }
  // Add, apply, delete, quick pick, entries taken from other windows, a
  // sort applied.
  void EntriesEdited() { modified_ = true; }
  // Written to the current file: unchanged; the file and the multiple
  // flag stay.
  void Saved() { modified_ = false; }
  // Written to `path`, which becomes the current file: the database is
  // now that one file's content.
  void SavedAs(const std::string& path) { BecameFile(path); }
  // Replaced by the whole content of the ".sl5" file `path`.
  void LoadedDatabaseFile(const std::string& path) { BecameFile(path); }
  // Replaced by the records of one ".sl4" or ".sl3" file: no ".sl5" file
  // holds them, so a save asks for a name.
  void ImportedOldFile() { TiedToNoFile(false); }
  // A ".sl5" file broke off while it replaced the entries: the database
  // holds what could be read and is tied to no file, so the next save asks
  // for a name rather than overwrite the damaged file. It counts as
  // unsaved when it kept entries.
  void LoadBrokeOff(bool entriesKept) { TiedToNoFile(entriesKept); }
  // Entries of several files replaced the database, or files were appended
  // to it. Appending keeps unsaved changes marked: the entries the user had
  // not saved are still unsaved.
  void AssembledFromFiles(bool appended) {
    if (!appended) modified_ = false;
    currentFile_.clear();
    multipleFiles_ = true;
    label_ = texts::kMultipleFilesLabel;
  }
  // A load of several files that took none: only the multiple flag follows
  // the load's kind.
  void NothingTaken(bool appended) { multipleFiles_ = appended; }
  // An undo or redo reached the state last saved or loaded, or left it.
  void HistoryMoved(bool atSaved) { modified_ = !atSaved; }

 private:
  void BecameFile(const std::string& path) {
    modified_ = false;
    currentFile_ = path;
    multipleFiles_ = false;
    label_ = path;
  }
  void TiedToNoFile(bool modified) {
    modified_ = modified;
    currentFile_.clear();
    multipleFiles_ = false;
    label_.clear();
  }

  bool modified_ = false;
  std::string currentFile_;
  bool multipleFiles_ = false;
  std::string label_ = texts::kNoFileLabel;
};

}  // namespace zun
