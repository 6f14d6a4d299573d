#include "operations/exports.h"

#include <string>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "base/texts.h"
#include "list/csv_export.h"
#include "list/html_export.h"

namespace zun {
namespace {

// A reason shown on a line of its own starts with a capital.
std::string AsSentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// Reports the export's failure; a report that fails too ends there, so the
// command's guard does not report a second failure over it.
void ReportExportFailure(Services& services, const std::string& message) noexcept {
  try {
    services.errors.ReportError(message);
  } catch (...) {
  }
}

}  // namespace

void ExportListHtml(const Document& document, Services& services) {
  const OperationScope operation(codes::kHtmlExport);
  const TZUN_Lotto_DBase* game = document.Game();
  const TZUN_User_Lotto_DBase* database = document.Database();
  if (game == nullptr || database == nullptr) return;
  const std::string output = services.dialogs.Save(OverwritingSave(
      texts::file_dialog::kHtmlTitle, texts::file_dialog::kHtmlFilter, texts::file_dialog::kHtmlExtension));
  if (output.empty()) return;
  const std::string templatePath = game->HtmlPath(kListTemplateName);
  if (!services.files.FileExists(templatePath)) return;  // the item was enabled for a template that went since
  const HtmlExportResult result =
      ExportHtml(services.files, templatePath, output, *game, *database, document.List());
  const std::string failed = texts::failure::kHtmlExport;
  if (result.status == HtmlExportStatus::TemplateMissing) {
    services.prompt.ShowOkMessage(
        texts::html::kCannotSave + output + texts::html::kTheFile + templatePath + texts::html::kNoTemplate,
        texts::dialog::kHtmlInformation, kIconInformation);
  } else if (result.status == HtmlExportStatus::TemplateUnreadable) {
    ReportExportFailure(services, failed + templatePath);
  } else if (result.status == HtmlExportStatus::BadTemplate) {
    // The template is at fault: which one, and the exporter's reason (the tag).
    ReportExportFailure(services, failed + templatePath + "\r" + AsSentence(result.message));
  } else if (!result.Ok()) {
    // The page could not be written: the output file is at fault.
    ReportExportFailure(services, failed + output);
  }
}

void ExportListCsv(const Document& document, Services& services) {
  const OperationScope operation(codes::kExportCsv);
  const TZUN_Lotto_DBase* game = document.Game();
  const TZUN_User_Lotto_DBase* database = document.Database();
  if (game == nullptr || database == nullptr) return;
  const std::string output = services.dialogs.Save(OverwritingSave(
      texts::file_dialog::kCsvTitle, texts::file_dialog::kCsvFilter, texts::file_dialog::kCsvExtension));
  if (output.empty()) return;
  bool written = false;
  {
    const BusyScope busy(services.hourglass);
    try {
      written = ExportCsv(services.files, output, *game, *database);
    } catch (...) {
      written = false;
    }
  }
  // The older export, if any, is untouched when this one failed.
  if (!written) ReportExportFailure(services, texts::failure::kCsvExport + std::string(FileNameOf(output)));
}

}  // namespace zun
