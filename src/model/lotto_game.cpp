#include "model/lotto_game.h"

#include "base/paths.h"

namespace zun {

namespace {
const ClassInfo kLottoClass{"TLotto", 4, nullptr};
const ClassInfo kLottoDBaseClass{"TZUN_Lotto_DBase", sizeof(TZUN_Lotto_DBase), &kLottoClass};
const ClassInfo kLottoStatsClass{"TZUN_Lotto_Stats", sizeof(TZUN_Lotto_Stats), &kLottoDBaseClass};
const ClassInfo kLottoFilesClass{"TZUN_Lotto_Files", sizeof(TZUN_Lotto_Stats), &kLottoStatsClass};
const ClassInfo kLottoMiscClass{"TZUN_Lotto_Misc", sizeof(TZUN_Lotto_Stats), &kLottoFilesClass};
}  // namespace

const ClassInfo kLottoTempClass{"TZUN_Lotto_Temp", sizeof(TZUN_Lotto_Temp), &kLottoMiscClass};

TZUN_Lotto_Temp::TZUN_Lotto_Temp() noexcept : TZUN_Lotto_Stats() { ClassRef = &kLottoTempClass; }

std::string TZUN_Lotto_DBase::HtmlPath(std::string_view fileName) const {
  const std::string_view gamePath = FileName.view();
  const std::string_view gameFile = FileNameOf(gamePath);
  const char sep = SeparatorOf(gamePath);
  std::string path(FolderOf(gamePath));
  path += sep;
  path += "html";
  path += sep;
  path += gameFile.substr(0, gameFile.find('.'));
  path += sep;
  path += fileName;
  return path;
}

namespace {

void CopyLabels(const HostArray<Label>& from, int32_t count, HostArray<Label>& to) {
  // The source may hold fewer labels than its count claims: copy what exists.
  const int32_t n = count < 0 ? 0 : std::min(count, from.size());
  to.resize(n);
  for (int32_t i = 0; i < n; ++i) to[i] = from[i];
}

void CopyGridLine(const Selection_Grid_Selection_Framework& from, Selection_Grid_Selection_Framework& to) {
  to.Count = from.Count;
  to.LineLimit = from.LineLimit;
  to.HasLabels = from.HasLabels;
  if (from.HasLabels) CopyLabels(from.Labels, from.Count, to.Labels);
}

}  // namespace

Lotto_Numbers_Framework CopyNumberSetForUserDatabase(const Lotto_Numbers_Framework& set) {
  Lotto_Numbers_Framework copy{};
  copy.SetName = set.SetName;
  copy.NumberCount = set.NumberCount;
  copy.SecondaryCount = set.SecondaryCount;
  copy.HighestNumber = set.HighestNumber;
  copy.LowestNumber = set.LowestNumber;
  copy.OwnPool = set.OwnPool;
  copy.AuxFlag = set.AuxFlag;
  CopyGridLine(set.Grid.Columns, copy.Grid.Columns);
  CopyGridLine(set.Grid.Rows, copy.Grid.Rows);
  copy.Grid.Rows.InEntryOrder = set.Grid.Rows.InEntryOrder;
  const auto& numberLabels = set.Grid.NumberLabels;
  copy.Grid.NumberLabels.HasLabels = numberLabels.HasLabels;
  if (numberLabels.HasLabels) {
    copy.Grid.NumberLabels.Count = numberLabels.Count;
    CopyLabels(numberLabels.Labels, numberLabels.Labels.size(), copy.Grid.NumberLabels.Labels);
  }
  return copy;
}

}  // namespace zun
