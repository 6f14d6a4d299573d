#pragma once

// Exporting the entry list as an HTML page made from a template (see
// html_template.h for the tags' syntax). The template's text is copied as it
// is; each tag is replaced, its name compared without case:
//
//   Lotto_DBase_Caption     the game's name
//   DBase_Numbers_Caption   the name of play set Level (1-based); empty for a
//                           level outside the sets. A Level that is not a
//                           whole number is an error: nothing is written.
//   DBase_Seq               per row, its "Seq." caption and "<BR>"
//   DBase_Numbers           per row, the text of set Level and "<BR>"; for a
//                           level outside the sets just "<BR>" once (when
//                           there are rows), for a Level that is not a whole
//                           number nothing
//   DBase_File_Name         per row, its source and "<BR>"
//   LINK, IMAGE, TABLE, IMAGEMAP, OBJECT, EMBED and any other name: nothing
//
// Level is 1 unless the tag gives one. Rows come in the list's display
// order. Names, entry texts and sources are HTML-escaped (& < > ") where
// the tags put them.

#include <string>
#include <string_view>

#include "list/entry_list.h"
#include "model/lotto_game.h"
#include "model/user_database.h"
#include "platform/file_system.h"

namespace zun {

// The template of the list export, in the game's HTML folder (HtmlPath).
inline constexpr char kListTemplateName[] = "User_DBase_Builder_List.html";

enum class HtmlExportStatus {
  Done,
  TemplateMissing,     // there is no template
  TemplateUnreadable,  // the template is there but cannot be read
  BadTemplate,      // a tag is in error (message says which)
  CannotWrite,      // the page could not be written; any older file is untouched
};

struct HtmlExportResult {
  HtmlExportStatus status = HtmlExportStatus::Done;
  std::string message;  // empty when done
  bool Ok() const noexcept { return status == HtmlExportStatus::Done; }
};

// Expands the template into out (without committing). The template is
// checked before anything is written, so BadTemplate writes nothing.
HtmlExportResult WriteHtmlExport(std::string_view templateText, const TZUN_Lotto_DBase& game,
                                 const TZUN_User_Lotto_DBase& database, const EntryList& list, FileWriter& out);

// Reads the template at templatePath and writes the page at path, replacing
// any file there only when the new one is complete.
HtmlExportResult ExportHtml(FileSystem& files, const std::string& templatePath, const std::string& path,
                            const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                            const EntryList& list);

}  // namespace zun
