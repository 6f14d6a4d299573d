#pragma once

// The list's exports, each asking for the output file's name first: the
// HTML page filled from the game's list template, and the CSV file of the
// entries. A failure is reported naming the file at fault (the template or
// the output); an export that cannot start (no game or database, the name
// cancelled, the template gone since the menu was built) does nothing.

#include "document/document.h"
#include "operations/services.h"

namespace zun {

// "Save to HTML File": the template missing is a message, not an error.
void ExportListHtml(const Document& document, Services& services);
// "Export to *.csv", under the hourglass; an older file of that name is
// untouched when the export fails.
void ExportListCsv(const Document& document, Services& services);

}  // namespace zun
