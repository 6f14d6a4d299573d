#pragma once

// The user database: the played combinations ("entries") for the host's
// current game. One instance is published to the host, which reads it in
// place, so its layout is a binary interface like the game object's.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "base/host_layout.h"
#include "model/entry_numbers.h"
#include "model/host_memory.h"
#include "model/lotto_game.h"

namespace zun {

class FileSystem;

using SourceName = ShortString<25>;

// One entry: per number set its ball numbers, in the order chosen or read,
// and where it came from ("Quick Pick", or the name of the file it was
// loaded or imported from).
struct TZUN_Database_Structure {
  int32_t Reserved0;
  EntryNumbers Numbers;
  SourceName Source;
  uint8_t Pad34[2];
};

struct TZUN_User_Lotto_DBase {
  const ClassInfo* ClassRef;
  int32_t Reserved4;
  uint8_t PlayFlag;  // copied from the game
  uint8_t Pad9[3];
  HostArray<Lotto_Numbers_Framework> NumberSets;  // the game's play sets
  int32_t Reserved16[2];
  HostArray<TZUN_Database_Structure> Entries;
  int32_t Reserved28;

  TZUN_User_Lotto_DBase() noexcept;  // no sets, no entries
  TZUN_User_Lotto_DBase(const TZUN_User_Lotto_DBase&) = delete;
  TZUN_User_Lotto_DBase& operator=(const TZUN_User_Lotto_DBase&) = delete;

  // An empty database for the game stored in gameFile: its play flag and its
  // play sets (copied by CopyNumberSetForUserDatabase). A game file that is
  // missing or breaks off gives the sets that could be read.
  static std::unique_ptr<TZUN_User_Lotto_DBase> Create(FileSystem& files, const std::string& gameFile);

  // Gives entry `entry` one number array per element of counts, of that many
  // numbers; numbers that already exist keep their values, new ones are 0.
  void SizeEntry(int32_t entry, std::span<const int32_t> counts);
  void SizeEntry(int32_t entry, const EntryNumbers::Shape& shape);

  // The shape every entry has: each number set's NumberCount.
  EntryNumbers::Shape EntryShape() const;

  // Writes the database as a ".sl5" file. The file is replaced only when the
  // new one is complete: false means the old file, if any, is untouched.
  bool SaveToFile(FileSystem& files, const std::string& path) const;

  // Reads a ".sl5" file: the number sets, and unless headerOnly the entries,
  // each with the file's name as its source. False when the file cannot be
  // read or breaks off; what was read until then stays.
  bool LoadFromFile(FileSystem& files, bool headerOnly, const std::string& path);
  // The whole file, as above; `outOfMemory` tells a file that did not fit
  // in memory (the entries are then empty) from one that broke off.
  bool LoadFromFile(FileSystem& files, const std::string& path, bool& outOfMemory);
  // Appends a ".sl5" file's entries (AppendSl5): false appends nothing.
  bool AppendFromFile(FileSystem& files, const std::string& path);

  // Entry texts, as the list and the exports show them (entry_text.cpp).
  std::string EntryNumbersText(int32_t entry, int32_t set) const;
  std::string NumberText(int32_t entry, int32_t set, int32_t position) const;
  // The 1-based row (wantRow) or column of a number in a grid of the given
  // width whose first cell is lowest; 0 for a grid without width.
  static int32_t GridPosition(int32_t lowest, int32_t width, bool wantRow, int32_t number) noexcept;

 private:
  // LoadFromFile's work, under its reference code.
  bool ReadFromFile(FileSystem& files, bool headerOnly, const std::string& path, bool& outOfMemory);
};

extern const ClassInfo kUserLottoDBaseClass;

// Every append first refreshes the own-pool and auxiliary flags of each
// number set from the game's draw set at the same position.
void RefreshSetFlags(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database);
// An empty entry shaped for the game's play sets: zero numbers, no source.
TZUN_Database_Structure BlankEntry(const TZUN_Lotto_DBase& game);
// Appends BlankEntry after RefreshSetFlags. Returns the new entry's index.
int32_t AppendBlankEntry(const TZUN_Lotto_DBase& game, TZUN_User_Lotto_DBase& database);

static_assert(sizeof(TZUN_Database_Structure) == HostLayout(36, 48));
static_assert(offsetof(TZUN_Database_Structure, Numbers) == HostLayout(4, 8));
static_assert(offsetof(TZUN_Database_Structure, Source) == HostLayout(8, 16));
static_assert(sizeof(EntryNumbers) == HostLayout(4, 8));

static_assert(sizeof(TZUN_User_Lotto_DBase) == HostLayout(32, 48));
static_assert(offsetof(TZUN_User_Lotto_DBase, PlayFlag) == HostLayout(8, 12));
static_assert(offsetof(TZUN_User_Lotto_DBase, NumberSets) == HostLayout(12, 16));
static_assert(offsetof(TZUN_User_Lotto_DBase, Entries) == HostLayout(24, 32));

}  // namespace zun
