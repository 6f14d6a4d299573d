#include "model/sl5_file.h"

#include <cstring>
#include <memory>
#include <stdexcept>

#include "base/byte_reader.h"
#include "base/checked_math.h"
#include "base/error_location.h"
#include "base/paths.h"
#include "base/reference_codes.h"
#include "model/game_file_reader.h"
#include "platform/file_system.h"

namespace zun {
namespace {

constexpr size_t kSetRecordBytes = 4 * 4 + 2;
// Loaded entries may take at most this much memory per byte of file, plus
// a fixed allowance: a 6-number entry takes 68 bytes for its 6.
constexpr int64_t kEntryMemoryPerFileByte = 64;
constexpr int64_t kEntryMemoryAllowance = int64_t{64} << 20;
constexpr size_t kWriteChunk = 256 * 1024;

// Collects little-endian output in a fixed buffer and hands it to the file
// writer a chunk at a time, so a save needs no second copy of the database.
class ChunkedOutput {
 public:
  explicit ChunkedOutput(FileWriter& out) : out_(out), buffer_(new uint8_t[kWriteChunk]) {}

  void I32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    const uint8_t le[4] = {static_cast<uint8_t>(u), static_cast<uint8_t>(u >> 8), static_cast<uint8_t>(u >> 16),
                           static_cast<uint8_t>(u >> 24)};
    Bytes(le, 4);
  }
  void U8(uint8_t v) { Bytes(&v, 1); }
  // Room for `size` bytes (at most a chunk), to be filled at once.
  uint8_t* Room(size_t size) {
    if (used_ + size > kWriteChunk) Flush();
    uint8_t* at = buffer_.get() + used_;
    used_ += size;
    return at;
  }
  void Bytes(const void* data, size_t size) {
    if (used_ + size > kWriteChunk) {
      Flush();
      if (size > kWriteChunk) {
        ok_ = ok_ && out_.Write(data, size);
        return;
      }
    }
    if (size != 0) std::memcpy(buffer_.get() + used_, data, size);
    used_ += size;
  }
  bool Finish() {
    Flush();
    return ok_;
  }

 private:
  void Flush() {
    if (used_ != 0) ok_ = ok_ && out_.Write(buffer_.get(), used_);
    used_ = 0;
  }

  FileWriter& out_;
  std::unique_ptr<uint8_t[]> buffer_;
  size_t used_ = 0;
  bool ok_ = true;
};

class MemoryWriter final : public FileWriter {
 public:
  bool Write(const void* data, size_t size) override {
    const auto* p = static_cast<const uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + size);
    return true;
  }
  bool Commit() override { return true; }
  std::vector<uint8_t> bytes;
};

}  // namespace

namespace {

void ReadSetRecords(ByteReader& in, HostArray<Lotto_Numbers_Framework>& sets) {
  const int32_t setCount = in.Count(kSetRecordBytes);
  sets.resize(setCount);
  for (auto& set : sets) {
    const int32_t count = in.I32();
    if (count < 0 || count > kMaxNumbersPerSet) ByteReader::Fail();
    set.NumberCount = count;
    set.SecondaryCount = in.I32();
    set.HighestNumber = in.I32();
    set.LowestNumber = in.I32();
    set.OwnPool = in.U8();
    set.AuxFlag = in.U8();
  }
}

// Reads the file's entries into the database's entries from `first` on
// (those from before are overwritten in place, new ones made); the array is
// sized once. True when the file held every entry it declares.
bool ReadEntries(ByteReader& in, size_t fileBytes, TZUN_User_Lotto_DBase& database, int32_t first,
                 std::string_view sourceName) {
  const int32_t entryCount = in.Count(0);
  const EntryNumbers::Shape shape = database.EntryShape();
  const auto bytesPerEntry = static_cast<size_t>(shape.TotalNumbers());
  // Only entries the file holds whole are sized; a count beyond them is
  // the file breaking off. Sets of no numbers still cost memory in every
  // entry, so the entries must also fit a memory budget in proportion to
  // the file.
  const int64_t wholeEntries =
      bytesPerEntry == 0 ? kMaxEntriesWithoutNumbers : static_cast<int64_t>(in.Remaining() / bytesPerEntry);
  const int64_t budget = SaturatingAdd(SaturatingMul(kEntryMemoryPerFileByte, static_cast<int64_t>(fileBytes)),
                                       kEntryMemoryAllowance);
  const int64_t affordable = budget / static_cast<int64_t>(sizeof(TZUN_Database_Structure) + shape.BlockSize());
  const int64_t room = int64_t{INT32_MAX} - first;  // an array counts in 32 bits
  const auto readable = static_cast<int32_t>(std::min({int64_t{entryCount}, wholeEntries, affordable, room}));

  SourceName source{};
  source.assign(sourceName);
  auto& entries = database.Entries;
  entries.resize(first + readable);
  if (readable > 0) EnterOperation(codes::kUserDbSizeEntry);
  const int32_t setTotal = shape.SetCount();
  EntryNumbers::Batch blocks(shape, static_cast<size_t>(readable));
  for (int32_t e = first; e < entries.size(); ++e) {
    TZUN_Database_Structure& entry = entries[e];
    if (!entry.Numbers.HasShape(shape)) entry.Numbers = blocks.Next();
    // The entry's bytes at once (the file holds them: `readable` counts
    // whole entries), then set by set, without a call per set.
    const uint8_t* from = in.Take(bytesPerEntry).data();
    for (int32_t s = 0; s < setTotal; ++s)
      for (int8_t& n : entry.Numbers[s]) n = static_cast<int8_t>(*from++);
    entry.Source = source;
  }
  return readable == entryCount;
}

}  // namespace

bool ParseSl5(TZUN_User_Lotto_DBase& database, std::span<const uint8_t> bytes, bool headerOnly,
              std::string_view sourceName) {
  ByteReader in(bytes);
  try {
    ReadSetRecords(in, database.NumberSets);
    if (headerOnly) return true;
    return ReadEntries(in, bytes.size(), database, 0, sourceName);
  } catch (const ByteReader::Failure&) {
    return false;
  }
}

bool AppendSl5(TZUN_User_Lotto_DBase& database, std::span<const uint8_t> bytes, std::string_view sourceName) {
  ByteReader in(bytes);
  const int32_t before = database.Entries.size();
  try {
    HostArray<Lotto_Numbers_Framework> sets;
    ReadSetRecords(in, sets);
    // The entries take the database's shape: a file of another shape would
    // be read as other numbers.
    bool sameShape = sets.size() == database.NumberSets.size();
    for (int32_t s = 0; sameShape && s < sets.size(); ++s)
      sameShape = sets[s].NumberCount == database.NumberSets[s].NumberCount;
    if (sameShape && ReadEntries(in, bytes.size(), database, before, sourceName)) return true;
  } catch (const ByteReader::Failure&) {
  } catch (const std::bad_alloc&) {
  }
  database.Entries.resize(before);  // a file that breaks off or does not fit adds nothing
  return false;
}

bool WriteSl5(const TZUN_User_Lotto_DBase& database, FileWriter& out) {
  const EntryNumbers::Shape shape = database.EntryShape();
  // The file's entries are all of one size. Each is checked as it is
  // written, and one out of shape fails the save: the caller then keeps the
  // file it had. An entry's bytes go into the chunk at once, unless its sets
  // hold more numbers than a chunk.
  const auto entryBytes = static_cast<size_t>(shape.TotalNumbers());
  const bool fitsChunk = entryBytes <= kWriteChunk;
  ChunkedOutput file(out);
  file.I32(database.NumberSets.size());
  for (const auto& set : database.NumberSets) {
    file.I32(set.NumberCount);
    file.I32(set.SecondaryCount);
    file.I32(set.HighestNumber);
    file.I32(set.LowestNumber);
    file.U8(set.OwnPool);
    file.U8(set.AuxFlag);
  }
  file.I32(database.Entries.size());
  const int32_t setTotal = shape.SetCount();
  for (const auto& entry : database.Entries) {
    if (entry.Numbers.size() != setTotal) return false;
    uint8_t* at = fitsChunk ? file.Room(entryBytes) : nullptr;
    for (int32_t s = 0; s < setTotal; ++s) {
      const std::span<const int8_t> numbers = entry.Numbers[s];
      if (numbers.size() != static_cast<size_t>(shape.Count(s))) return false;
      if (at == nullptr)
        file.Bytes(numbers.data(), numbers.size());
      else
        for (const int8_t n : numbers) *at++ = static_cast<uint8_t>(n);
    }
  }
  return file.Finish();
}

std::vector<uint8_t> Sl5Bytes(const TZUN_User_Lotto_DBase& database) {
  MemoryWriter out;
  if (!WriteSl5(database, out)) throw std::logic_error("entries do not have the shape of their number sets");
  return std::move(out.bytes);
}

bool TZUN_User_Lotto_DBase::SaveToFile(FileSystem& files, const std::string& path) const {
  OperationScope operation(codes::kUserDbSaveToFile);
  bool saved = false;
  try {
    const std::unique_ptr<FileWriter> out = files.BeginReplace(path);
    saved = out != nullptr && WriteSl5(*this, *out) && out->Commit();
  } catch (const std::bad_alloc&) {
    saved = false;
  }
  if (!saved) operation.Failed();  // the caller reports the write
  return saved;
}

bool TZUN_User_Lotto_DBase::LoadFromFile(FileSystem& files, bool headerOnly, const std::string& path) {
  OperationScope operation(codes::kUserDbLoadFromFile);
  bool outOfMemory = false;
  const bool loaded = ReadFromFile(files, headerOnly, path, outOfMemory);
  if (!loaded) operation.Failed();  // the caller reports the read, naming the step that broke off
  return loaded;
}

bool TZUN_User_Lotto_DBase::LoadFromFile(FileSystem& files, const std::string& path, bool& outOfMemory) {
  OperationScope operation(codes::kUserDbLoadFromFile);
  outOfMemory = false;
  const bool loaded = ReadFromFile(files, false, path, outOfMemory);
  if (!loaded) operation.Failed();
  return loaded;
}

bool TZUN_User_Lotto_DBase::AppendFromFile(FileSystem& files, const std::string& path) {
  OperationScope operation(codes::kUserDbLoadFromFile);
  std::vector<uint8_t> bytes;
  bool appended = false;
  try {
    appended = files.ReadFile(path, bytes) && AppendSl5(*this, bytes, FileNameOf(path));
  } catch (const std::bad_alloc&) {
  }
  if (!appended) operation.Failed();
  return appended;
}

bool TZUN_User_Lotto_DBase::ReadFromFile(FileSystem& files, bool headerOnly, const std::string& path,
                                         bool& outOfMemory) {
  std::vector<uint8_t> bytes;
  try {
    // A header is checked from the file's start alone (the Reopen menu
    // checks fifteen files each time it opens); only a header longer than
    // that start makes the whole file be read.
    if (headerOnly) {
      if (!files.ReadFileStart(path, kSl5HeaderReadBytes, bytes)) return false;
      const bool parsed = ParseSl5(*this, bytes, true, FileNameOf(path));
      if (parsed || bytes.size() < kSl5HeaderReadBytes) return parsed;
    }
    if (!files.ReadFile(path, bytes)) return false;
  } catch (const std::bad_alloc&) {
    outOfMemory = true;
    return false;
  }
  try {
    return ParseSl5(*this, bytes, headerOnly, FileNameOf(path));
  } catch (const std::bad_alloc&) {
    // Out of memory half way: give the memory back to the host rather than
    // keep a database that could not be read whole.
    Entries.clear();
    outOfMemory = true;
    return false;
  }
}

}  // namespace zun
