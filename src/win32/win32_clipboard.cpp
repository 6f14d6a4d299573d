#include "win32/win32_clipboard.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>

namespace zun::win32 {
namespace {

// Closes the clipboard however the work in between ends.
struct ClipboardOpen {
  ~ClipboardOpen() { CloseClipboard(); }
};

// Keeps a global block locked while its text is read, whatever the reader throws.
class BlockLock {
 public:
  explicit BlockLock(HANDLE block) : block_(block), at_(GlobalLock(block)) {}
  ~BlockLock() {
    if (at_ != nullptr) GlobalUnlock(block_);
  }
  BlockLock(const BlockLock&) = delete;
  BlockLock& operator=(const BlockLock&) = delete;
  const void* At() const noexcept { return at_; }

 private:
  HANDLE block_;
  const void* at_;
};

bool SetData(UINT format, HGLOBAL block) {
  if (block == nullptr) return false;
  if (SetClipboardData(format, block) != nullptr) return true;  // the system owns it now
  GlobalFree(block);
  return false;
}

// The characters as the system's 8-bit code page, into `out`.
void Narrow(const wchar_t* text, size_t length, std::string& out) {
  out.clear();
  if (length == 0) return;
  const int size = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  out.resize(static_cast<size_t>(size));
  WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), out.data(), size, nullptr, nullptr);
}

bool IsBreak(wchar_t c) noexcept { return c == L'\n' || c == L'\r'; }

// Past the line break at `at` (CR LF, LF or a lone CR), if there is one.
size_t PastBreak(const wchar_t* text, size_t length, size_t at) noexcept {
  if (at < length && text[at] == L'\r') {
    ++at;
    if (at < length && text[at] == L'\n') ++at;
  } else if (at < length && text[at] == L'\n') {
    ++at;
  }
  return at;
}

// How many characters are turned into 8-bit text at once: a few whole lines,
// so that a huge clipboard is never held twice over.
constexpr size_t kChunk = size_t{1} << 16;

// Hands each line of the UTF-16 text to sink: whole lines are converted a
// chunk at a time; a line longer than a chunk is cut to one character more
// than a line may hold, and its rest skipped.
void SinkUtf16Lines(const wchar_t* text, size_t length, const LineSink& sink) {
  std::string chunk;
  size_t start = 0;
  while (start < length) {
    size_t end = std::min(length, start + kChunk);
    if (end < length) {
      size_t cut = end;
      while (cut > start && !IsBreak(text[cut - 1])) --cut;
      if (cut == start) {
        size_t lineEnd = end;
        while (lineEnd < length && !IsBreak(text[lineEnd])) ++lineEnd;
        Narrow(text + start, std::min(lineEnd - start, kMaxLineLength + 1), chunk);
        sink(chunk);
        start = PastBreak(text, length, lineEnd);
        continue;
      }
      // A CR LF is never split between two chunks (it would read as two breaks).
      if (text[cut - 1] == L'\r' && cut < length && text[cut] == L'\n') ++cut;
      end = cut;
    }
    Narrow(text + start, end - start, chunk);
    ForEachAnsiLine(chunk, sink);
    start = end;
  }
}

// A movable global block of `size` bytes that `fill` writes; null when
// memory runs out or fill fails.
template <class Fill>
HGLOBAL FilledBlock(size_t size, Fill&& fill) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
  if (block == nullptr) return nullptr;
  void* at = GlobalLock(block);
  const bool filled = at != nullptr && fill(at);
  if (at != nullptr) GlobalUnlock(block);
  if (filled) return block;
  GlobalFree(block);
  return nullptr;
}

}  // namespace

bool Win32Clipboard::Open() const {
  // Another program may hold it for a moment.
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner_ ? owner_() : nullptr)) return true;
    Sleep(10);
  }
  return false;
}

bool Win32Clipboard::PutText(std::string_view text) {
  if (text.size() >= static_cast<size_t>(INT_MAX)) return false;
  const int length = static_cast<int>(text.size());
  const int wide = length == 0 ? 0 : MultiByteToWideChar(CP_ACP, 0, text.data(), length, nullptr, 0);
  if (length > 0 && wide <= 0) return false;
  // Both texts are written straight into the blocks the system takes.
  HGLOBAL unicode = FilledBlock((static_cast<size_t>(wide) + 1) * sizeof(wchar_t), [&](void* at) {
    auto* chars = static_cast<wchar_t*>(at);
    if (wide > 0 && MultiByteToWideChar(CP_ACP, 0, text.data(), length, chars, wide) != wide) return false;
    chars[wide] = L'\0';
    return true;
  });
  HGLOBAL ansi = FilledBlock(text.size() + 1, [&](void* at) {
    std::memcpy(at, text.data(), text.size());
    static_cast<char*>(at)[text.size()] = '\0';
    return true;
  });
  if (unicode == nullptr || ansi == nullptr || !Open()) {
    if (unicode != nullptr) GlobalFree(unicode);
    if (ansi != nullptr) GlobalFree(ansi);
    return false;
  }
  const ClipboardOpen open;
  if (!EmptyClipboard()) {
    GlobalFree(unicode);
    GlobalFree(ansi);
    return false;
  }
  const bool unicodeSet = SetData(CF_UNICODETEXT, unicode);
  const bool ansiSet = SetData(CF_TEXT, ansi);
  return unicodeSet && ansiSet;
}

bool Win32Clipboard::ReadLines(const LineSink& sink) {
  if (!Open()) return false;
  const ClipboardOpen open;
  const bool unicode = IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
  if (!unicode && !IsClipboardFormatAvailable(CF_TEXT)) return false;
  HANDLE data = GetClipboardData(unicode ? CF_UNICODETEXT : CF_TEXT);
  if (data == nullptr) return false;
  const BlockLock lock(data);
  if (lock.At() == nullptr) return false;
  const size_t bytes = GlobalSize(data);
  if (unicode) {
    const auto* text = static_cast<const wchar_t*>(lock.At());
    const size_t length = std::find(text, text + bytes / sizeof(wchar_t), L'\0') - text;
    SinkUtf16Lines(text, length, sink);
  } else {
    const auto* text = static_cast<const char*>(lock.At());
    ForEachAnsiLine(std::string_view(text, std::find(text, text + bytes, '\0') - text), sink);
  }
  return true;
}

}  // namespace zun::win32
