#include "list/csv_export.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "base/error_location.h"
#include "base/reference_codes.h"
#include "model/entry_text.h"

namespace zun {

// ---- ChunkedOutput ------------------------------------------------------------

ChunkedOutput::ChunkedOutput(FileWriter& out)
    : out_(out), buffer_(new char[kChunkBytes + kChunkBytes / 4]), capacity_(kChunkBytes + kChunkBytes / 4) {}

void ChunkedOutput::MakeRoom(size_t bytes) {
  WriteBuffer();
  if (capacity_ >= bytes) return;
  buffer_.reset();  // one long text: a buffer of its size
  buffer_.reset(new char[bytes]);
  capacity_ = bytes;
}

void ChunkedOutput::WriteBuffer() {
  if (ok_ && size_ != 0 && !out_.Write(buffer_.get(), size_)) ok_ = false;
  size_ = 0;
}

// ---- Texts --------------------------------------------------------------------

namespace {

const char* EntityOf(char c) noexcept {
  switch (c) {
    case '&': return "&amp;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '"': return "&quot;";
    default: return nullptr;
  }
}

// Writes the escaped text at `at` (room for six bytes per character).
char* PutHtmlEscaped(char* at, std::string_view text) noexcept {
  for (const char c : text) {
    if (const char* entity = EntityOf(c)) {
      const size_t n = std::strlen(entity);
      std::memcpy(at, entity, n);
      at += n;
    } else {
      *at++ = c;
    }
  }
  return at;
}

}  // namespace

void AppendHtmlEscaped(ChunkedOutput& out, std::string_view text) {
  out.Advance(PutHtmlEscaped(out.Room(text.size() * 6), text));
}

void AppendHtmlEscaped(std::string& out, std::string_view text) {
  for (const char c : text) {
    if (const char* entity = EntityOf(c))
      out += entity;
    else
      out += c;
  }
}

NumberTextTable::NumberTextTable(const TZUN_User_Lotto_DBase& database, bool htmlEscaped)
    : database_(database), htmlEscaped_(htmlEscaped), sets_(database.NumberSets.size()) {
  tables_.resize(static_cast<size_t>(sets_) + 1);
}

void NumberTextTable::Build(size_t index) {
  auto& table = tables_[index];
  table.resize(256);
  std::string text, escaped;
  for (int value = -128; value <= 127; ++value) {
    const auto number = static_cast<int8_t>(value);
    text.clear();
    if (index < static_cast<size_t>(sets_))
      AppendNumberText(text, database_.NumberSets[static_cast<int32_t>(index)], std::span<const int8_t>(&number, 1), 0);
    else
      AppendPlainNumber(text, number);
    if (htmlEscaped_) {
      escaped.clear();
      AppendHtmlEscaped(escaped, text);
      text.swap(escaped);
    }
    Cell& cell = table[static_cast<uint8_t>(number)];
    cell.length = static_cast<uint8_t>(std::min(text.size(), kMaxText));  // labels hold at most five characters
    std::memcpy(cell.text, text.data(), cell.length);
    std::fill(cell.text + cell.length, cell.text + kMaxText, '\0');
  }
}

// ---- CSV ----------------------------------------------------------------------

void AppendCsvQuoted(std::string& out, std::string_view text) {
  out += '"';
  for (const char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

namespace {

std::string Header(const TZUN_Lotto_DBase& game) {
  std::string out = "\"Seq.\"";
  std::string name;
  for (const auto& set : game.PlaySets) {
    for (int32_t k = 1; k <= set.NumberCount; ++k) {
      name.assign(set.SetName.view());
      if (set.NumberCount != 1) name += '_' + std::to_string(k);
      out += ';';
      AppendCsvQuoted(out, name);
    }
  }
  out += "\r\n";
  return out;
}

}  // namespace

bool WriteCsvExport(const TZUN_Lotto_DBase& game, const TZUN_User_Lotto_DBase& database, FileWriter& out) {
  ChunkedOutput output(out);
  EnterOperation(codes::kWriteCsvHeader);
  output.Append(Header(game));
  // The header goes out on its own, so a file that takes nothing fails in
  // the header's step; the entries are then written a chunk at a time.
  if (!output.Finish()) return false;
  EnterOperation(codes::kWriteCsvEntries);
  NumberTextTable texts(database, false);
  const int32_t count = database.Entries.size();
  for (int32_t e = 0; e < count; ++e) {
    const EntryNumbers& numbers = database.Entries[e].Numbers;
    const int32_t sets = numbers.size();
    size_t total = 0;
    for (int32_t s = 0; s < sets; ++s) total += numbers[s].size();
    char* at = output.Room(16 + total * (1 + NumberTextTable::kMaxText) + 2);
    *at++ = '"';
    at = std::to_chars(at, at + 12, int64_t{e} + 1).ptr;
    *at++ = '"';
    for (int32_t s = 0; s < sets; ++s) {
      for (const int8_t number : numbers[s]) {
        *at++ = ';';
        at = texts.Put(at, s, number);
      }
    }
    *at++ = '\r';
    *at++ = '\n';
    output.Advance(at);
    if (!output.Flush()) return false;
  }
  return output.Finish();
}

bool ExportCsv(FileSystem& files, const std::string& path, const TZUN_Lotto_DBase& game,
               const TZUN_User_Lotto_DBase& database) {
  const auto writer = files.BeginReplace(path);
  if (!writer) return false;
  return WriteCsvExport(game, database, *writer) && writer->Commit();
}

}  // namespace zun
