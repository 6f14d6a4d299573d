#pragma once

// The user database and the state that says what it is the content of.
// The add-on owns the database from start-up until it is unloaded; the host
// reads it in place through the "ZUN_Mem_Map_UDBase" slot. The state
// (modified, current file, several files loaded) is private: each
// operation changes it through the one method that states its rule.

#include <memory>
#include <string>

#include "model/user_database.h"

namespace zun {

class FileSystem;
class HostSlots;

class DatabaseSession {
 public:
  // Builds an empty user database for the host's current game and
  // publishes it. Throws when the host has no game open. A database
  // published before stays alive: the host may still hold its pointer.
  void CreateUserDatabase(HostSlots& slots, FileSystem& files);

  TZUN_User_Lotto_DBase* Database() const { return database_.get(); }

  // The database differs from what was last saved or loaded.
  bool DatabaseModified() const { return modified_; }
  // The ".sl5" file the database was loaded from or saved to; empty when none.
  const std::string& CurrentDatabaseFile() const { return currentFile_; }
  // The database was assembled from several files (or appended to): a plain
  // save asks for a name.
  bool MultipleFilesLoaded() const { return multipleFiles_; }

  // Add, apply, delete, quick pick and entries taken from other windows.
  void EntriesEdited() { modified_ = true; }
  // A new, empty database: no file, unchanged, the content of one file.
  void Emptied() {
    currentFile_.clear();
    modified_ = false;
    multipleFiles_ = false;
  }
  // Written to the current file: unchanged; the file and the multiple
  // flag stay.
  void Saved() { modified_ = false; }
  // Written to `path`, which becomes the current file: the database is
  // now that one file's content.
  void SavedAs(const std::string& path) {
    modified_ = false;
    currentFile_ = path;
    multipleFiles_ = false;
  }
  // Replaced by the whole content of the ".sl5" file `path`.
  void LoadedDatabaseFile(const std::string& path) {
    modified_ = false;
    currentFile_ = path;
    multipleFiles_ = false;
  }
  // Replaced by the records of one ".sl4" or ".sl3" file: no ".sl5" file
  // holds them, so a save asks for a name.
  void ImportedOldFile() {
    modified_ = false;
    currentFile_.clear();
    multipleFiles_ = false;
  }
  // A ".sl5" file broke off while it replaced the entries: the database
  // holds what could be read and is tied to no file, so the next save asks
  // for a name rather than overwrite the damaged file. It counts as
  // unsaved when it kept entries.
  void LoadBrokeOff(bool entriesKept) {
    modified_ = entriesKept;
    currentFile_.clear();
    multipleFiles_ = false;
  }
  // Entries of several files replaced the database, or files were appended
  // to it. Appending keeps unsaved changes marked: the entries the user had
  // not saved are still unsaved.
  void AssembledFromFiles(bool appended) {
    if (!appended) modified_ = false;
    currentFile_.clear();
    multipleFiles_ = true;
  }
  // A load of several files that took none: only the multiple flag follows
  // the load's kind.
  void NothingTaken(bool appended) { multipleFiles_ = appended; }

 private:
  std::unique_ptr<TZUN_User_Lotto_DBase> database_;
  std::unique_ptr<TZUN_User_Lotto_DBase> previous_;
  bool modified_ = false;
  std::string currentFile_;
  bool multipleFiles_ = false;
};

}  // namespace zun
