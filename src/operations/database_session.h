#pragma once

// The database operations' shared state and the user database they work
// on. The add-on owns the database from start-up until it is unloaded; the
// host reads it in place through the "ZUN_Mem_Map_UDBase" slot.

#include <memory>
#include <random>
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
  // The process-wide generator quick picks draw from; seeded at start.
  std::mt19937& Random() { return random_; }

  bool DatabaseModified = false;
  std::string CurrentDatabaseFile;
  bool MultipleFilesLoaded = false;

 private:
  std::unique_ptr<TZUN_User_Lotto_DBase> database_;
  std::unique_ptr<TZUN_User_Lotto_DBase> previous_;
  std::mt19937 random_;
};

}  // namespace zun
