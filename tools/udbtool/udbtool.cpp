#include "udbtool/udbtool.h"

#include "udbtool/merge_command.h"

#include <algorithm>
#include <cctype>
#include <iomanip>
#include <memory>
#include <string_view>
#include <vector>

#include "analysis/draw_check.h"
#include "analysis/duplicates.h"
#include "base/paths.h"
#include "base/thousands.h"
#include "list/csv_export.h"
#include "list/entry_list.h"
#include "list/html_export.h"
#include "model/entry_text.h"
#include "model/old_file_import.h"
#include "model/suitability.h"
#include "model/user_database.h"
#include "base/text_lines.h"
#include "operations/entry_editing.h"
#include "operations/entry_lines.h"
#include "udbtool/wheel_command.h"
#include "platform/file_system.h"
#include "platform/seeded_random.h"
#include "selection/quick_pick.h"

namespace zun {
namespace {

constexpr const char kUsage[] =
    "usage: udbtool game GAMEFILE\n"
    "       udbtool list GAMEFILE DBFILE\n"
    "       udbtool convert GAMEFILE OLDFILE NEWFILE.sl5\n"
    "       udbtool merge GAMEFILE NEWFILE.sl5 FILE...\n"
    "       udbtool quickpick GAMEFILE COUNT NEWFILE.sl5 [--seed N]\n"
    "       udbtool export-csv GAMEFILE DBFILE OUT.csv\n"
    "       udbtool export-html GAMEFILE DBFILE OUT.html [TEMPLATE]\n"
    "       udbtool import-csv GAMEFILE CSVFILE SL5FILE\n"
    "       udbtool hits GAMEFILE SL5FILE [--last N]\n"
    "       udbtool duplicates GAMEFILE SL5FILE\n"
    "       udbtool wheel GAMEFILE OUT.sl5 [NUMBER...]\n";

// More quick picks than this in one file is a typing error, not a wish.
constexpr int64_t kMaxQuickPicks = 10'000'000;

// A failure that ends the command with one line on stderr.
struct ToolError {
  std::string message;
  int exitCode = 1;
};

std::unique_ptr<TZUN_Lotto_Temp> ReadGame(FileSystem& files, const std::string& path, bool headerOnly) {
  auto game = std::make_unique<TZUN_Lotto_Temp>();
  game->FileName = path;
  if (!files.FileExists(path)) throw ToolError{path + ": no such file"};
  if (!game->ReadGameFile(files, headerOnly))
    throw ToolError{path + ": not a valid game file (it breaks off or holds impossible counts)"};
  return game;
}

std::string YesNo(uint8_t flag) { return flag ? "yes" : "no"; }

std::string LabelsText(const Selection_Grid_Framework& grid) {
  std::vector<std::string> kinds;
  if (grid.Columns.LabelsOn()) kinds.push_back("columns");
  if (grid.Rows.LabelsOn()) kinds.push_back(grid.Rows.InEntryOrder ? "rows (entry order)" : "rows (by column)");
  if (grid.NumberLabels.LabelsOn()) kinds.push_back("numbers");
  if (kinds.empty()) return "none";
  std::string text;
  for (const auto& kind : kinds) text += (text.empty() ? "" : ", ") + kind;
  return text;
}

void PrintSets(std::ostream& out, const char* title, const HostArray<Lotto_Numbers_Framework>& sets, bool play) {
  out << title << " (" << sets.size() << "):\n";
  for (int32_t i = 0; i < sets.size(); ++i) {
    const auto& set = sets[i];
    const auto& grid = set.Grid;
    out << "  " << i + 1 << ". \"" << set.SetName.view() << "\": " << set.NumberCount
        << (set.NumberCount == 1 ? " number" : " numbers") << " from " << set.LowestNumber << " to "
        << set.HighestNumber;
    if (play) out << " (secondary count " << set.SecondaryCount << ")";
    out << "; own pool " << YesNo(set.OwnPool) << ", aux " << YesNo(set.AuxFlag) << "; grid "
        << grid.Columns.Count << " columns x " << grid.Rows.Count << " rows";
    if (grid.Columns.LineLimit == 1) out << ", one ball per row";
    if (grid.Rows.LineLimit == 1) out << ", one ball per column";
    out << "; labels: " << LabelsText(grid) << "\n";
  }
}

void PrintStatistic(std::ostream& out, const char* title, const HostArray<Draw_Machines_BallSet_Framework>& stats) {
  out << title << " (" << stats.size() << "):\n";
  size_t width = 4;
  for (const auto& s : stats) width = std::max(width, s.StatName.view().size());
  if (stats.empty()) return;
  out << "  " << std::left << std::setw(static_cast<int>(width)) << "name" << "  first   last  count\n";
  for (const auto& s : stats) {
    out << "  " << std::left << std::setw(static_cast<int>(width)) << s.StatName.view() << std::right << "  "
        << std::setw(5) << s.FirstDraw << "  " << std::setw(5) << s.LastDraw << "  " << std::setw(5) << s.DrawCount
        << "\n";
  }
}

int GameCommand(FileSystem& files, const std::string& gameFile, std::ostream& out) {
  const auto game = ReadGame(files, gameFile, false);
  out << "Game: " << game->GameName.view() << "\n";
  if (!game->GameText2.view().empty()) out << "Text: " << game->GameText2.view() << "\n";
  if (game->HasGameText3) out << "Text: " << game->GameText3.view() << "\n";
  out << "Grids: " << (game->PlayFlag ? "side by side" : "stacked") << "\n";
  PrintSets(out, "Play sets", game->PlaySets, true);
  PrintSets(out, "Draw sets", game->DrawSets, false);
  out << "Draws: " << game->Draws.size() << "\n";
  if (!game->HasMachineInfo) {
    out << "The game does not name draw machines or ball sets.\n";
    return 0;
  }
  out << "Draw statistics (first and last are 0-based draw positions):\n";
  PrintStatistic(out, "Machines", game->MachineStats);
  PrintStatistic(out, "Ball sets", game->BallSetStats);
  PrintStatistic(out, "Machine:ball set pairs", game->MachineBallSetStats);
  return 0;
}

struct LoadedDatabase {
  std::unique_ptr<TZUN_Lotto_Temp> game;
  std::unique_ptr<TZUN_User_Lotto_DBase> database;
};

// The game's definition (and its draws when asked) and a whole .sl5 file
// whose number sets fit it.
LoadedDatabase LoadDatabase(FileSystem& files, const std::string& gameFile, const std::string& dbFile,
                            bool withDraws = false) {
  auto game = ReadGame(files, gameFile, !withDraws);
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  if (!files.FileExists(dbFile)) throw ToolError{dbFile + ": no such file"};
  if (!database->LoadFromFile(files, true, dbFile)) throw ToolError{dbFile + ": not a readable .sl5 file"};
  if (!SetsFitGame(*database, *game))
    throw ToolError{dbFile + ": its number sets do not fit the game \"" + std::string(game->GameName.view()) + "\""};
  if (!database->LoadFromFile(files, false, dbFile))
    throw ToolError{dbFile + ": the file breaks off after " + std::to_string(database->Entries.size()) +
                    " whole entries"};
  return {std::move(game), std::move(database)};
}

std::string EntriesText(int32_t count) { return std::to_string(count) + (count == 1 ? " entry" : " entries"); }

int ListCommand(FileSystem& files, const std::string& gameFile, const std::string& dbFile, std::ostream& out) {
  const auto [game, database] = LoadDatabase(files, gameFile, dbFile);
  // One row per entry, as the entry list shows it: sequence number, one
  // column per play set, source.
  const int32_t setCount = database->NumberSets.size();
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> header{"Seq."};
  for (const auto& set : game->PlaySets) header.emplace_back(set.SetName.view());
  header.emplace_back("ZUN File");
  rows.push_back(header);
  for (int32_t e = 0; e < database->Entries.size(); ++e) {
    std::vector<std::string> row{std::to_string(e + 1)};
    for (int32_t s = 0; s < setCount; ++s) row.push_back(database->EntryNumbersText(e, s));
    row.emplace_back(database->Entries[e].Source.view());
    rows.push_back(std::move(row));
  }
  std::vector<size_t> widths;
  for (const auto& row : rows)
    for (size_t c = 0; c < row.size(); ++c) {
      if (widths.size() <= c) widths.push_back(0);
      widths[c] = std::max(widths[c], row[c].size());
    }
  for (const auto& row : rows) {
    std::string line;
    for (size_t c = 0; c < row.size(); ++c) {
      line += row[c];
      if (c + 1 < row.size()) line.append(widths[c] - row[c].size() + 2, ' ');
    }
    out << line << "\n";
  }
  return 0;
}

int ExportCsvCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out) {
  const std::string& outFile = args[3];
  const auto [game, database] = LoadDatabase(files, args[1], args[2]);
  if (!ExportCsv(files, outFile, *game, *database))
    throw ToolError{outFile + ": cannot be written (any earlier file of that name is unchanged)"};
  out << "Exported " << EntriesText(database->Entries.size()) << " to " << outFile << "\n";
  return 0;
}

// The list template beside the game: for games/Lotto649.dat,
// games/html/Lotto649/User_DBase_Builder_List.html. A game named without a
// folder is in the current one.
std::string DefaultTemplate(TZUN_Lotto_DBase& game, const std::string& gameFile) {
  game.FileName = FolderOf(gameFile).empty() ? "./" + gameFile : gameFile;
  return game.HtmlPath(kListTemplateName);
}

int ExportHtmlCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out) {
  const std::string& outFile = args[3];
  const auto [game, database] = LoadDatabase(files, args[1], args[2]);
  const std::string templateFile = args.size() == 5 ? args[4] : DefaultTemplate(*game, args[1]);
  if (!files.FileExists(templateFile)) throw ToolError{templateFile + ": no such template"};
  EntryList list;
  list.Refill(*database);  // natural order
  const HtmlExportResult result = ExportHtml(files, templateFile, outFile, *game, *database, list);
  switch (result.status) {
    case HtmlExportStatus::Done:
      break;
    case HtmlExportStatus::BadTemplate:
      throw ToolError{templateFile + ": " + result.message};
    case HtmlExportStatus::TemplateMissing:
    case HtmlExportStatus::TemplateUnreadable:
      throw ToolError{result.message};
    case HtmlExportStatus::CannotWrite:
      throw ToolError{outFile + ": cannot be written (any earlier file of that name is unchanged)"};
  }
  out << "Exported " << EntriesText(database->Entries.size()) << " to " << outFile << " (template "
      << templateFile << ")\n";
  return 0;
}

std::string Lowercase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

int ConvertCommand(FileSystem& files, const std::string& gameFile, const std::string& oldFile,
                   const std::string& newFile, std::ostream& out) {
  const auto game = ReadGame(files, gameFile, true);
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  if (!TakesOldFormats(*game, *database))
    throw ToolError{gameFile + ": .sl4 and .sl3 files hold six numbers from 1 to 49; they fit only a 6-from-49 "
                               "game with one bonus ball"};
  const std::string kind = Lowercase(ExtensionOf(oldFile));
  if (kind != ".sl4" && kind != ".sl3") throw ToolError{oldFile + ": not a .sl4 or .sl3 file"};
  if (ExtensionOf(newFile) != ".sl5") throw ToolError{newFile + ": the new file's name must end in .sl5", 2};
  std::vector<uint8_t> bytes;
  if (!files.FileExists(oldFile)) throw ToolError{oldFile + ": no such file"};
  if (!files.ReadFile(oldFile, bytes)) throw ToolError{oldFile + ": cannot be read"};

  const size_t recordBytes = kind == ".sl4" ? kSl4RecordBytes : kSl3RecordBytes;
  const auto records = kind == ".sl4" ? ParseSl4Records(bytes) : ParseSl3Records(bytes);
  AppendOldRecords(*game, *database, records, FileNameOf(oldFile));
  if (!database->SaveToFile(files, newFile))
    throw ToolError{newFile + ": cannot be written (any earlier file of that name is unchanged)"};
  out << "Converted " << records.size() << (records.size() == 1 ? " entry" : " entries") << " from " << oldFile
      << " to " << newFile << "\n";
  if (const size_t rest = bytes.size() % recordBytes; rest != 0)
    out << "The last " << rest << " bytes of " << oldFile << " do not make a whole record and were ignored.\n";
  return 0;
}

// A whole decimal number from lowest to highest, else a command-line error.
int64_t ParseCount(const std::string& text, const char* what, int64_t lowest, int64_t highest) {
  int64_t value = 0;
  if (text.empty() || text.size() > 12) throw ToolError{std::string(what) + " must be a number", 2};
  for (const char c : text) {
    if (c < '0' || c > '9') throw ToolError{std::string(what) + " must be a number: " + text, 2};
    value = value * 10 + (c - '0');
  }
  if (value < lowest || value > highest)
    throw ToolError{std::string(what) + " must lie from " + std::to_string(lowest) + " to " +
                        std::to_string(highest) + ": " + text,
                    2};
  return value;
}

int QuickPickCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out) {
  const std::string& gameFile = args[1];
  const auto count = static_cast<int32_t>(ParseCount(args[2], "COUNT", 0, kMaxQuickPicks));
  const std::string& newFile = args[3];
  uint32_t seed = std::random_device{}();
  if (args.size() == 6) {
    if (args[4] != "--seed") throw ToolError{"unknown option " + args[4], 2};
    seed = static_cast<uint32_t>(ParseCount(args[5], "the seed", 0, UINT32_MAX));
  } else if (args.size() != 4) {
    throw ToolError{kUsage, 2};
  }
  if (ExtensionOf(newFile) != ".sl5") throw ToolError{newFile + ": the new file's name must end in .sl5", 2};
  const auto game = ReadGame(files, gameFile, true);
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  SeededRandom random(seed);
  database->Entries.reserve(count);
  try {
    for (int32_t i = 0; i < count; ++i) AppendQuickPick(*game, *database, random);
  } catch (const NoQuickPickPossible& e) {
    throw ToolError{gameFile + ": " + e.what()};
  }
  if (!database->SaveToFile(files, newFile))
    throw ToolError{newFile + ": cannot be written (any earlier file of that name is unchanged)"};
  out << "Wrote " << count << (count == 1 ? " quick pick" : " quick picks") << " to " << newFile << " (seed " << seed
      << ")\n";
  return 0;
}

// The window's own reading of pasted or imported lines, on a CSV file: the
// entries taken go to SL5FILE in file order; each refused line is named.
// 0 when every line was taken, 1 when some were refused (the rest are still
// written), 2 for a wrong command line or a game or CSV file that cannot be
// read (nothing written).
int ImportCsvCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out) {
  const std::string& gameFile = args[1];
  const std::string& csvFile = args[2];
  const std::string& newFile = args[3];
  if (ExtensionOf(newFile) != ".sl5") throw ToolError{newFile + ": the new file's name must end in .sl5", 2};
  std::unique_ptr<TZUN_Lotto_Temp> game;
  try {
    game = ReadGame(files, gameFile, true);
  } catch (ToolError& e) {
    e.exitCode = 2;
    throw;
  }
  std::vector<uint8_t> bytes;
  if (!files.ReadFile(csvFile, bytes)) throw ToolError{csvFile + ": cannot be read", 2};
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  EntryLines lines(*game);
  std::vector<std::string> refused;
  lines.onRefused = [&](int32_t line, const std::string& reason) {
    refused.push_back("line " + std::to_string(line) + ": " + reason);
  };
  ForEachTextLine(bytes, [&](std::string_view line) { lines.Add(line); });
  std::vector<uint8_t>().swap(bytes);
  std::vector<TZUN_Database_Structure> taken = lines.TakeEntries();
  RefreshSetFlags(*game, *database);
  database->Entries.reserve(static_cast<int32_t>(taken.size()));
  for (TZUN_Database_Structure& entry : taken) database->Entries.emplace_back(std::move(entry));
  if (!database->SaveToFile(files, newFile))
    throw ToolError{newFile + ": cannot be written (any earlier file of that name is unchanged)"};
  out << "took " << lines.Taken() << " of " << lines.EntryLineCount() << " lines\n";
  for (const std::string& line : refused) out << line << "\n";
  return refused.empty() ? 0 : 1;
}

// LoadDatabase for the checks, whose unreadable files are usage errors.
LoadedDatabase LoadForCheck(FileSystem& files, const std::string& gameFile, const std::string& dbFile) {
  try {
    return LoadDatabase(files, gameFile, dbFile, true);
  } catch (ToolError& e) {
    e.exitCode = 2;
    throw;
  }
}

// The part of a snapshot with `count` of its entries from `first` and
// `drawCount` of its draws from `firstDraw`.
DrawCheckInput Slice(const DrawCheckInput& input, size_t first, size_t count, size_t firstDraw, size_t drawCount) {
  DrawCheckInput part;
  part.playSets = input.playSets;
  part.drawSets = input.drawSets;
  part.pairing = input.pairing;
  part.prizes = input.prizes;
  part.atLeast = input.atLeast;
  const size_t playSets = input.playSets.size(), drawSets = input.drawSets.size();
  count = std::min(count, input.entries.size() - first);
  drawCount = std::min(drawCount, input.draws.size() - firstDraw);
  part.entries.assign(input.entries.begin() + long(first), input.entries.begin() + long(first + count));
  part.entryMasks.assign(input.entryMasks.begin() + long(first * playSets),
                         input.entryMasks.begin() + long((first + count) * playSets));
  part.draws.assign(input.draws.begin() + long(firstDraw), input.draws.begin() + long(firstDraw + drawCount));
  part.drawTexts.assign(input.drawTexts.begin() + long(firstDraw),
                        input.drawTexts.begin() + long(firstDraw + drawCount));
  part.drawMasks.assign(input.drawMasks.begin() + long(firstDraw * drawSets),
                        input.drawMasks.begin() + long((firstDraw + drawCount) * drawSets));
  return part;
}

void PrintHits(std::ostream& out, const DrawCheckInput& input, const DrawCheckResult& result) {
  const size_t sets = input.drawSets.size();
  for (size_t i = 0; i < result.hits.size(); ++i) {
    const DrawCheckResult::Hit& hit = result.hits[i];
    const size_t draw =
        size_t(std::lower_bound(input.draws.begin(), input.draws.end(), hit.draw) - input.draws.begin());
    out << hit.entry + 1 << ';' << input.drawTexts[draw] << ';' << result.MatchesText(i, sets) << ';'
        << (hit.division >= 0 ? input.prizes.divisions[size_t(hit.division)].name : "") << '\n';
  }
}

// The check against the draws: its summary, then each entry-draw pair that
// reaches a division as ENTRY;DRAWTEXT;MATCHES;DIVISION, by entry, then by
// draw. A result lists kMaxListedHits pairs at most: past that the pairs are
// listed from checks of blocks of entries (and of draws, for a game of more
// draws than that) that each stay under it.
int HitsCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  int32_t lastDraws = -1;  // all of them
  if (args.size() == 5) {
    if (args[3] != "--last") throw ToolError{"unknown option " + args[3], 2};
    lastDraws = static_cast<int32_t>(ParseCount(args[4], "N", 0, INT32_MAX));
  }
  const auto [game, database] = LoadForCheck(files, args[1], args[2]);
  const DrawRange range = lastDraws < 0 ? DrawRange::All(*game) : DrawRange::LastDraws(*game, lastDraws);
  const DrawCheckInput input = DrawCheckInput::Make(*game, *database, nullptr, range, 0);
  for (const std::string& note : input.notes) err << "udbtool: note: " << note << "\n";
  DrawCheckResult result;
  RunDrawCheck(input, result);
  out << result.Summary(input) << "\n";
  if (!result.Truncated()) {
    PrintHits(out, input, result);
    return 0;
  }
  const size_t draws = input.draws.size();
  const size_t cap = static_cast<size_t>(kMaxListedHits);
  const size_t entriesPerBlock = std::max<size_t>(1, cap / draws);
  const size_t drawsPerBlock = std::min(draws, cap);
  for (size_t first = 0; first < input.entries.size(); first += entriesPerBlock) {
    for (size_t firstDraw = 0; firstDraw < draws; firstDraw += drawsPerBlock) {
      const DrawCheckInput block = Slice(input, first, entriesPerBlock, firstDraw, drawsPerBlock);
      RunDrawCheck(block, result);
      PrintHits(out, block, result);
    }
  }
  return 0;
}

// Entries played twice: ENTRY;FIRST per duplicate (1-based), then the count.
int DuplicatesCommand(FileSystem& files, const std::string& gameFile, const std::string& dbFile, std::ostream& out) {
  const auto [game, database] = LoadForCheck(files, gameFile, dbFile);
  const std::vector<Duplicate> duplicates = FindDuplicates(*database);
  for (const Duplicate& d : duplicates) out << d.entry + 1 << ';' << d.first + 1 << '\n';
  const int64_t entries = database->Entries.size();
  out << WithThousands(int64_t(duplicates.size())) << (duplicates.size() == 1 ? " duplicate" : " duplicates")
      << " of " << WithThousands(entries) << (entries == 1 ? " entry" : " entries") << "\n";
  return 0;
}

}  // namespace

int RunUdbTool(std::span<const std::string> args, std::ostream& out, std::ostream& err, FileSystem& files) {
  try {
    const std::string command = args.empty() ? "" : args[0];
    if (command == "game" && args.size() == 2) return GameCommand(files, args[1], out);
    if (command == "list" && args.size() == 3) return ListCommand(files, args[1], args[2], out);
    if (command == "convert" && args.size() == 4) return ConvertCommand(files, args[1], args[2], args[3], out);
    if (command == "quickpick" && (args.size() == 4 || args.size() == 6)) return QuickPickCommand(files, args, out);
    if (command == "merge" && args.size() >= 4) return MergeCommand(files, args, out, err);
    if (command == "export-csv" && args.size() == 4) return ExportCsvCommand(files, args, out);
    if (command == "export-html" && (args.size() == 4 || args.size() == 5)) return ExportHtmlCommand(files, args, out);
    if (command == "import-csv" && args.size() == 4) return ImportCsvCommand(files, args, out);
    if (command == "hits" && (args.size() == 3 || args.size() == 5)) return HitsCommand(files, args, out, err);
    if (command == "duplicates" && args.size() == 3) return DuplicatesCommand(files, args[1], args[2], out);
    if (command == "wheel" && args.size() >= 3) return WheelCommand(files, args, out, err);
    err << kUsage;
    return 2;
  } catch (const ToolError& e) {
    err << "udbtool: " << e.message << "\n";
    return e.exitCode;
  } catch (const std::bad_alloc&) {
    err << "udbtool: not enough memory\n";
    return 1;
  } catch (const std::exception& e) {
    err << "udbtool: " << e.what() << "\n";
    return 1;
  }
}

}  // namespace zun
