#include "udbtool/wheel_command.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <memory>
#include <vector>

#include "base/combinations.h"
#include "base/paths.h"
#include "model/lotto_game.h"
#include "model/sl5_file.h"
#include "model/user_database.h"
#include "platform/file_system.h"

namespace zun {
namespace {

constexpr size_t kChunkBytes = 256 * 1024;

struct WheelError {
  std::string message;
  int exitCode = 2;
};

// C(n, k), or -1 when it exceeds what a file's int32 count can hold.
int64_t Combinations(int64_t n, int64_t k) noexcept {
  if (k < 0 || k > n) return 0;
  k = std::min(k, n - k);
  int64_t result = 1;
  for (int64_t i = 1; i <= k; ++i) {
    result = result * (n - k + i) / i;  // exact: a product of i consecutive numbers is divisible by i!
    if (result > std::numeric_limits<int32_t>::max()) return -1;
  }
  return result;
}

std::vector<int32_t> ChosenNumbers(const Lotto_Numbers_Framework& set, std::span<const std::string> texts) {
  std::vector<int32_t> numbers;
  if (texts.empty()) {
    for (int32_t n = std::max(set.LowestNumber, int32_t{INT8_MIN}); n <= std::min(set.HighestNumber, int32_t{INT8_MAX}); ++n)
      numbers.push_back(n);
    return numbers;
  }
  for (const std::string& text : texts) {
    int32_t n = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), n);
    if (error != std::errc() || end != text.data() + text.size()) throw WheelError{"not a number: " + text};
    if (n < set.LowestNumber || n > set.HighestNumber || n < INT8_MIN || n > INT8_MAX)
      throw WheelError{"the number " + text + " lies outside " + std::to_string(set.LowestNumber) + " to " +
                       std::to_string(set.HighestNumber)};
    numbers.push_back(n);
  }
  std::sort(numbers.begin(), numbers.end());
  if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end())
    throw WheelError{"a number is given twice"};
  return numbers;
}

int Wheel(FileSystem& files, std::span<const std::string> args, std::ostream& out) {
  const std::string& gameFile = args[1];
  const std::string& newFile = args[2];
  if (ExtensionOf(newFile) != ".sl5") throw WheelError{newFile + ": the new file's name must end in .sl5"};
  if (!files.FileExists(gameFile)) throw WheelError{gameFile + ": no such file", 1};
  auto database = TZUN_User_Lotto_DBase::Create(files, gameFile);
  if (database->NumberSets.empty()) throw WheelError{gameFile + ": the game has no play set to wheel", 1};
  const Lotto_Numbers_Framework& set = database->NumberSets[0];
  const std::vector<int32_t> numbers = ChosenNumbers(set, args.subspan(3));
  const int32_t pick = set.NumberCount;
  const auto available = static_cast<int32_t>(numbers.size());
  if (pick <= 0) throw WheelError{gameFile + ": the first play set plays no numbers", 1};
  if (available < pick)
    throw WheelError{"the first play set plays " + std::to_string(pick) + " numbers: give at least that many"};
  const int64_t count = Combinations(available, pick);
  if (count < 0) throw WheelError{"more combinations than a file can hold (over 2,147,483,647)"};

  // The file's head: the sets as an empty database writes them, then the count.
  std::vector<uint8_t> head = Sl5Bytes(*database);
  head.resize(head.size() - sizeof(int32_t));
  const auto count32 = static_cast<int32_t>(count);
  const auto* countBytes = reinterpret_cast<const uint8_t*>(&count32);
  head.insert(head.end(), countBytes, countBytes + sizeof count32);

  // Each entry: the first set's numbers, then every other set's zeros.
  size_t entryBytes = 0;
  for (const auto& s : database->NumberSets) entryBytes += static_cast<size_t>(std::max(s.NumberCount, 0));
  const std::unique_ptr<FileWriter> writer = files.BeginReplace(newFile);
  bool ok = writer != nullptr && writer->Write(head.data(), head.size());
  std::vector<uint8_t> chunk;
  chunk.reserve(kChunkBytes + entryBytes);
  std::vector<int32_t> picks(static_cast<size_t>(pick));
  for (int32_t i = 0; i < pick; ++i) picks[size_t(i)] = i;
  for (int64_t written = 0; ok && written < count; ++written) {
    for (const int32_t p : picks) chunk.push_back(static_cast<uint8_t>(static_cast<int8_t>(numbers[size_t(p)])));
    chunk.resize(chunk.size() + entryBytes - size_t(pick), 0);
    if (chunk.size() >= kChunkBytes) {
      ok = writer->Write(chunk.data(), chunk.size());
      chunk.clear();
    }
    NextCombination(picks, available);
  }
  ok = ok && writer->Write(chunk.data(), chunk.size()) && writer->Commit();
  if (!ok) throw WheelError{newFile + ": cannot be written (any earlier file of that name is unchanged)", 1};
  out << "Wrote " << count << (count == 1 ? " combination" : " combinations") << " of " << pick << " from "
      << available << " numbers to " << newFile << "\n";
  if (database->NumberSets.size() > 1)
    out << "The game's other " << database->NumberSets.size() - 1
        << (database->NumberSets.size() == 2 ? " play set is" : " play sets are") << " left empty\n";
  return 0;
}

}  // namespace

int WheelCommand(FileSystem& files, std::span<const std::string> args, std::ostream& out, std::ostream& err) {
  try {
    return Wheel(files, args, out);
  } catch (const WheelError& e) {
    err << "udbtool: " << e.message << "\n";
    return e.exitCode;
  }
}

}  // namespace zun
