#include "core/command_bar.h"

#include "base/error_location.h"
#include "base/reference_codes.h"

namespace zun {

ButtonStates CommandBarStates(bool allSetsComplete, int32_t selectedCount, bool quickPickRunning) noexcept {
  EnterOperation(codes::kCellNumber);  // the enabling step shares the cell-number code
  ButtonStates states;
  states.load = true;
  states.add = allSetsComplete;
  states.apply = selectedCount > 0 && states.add;
  states.remove = selectedCount > 0;
  states.quickPick = !quickPickRunning;
  states.clear = true;
  return states;
}

FileMenuStates FileMenuStatesFor(bool hasRows, bool hasCurrentFile, bool modified) noexcept {
  FileMenuStates states;
  const bool something = hasRows || hasCurrentFile;
  states.save = something && modified;
  states.saveAs = something;
  return states;
}

}  // namespace zun
