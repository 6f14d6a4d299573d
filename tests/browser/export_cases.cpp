// The pages html_export_in_browser.py has a browser read: for each sample
// game, the sample files as they are and a copy whose names, labels and
// database file name hold markup characters; and for each, what the page's
// list must show, read from the files by the data model the way udbtool
// reads them.
//
//   export_cases SAMPLES OUT
//
// writes OUT/cases.json: a list of {name, game, database, template,
// gameName, setNames, rows: [{seq, sets, source}]}. Texts are bytes of the
// page's code page; each byte is written as the code point of its value.

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "hostside/game_file_writer.h"
#include "hostside/sample_games.h"
#include "list/html_export.h"
#include "model/sl5_file.h"
#include "model/user_database.h"
#include "platform/file_system.h"

namespace {

using namespace zun;

// Markup characters in every text a tag fills; the texts stay within their
// fields (40 for the game, 30 for a set, 5 for a label, 25 for a source).
constexpr std::string_view kGameName = "<b>Lotto</b> & \"6/49\" &amp;";
constexpr std::string_view kSetName = "<i>Set</i> & \"";
// The database's file name is its entries' source: this, the game's
// stem, a quote and ".sl5".
constexpr std::string_view kDatabasePrefix = "<s>&amp; \"";

std::string MarkupLabel(int32_t index) {
  return "<&\"" + std::string(index < 10 ? "0" : "") + std::to_string(index);
}

void MarkLabels(Selection_Grid_Selection_Framework& part) {
  for (int32_t i = 0; i < part.Labels.size(); ++i) part.Labels[i].assign(MarkupLabel(i));
}

std::string Json(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte >= 0x7f) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

bool Save(const std::string& path, const std::vector<uint8_t>& bytes) {
  auto out = PlatformFileSystem().BeginReplace(path);
  return out && out->Write(bytes.data(), bytes.size()) && out->Commit();
}

// One case as JSON, its texts read back from the files.
std::string DescribeCase(const std::string& name, const std::string& gameFile, const std::string& databaseFile,
                         const std::string& templateFile) {
  FileSystem& files = PlatformFileSystem();
  TZUN_Lotto_Temp game;
  game.FileName = gameFile;
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  if (!game.ReadGameFile(files, true) || !database->LoadFromFile(files, false, databaseFile)) {
    std::fprintf(stderr, "export_cases: cannot read %s with %s\n", gameFile.c_str(), databaseFile.c_str());
    return {};
  }
  std::string json = "{\"name\": " + Json(name) + ", \"game\": " + Json(gameFile) +
                     ", \"database\": " + Json(databaseFile) + ", \"template\": " + Json(templateFile) +
                     ",\n \"gameName\": " + Json(game.GameName.view()) + ", \"setNames\": [";
  for (int32_t s = 0; s < game.PlaySets.size(); ++s)
    json += (s ? ", " : "") + Json(game.PlaySets[s].SetName.view());
  json += "],\n \"rows\": [";
  for (int32_t e = 0; e < database->Entries.size(); ++e) {
    json += std::string(e ? ",\n  " : "\n  ") + "{\"seq\": \"" + std::to_string(e + 1) + "\", \"sets\": [";
    for (int32_t s = 0; s < database->NumberSets.size(); ++s)
      json += (s ? ", " : "") + Json(database->EntryNumbersText(e, s));
    json += "], \"source\": " + Json(database->Entries[e].Source.view()) + "}";
  }
  return json + "]}";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: export_cases SAMPLES OUT\n");
    return 2;
  }
  const std::string samples = argv[1], out = argv[2];
  std::vector<std::string> cases;
  for (const auto& sample : hostside::MakeSampleGames()) {
    const std::string stem = sample.fileName.substr(0, sample.fileName.find('.'));
    const std::string templateFile = samples + "/html/" + stem + "/" + kListTemplateName;
    cases.push_back(DescribeCase(stem, samples + "/" + sample.fileName, samples + "/" + stem + "-picks.sl5",
                                 templateFile));

    TZUN_Lotto_Temp& game = *sample.game;
    game.GameName.assign(kGameName);
    for (auto* sets : {&game.DrawSets, &game.PlaySets})
      for (int32_t s = 0; s < sets->size(); ++s) {
        auto& set = (*sets)[s];
        set.SetName.assign(std::string(kSetName) + std::to_string(s + 1));
        MarkLabels(set.Grid.Columns);
        MarkLabels(set.Grid.Rows);
        MarkLabels(set.Grid.NumberLabels);
      }
    const std::string gameFile = out + "/" + stem + "-markup.dat";
    const std::string databaseFile = out + "/" + std::string(kDatabasePrefix) + stem + "\".sl5";
    if (!Save(gameFile, hostside::WriteGameFile(game)) ||
        !Save(databaseFile, Sl5Bytes(*hostside::MakeSampleDatabase(game, 12, 5)))) {
      std::fprintf(stderr, "export_cases: cannot write into %s\n", out.c_str());
      return 1;
    }
    cases.push_back(DescribeCase(stem + " with markup in its texts", gameFile, databaseFile, templateFile));
  }
  std::string json = "[";
  for (const auto& c : cases) {
    if (c.empty()) return 1;
    json += (json.size() > 1 ? ",\n" : "\n") + c;
  }
  json += "\n]\n";
  return Save(out + "/cases.json", std::vector<uint8_t>(json.begin(), json.end())) ? 0 : 1;
}
