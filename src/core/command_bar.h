#pragma once

// The rule that enables the tool buttons: Load always; Add when every set
// holds its count of picks; Apply and Delete only with a selected entry,
// Apply then as Add; Quick Pick except while one runs. The rule changes the
// buttons only: the commands themselves stay available (the Delete key
// deletes whenever entries are selected).

#include <cstdint>

#include "platform/views.h"

namespace zun {

ButtonStates CommandBarStates(bool allSetsComplete, int32_t selectedCount, bool quickPickRunning) noexcept;

// The Load button's drop-down menu: with entries in the list or a current
// file, "Save SL5 DBase" when there are unsaved changes and "Save SL5
// DBase As" always; neither otherwise. New and Load are always offered.
struct FileMenuStates {
  bool save = false;
  bool saveAs = false;
  friend bool operator==(const FileMenuStates&, const FileMenuStates&) = default;
};
FileMenuStates FileMenuStatesFor(bool hasRows, bool hasCurrentFile, bool modified) noexcept;

}  // namespace zun
