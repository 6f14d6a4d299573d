#include "list/html_export.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "list/csv_export.h"
#include "list/html_template.h"

namespace zun {
namespace {

constexpr std::string_view kBreak = "<BR>";
constexpr std::string_view kSeparator = " - ";  // between the numbers of a set text

enum class TagKind { Empty, GameName, SetName, Seq, Numbers, FileName };

TagKind KindOf(std::string_view name) noexcept {
  // LINK, IMAGE, TABLE, IMAGEMAP, OBJECT and EMBED are replaced by nothing,
  // like any name that is not one of ours.
  if (EqualsIgnoringCase(name, "Lotto_DBase_Caption")) return TagKind::GameName;
  if (EqualsIgnoringCase(name, "DBase_Numbers_Caption")) return TagKind::SetName;
  if (EqualsIgnoringCase(name, "DBase_Seq")) return TagKind::Seq;
  if (EqualsIgnoringCase(name, "DBase_Numbers")) return TagKind::Numbers;
  if (EqualsIgnoringCase(name, "DBase_File_Name")) return TagKind::FileName;
  return TagKind::Empty;
}

std::string QuoteTag(const TemplatePart& tag) { return "<#" + std::string(tag.text) + ">"; }

class PageWriter {
 public:
  PageWriter(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, const EntryList& list,
             FileWriter& out)
      : game_(game), database_(database), list_(list), output_(out) {}

  bool Write(const std::vector<TemplatePart>& parts) {
    for (const auto& part : parts) {
      if (!part.isTag) {
        output_.Append(part.text);
      } else if (!WriteTag(part)) {
        return false;
      }
      if (!output_.Flush()) return false;
    }
    return output_.Finish();
  }

 private:
  // Filling a tag is one step; the tags that list every row join a list
  // column, a step of its own.
  bool WriteTag(const TemplatePart& tag) {
    EnterOperation(codes::kHtmlExport);
    const int32_t rows = list_.RowCount();
    switch (KindOf(tag.text)) {
      case TagKind::Empty:
        return true;
      case TagKind::GameName:
        AppendHtmlEscaped(output_, game_.GameName.view());
        return true;
      case TagKind::SetName: {
        const TagLevel level = LevelOf(tag);  // checked whole before writing
        if (level.value >= 1 && level.value <= game_.PlaySets.size())
          AppendHtmlEscaped(output_, game_.PlaySets[level.value - 1].SetName.view());
        return true;
      }
      case TagKind::Seq:
        EnterOperation(codes::kHtmlJoinListColumn);
        for (int32_t row = 0; row < rows; ++row) {
          char* at = output_.Room(16);
          at = std::to_chars(at, at + 12, int64_t{list_.EntryAt(row)} + 1).ptr;
          std::memcpy(at, kBreak.data(), kBreak.size());
          output_.Advance(at + kBreak.size());
          if (!output_.Flush()) return false;
        }
        return true;
      case TagKind::Numbers: {
        const TagLevel level = LevelOf(tag);
        if (!level.whole || rows == 0) return true;
        EnterOperation(codes::kHtmlJoinListColumn);
        if (level.value < 1 || level.value > database_.NumberSets.size()) {
          output_.Append(kBreak);
          return true;
        }
        return WriteSetTexts(level.value - 1);
      }
      case TagKind::FileName:
        EnterOperation(codes::kHtmlJoinListColumn);
        for (int32_t row = 0; row < rows; ++row) {
          const int32_t entry = list_.EntryAt(row);
          if (database_.Entries.contains(entry)) AppendHtmlEscaped(output_, database_.Entries[entry].Source.view());
          output_.Append(kBreak);
          if (!output_.Flush()) return false;
        }
        return true;
    }
    return true;
  }

  // Each row's text of `set` (the list's cell text, as AppendSetText makes
  // it) and "<BR>": the numbers' own texts joined by " - ". Row labels
  // listed column by column take the numbers column by column (in stored
  // order within a column) and leave out numbers outside the columns.
  bool WriteSetTexts(int32_t set) {
    const Lotto_Numbers_Framework& numberSet = database_.NumberSets[set];
    const auto& grid = numberSet.Grid;
    const bool byColumn = !grid.Columns.LabelsOn() && grid.Rows.LabelsOn() && !grid.Rows.InEntryOrder;
    std::array<int32_t, 256> columnOf{};
    if (byColumn)
      for (int value = -128; value <= 127; ++value)
        columnOf[static_cast<uint8_t>(value)] =
            TZUN_User_Lotto_DBase::GridPosition(numberSet.LowestNumber, grid.Columns.Count, false, value);
    std::vector<int8_t> placed;
    const int32_t rows = list_.RowCount();
    for (int32_t row = 0; row < rows; ++row) {
      const int32_t entry = list_.EntryAt(row);
      std::span<const int8_t> numbers;
      if (database_.Entries.contains(entry) && set < database_.Entries[entry].Numbers.size())
        numbers = database_.Entries[entry].Numbers[set];
      if (byColumn) {
        placed.clear();
        for (const int8_t number : numbers) {
          const int32_t column = columnOf[static_cast<uint8_t>(number)];
          if (column < 1 || column > grid.Columns.Count) continue;
          // Insertion keeps equal columns in stored order.
          placed.push_back(number);
          size_t at = placed.size() - 1;
          for (; at > 0 && columnOf[static_cast<uint8_t>(placed[at - 1])] > column; --at) placed[at] = placed[at - 1];
          placed[at] = number;
        }
        numbers = placed;
      }
      char* at = output_.Room(numbers.size() * (kSeparator.size() + NumberTextTable::kMaxText) + kBreak.size());
      for (size_t i = 0; i < numbers.size(); ++i) {
        if (i != 0) {
          std::memcpy(at, kSeparator.data(), kSeparator.size());
          at += kSeparator.size();
        }
        at = texts_.Put(at, set, numbers[i]);
      }
      std::memcpy(at, kBreak.data(), kBreak.size());
      output_.Advance(at + kBreak.size());
      if (!output_.Flush()) return false;
    }
    return true;
  }

  const TZUN_Lotto_DBase& game_;
  const TZUN_User_Lotto_DBase& database_;
  const EntryList& list_;
  ChunkedOutput output_;
  NumberTextTable texts_{database_, true};
};

// The first tag in error, or Done.
HtmlExportResult CheckTemplate(const std::vector<TemplatePart>& parts) {
  for (const auto& part : parts) {
    if (!part.isTag || KindOf(part.text) != TagKind::SetName) continue;
    EnterOperation(codes::kHtmlExport);  // the tag's Level is read as it is filled
    const TagLevel level = LevelOf(part);
    if (!level.whole)
      return {HtmlExportStatus::BadTemplate,
              "the tag " + QuoteTag(part) + " has a Level that is not a whole number: \"" + std::string(level.text) +
                  "\""};
  }
  return {};
}

}  // namespace

HtmlExportResult WriteHtmlExport(std::string_view templateText, const TZUN_Lotto_DBase& game,
                                 const TZUN_User_Lotto_DBase& database, const EntryList& list, FileWriter& out) {
  const std::vector<TemplatePart> parts = ParseHtmlTemplate(templateText);
  HtmlExportResult result = CheckTemplate(parts);
  if (!result.Ok()) return result;
  if (!PageWriter(game, database, list, out).Write(parts))
    return {HtmlExportStatus::CannotWrite, "the page could not be written"};
  return result;
}

HtmlExportResult ExportHtml(FileSystem& files, const std::string& templatePath, const std::string& path,
                            const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database,
                            const EntryList& list) {
  std::vector<uint8_t> bytes;
  if (!files.FileExists(templatePath))
    return {HtmlExportStatus::TemplateMissing, templatePath + ": there is no template"};
  if (!files.ReadFile(templatePath, bytes))
    return {HtmlExportStatus::TemplateUnreadable, templatePath + ": the template cannot be read"};
  const std::string_view templateText(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  const std::vector<TemplatePart> parts = ParseHtmlTemplate(templateText);
  // A template in error creates no file.
  HtmlExportResult result = CheckTemplate(parts);
  if (!result.Ok()) return result;
  const auto writer = files.BeginReplace(path);
  if (!writer || !PageWriter(game, database, list, *writer).Write(parts) || !writer->Commit())
    return {HtmlExportStatus::CannotWrite, path + ": cannot be written"};
  return result;
}

}  // namespace zun
