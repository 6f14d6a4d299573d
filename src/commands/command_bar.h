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

}  // namespace zun
