#include "host/settings.h"

#include <cctype>
#include <limits>
#include <stdexcept>

#include "platform/profile_store.h"

namespace zun {
namespace {

constexpr const char kVisible[] = "Visible";
constexpr const char kHeight[] = "Height";
constexpr const char kWidth[] = "Width";
constexpr const char kTop[] = "Top";
constexpr const char kLeft[] = "Left";
constexpr const char kSelectionWidth[] = "SelectionWidth";
constexpr const char kCheckTop[] = "CheckTop";
constexpr const char kCheckLeft[] = "CheckLeft";
constexpr const char kCheckHeight[] = "CheckHeight";
constexpr const char kCheckWidth[] = "CheckWidth";

int32_t ReadInteger(ProfileStore& store, const SettingsLocation& where, const char* key, int32_t fallback) {
  std::string text;
  return store.ReadString(where.path, where.section, key, text) ? ParseSettingsInteger(text, fallback) : fallback;
}

void Write(ProfileStore& store, const SettingsLocation& where, const std::string& key, const std::string& value) {
  if (!store.WriteString(where.path, where.section, key, value))
    throw std::runtime_error("Cannot write the settings file \"" + where.path + "\"");
}

}  // namespace

SettingsLocation SettingsLocation::For(std::string_view hostFolder, std::string_view hostPrefix) {
  return {std::string(hostFolder) + "\\User_DBase_Builder.ini", std::string(hostPrefix) + "ZUN Plugins"};
}

std::string RecentFileKey(int position) { return "Fast Load " + std::to_string(position); }

int32_t ParseSettingsInteger(std::string_view text, int32_t fallback) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text[0] == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return fallback;
  int64_t value = 0;
  for (const char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return fallback;
    value = value * base + digit;
    if (value > int64_t{std::numeric_limits<uint32_t>::max()}) return fallback;
  }
  if (negative) value = -value;
  // Hexadecimal values may spell a negative number in two's complement.
  if (base == 16 && value > std::numeric_limits<int32_t>::max()) value -= int64_t{1} << 32;
  if (value > std::numeric_limits<int32_t>::max() || value < std::numeric_limits<int32_t>::min()) return fallback;
  return static_cast<int32_t>(value);
}

bool ReadVisible(ProfileStore& store, const SettingsLocation& where) noexcept {
  try {
    return ReadInteger(store, where, kVisible, 0) != 0;
  } catch (...) {
    return false;
  }
}

void LoadSettings(ProfileStore& store, const SettingsLocation& where, WindowGeometry& geometry,
                  RecentFileList& recentFiles) {
  geometry.Height = ReadInteger(store, where, kHeight, geometry.Height);
  geometry.Width = ReadInteger(store, where, kWidth, geometry.Width);
  geometry.Top = ReadInteger(store, where, kTop, geometry.Top);
  geometry.Left = ReadInteger(store, where, kLeft, geometry.Left);
  geometry.SelectionWidth = ReadInteger(store, where, kSelectionWidth, geometry.SelectionWidth);
  for (int position = 1; position <= kRecentFileCount; ++position) {
    std::string path;
    recentFiles[position - 1] = store.ReadString(where.path, where.section, RecentFileKey(position), path) ? path : "";
  }
}

std::optional<WindowPlace> ReadCheckWindowPlace(ProfileStore& store, const SettingsLocation& where) noexcept {
  try {
    constexpr int32_t kMissing = std::numeric_limits<int32_t>::min();
    WindowPlace place;
    place.Top = ReadInteger(store, where, kCheckTop, kMissing);
    place.Left = ReadInteger(store, where, kCheckLeft, kMissing);
    place.Height = ReadInteger(store, where, kCheckHeight, kMissing);
    place.Width = ReadInteger(store, where, kCheckWidth, kMissing);
    if (place.Top == kMissing || place.Left == kMissing || place.Height <= 0 || place.Width <= 0) return std::nullopt;
    return place;
  } catch (...) {
    return std::nullopt;
  }
}

void SaveCheckWindowPlace(ProfileStore& store, const SettingsLocation& where, const WindowPlace& place) {
  Write(store, where, kCheckTop, std::to_string(place.Top));
  Write(store, where, kCheckLeft, std::to_string(place.Left));
  Write(store, where, kCheckHeight, std::to_string(place.Height));
  Write(store, where, kCheckWidth, std::to_string(place.Width));
}

void SaveSettings(ProfileStore& store, const SettingsLocation& where, bool visible, const WindowGeometry& geometry,
                  const RecentFileList& recentFiles) {
  Write(store, where, kVisible, visible ? "1" : "0");
  Write(store, where, kHeight, std::to_string(geometry.Height));
  Write(store, where, kWidth, std::to_string(geometry.Width));
  Write(store, where, kTop, std::to_string(geometry.Top));
  Write(store, where, kLeft, std::to_string(geometry.Left));
  Write(store, where, kSelectionWidth, std::to_string(geometry.SelectionWidth));
  for (int position = 1; position <= kRecentFileCount; ++position)
    Write(store, where, RecentFileKey(position), recentFiles[position - 1]);
}

}  // namespace zun
