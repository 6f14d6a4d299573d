#pragma once

// Entries as text: copied to and pasted from the clipboard, imported from a
// CSV file; and the history's undo and redo. Each is one change of the
// entries (one step to undo).

#include <string>

#include "document/document.h"
#include "operations/services.h"

namespace zun {

// The selected entries in display order, one line each ended by CR LF: the
// list's cells of the row ("Seq.", each set's text, the source) separated by
// tabs, as a spreadsheet takes them.
std::string SelectedEntriesText(const Document& document);

// Copy (Ctrl+C): the selected entries onto the clipboard. Throws an
// ExplainedError when the clipboard does not take them.
void CopyEntries(const Document& document, Services& services);
// Cut (Ctrl+X): copies, then deletes the entries without asking; nothing
// is deleted when the copy failed.
void CutEntries(Document& document, Services& services);
// Paste (Ctrl+V): the clipboard's lines appended as entries
// (operations/entry_lines.h). Refused lines are reported, each by its
// number and reason.
void PasteEntries(Document& document, Services& services);
// Import from *.csv: asks for the file, then takes its lines as Paste does.
void ImportCsvFile(Document& document, Services& services);

// Undo (Ctrl+Z) and Redo (Ctrl+Y, Ctrl+Shift+Z): the changed rows come
// back selected, the first of them scrolled into view.
void UndoChange(Document& document, Services& services);
void RedoChange(Document& document, Services& services);

}  // namespace zun
