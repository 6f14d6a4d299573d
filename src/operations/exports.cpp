#include "operations/exports.h"

#include <string>

#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "list/csv_export.h"
#include "list/html_export.h"

namespace zun {
namespace {

constexpr char kHtmlExportFailed[] = "Error saving to HTML File: ";

// A reason shown on a line of its own starts with a capital.
std::string AsSentence(std::string text) {
  if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = static_cast<char>(text[0] - 'a' + 'A');
  return text;
}

// Reports the export's failure; a report that fails too ends there, so the
// command's guard does not report a second failure over it.
void ReportExportFailure(FileWork& fw, const std::string& message) noexcept {
  try {
    fw.errors.ReportError(message);
  } catch (...) {
  }
}

}  // namespace

void ExportListHtml(FileWork& fw) {
  const OperationScope operation(codes::kHtmlExport);
  const TZUN_Lotto_DBase* game = fw.work.slots.Game();
  const TZUN_User_Lotto_DBase* database = fw.work.session.Database();
  if (game == nullptr || database == nullptr) return;
  const std::string output =
      fw.dialogs.Save(OverwritingSave("Save to HTML File (*.html)", "HTML File (*.html)|*.html", "*.html"));
  if (output.empty()) return;
  const std::string templatePath = game->HtmlPath(kListTemplateName);
  if (!fw.files.FileExists(templatePath)) return;  // the item was enabled for a template that went since
  const HtmlExportResult result = ExportHtml(fw.files, templatePath, output, *game, *database, fw.work.list);
  if (result.status == HtmlExportStatus::TemplateMissing) {
    static const int32_t kResults[] = {kResultOk};
    static const std::string kButtons[] = {"&OK"};
    fw.prompt.ShowMessagePage("Unable to save to HTML file: \r" + output + "\r\rThe file: \r" + templatePath +
                                  "\rdoes not seem to exist in selected HTML directory...",
                              "HTML Information", kIconInformation, kResults, kButtons);
  } else if (result.status == HtmlExportStatus::TemplateUnreadable) {
    ReportExportFailure(fw, kHtmlExportFailed + templatePath);
  } else if (result.status == HtmlExportStatus::BadTemplate) {
    // The template is at fault: which one, and the exporter's reason (the tag).
    ReportExportFailure(fw, kHtmlExportFailed + templatePath + "\r" + AsSentence(result.message));
  } else if (!result.Ok()) {
    // The page could not be written: the output file is at fault.
    ReportExportFailure(fw, kHtmlExportFailed + output);
  }
}

void ExportListCsv(FileWork& fw) {
  const OperationScope operation(codes::kExportCsv);
  const TZUN_Lotto_DBase* game = fw.work.slots.Game();
  const TZUN_User_Lotto_DBase* database = fw.work.session.Database();
  if (game == nullptr || database == nullptr) return;
  const std::string output =
      fw.dialogs.Save(OverwritingSave("Save to CSV File (*.csv)", "CSV File (*.csv)|*.csv", "*.csv"));
  if (output.empty()) return;
  bool written = false;
  {
    const BusyScope busy(fw.hourglass);
    try {
      written = ExportCsv(fw.files, output, *game, *database);
    } catch (...) {
      written = false;
    }
  }
  // The older export, if any, is untouched when this one failed.
  if (!written) ReportExportFailure(fw, "Error saving to CSV File: " + std::string(FileNameOf(output)));
}

}  // namespace zun
