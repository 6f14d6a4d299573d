#pragma once

// The add-on's commands by number: the tool buttons, the menu items and
// the shortcuts name them, and the views' command states are indexed by
// them. What each command does is the command table's.

#include <cstddef>
#include <cstdint>

namespace zun {

enum class CommandId : uint16_t {
  Load = 1,
  Add,
  Apply,
  Delete,
  QuickPick,
  Clear,
  SelectAll,
  SelectEven,
  SelectOdd,
  InvertSelection,
  ApplySort,
  New,
  Save,
  SaveAs,
  ExportHtml,
  ExportCsv,
  Undo,
  Redo,
  Cut,
  Copy,
  Paste,
  ImportCsv,
  CheckDraws,
  SelectDuplicates,  // the last: kCommandIdLimit follows it
};

// One past the highest command id.
inline constexpr size_t kCommandIdLimit = static_cast<size_t>(CommandId::SelectDuplicates) + 1;

}  // namespace zun
