#pragma once

// The settings file "User_DBase_Builder.ini" in the host's folder: one
// section per host prefix, holding the window's geometry, the selection
// frame's width and the fifteen recent files.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zun {

class ProfileStore;

inline constexpr int kRecentFileCount = 15;

struct WindowGeometry {
  int32_t Top = 70;
  int32_t Left = 70;
  int32_t Height = 381;
  int32_t Width = 517;
  int32_t SelectionWidth = 150;
  friend bool operator==(const WindowGeometry&, const WindowGeometry&) = default;
};

using RecentFileList = std::array<std::string, kRecentFileCount>;

// Where a window of ours stands, as the screen counts (its outer rectangle).
struct WindowPlace {
  int32_t Top = 0;
  int32_t Left = 0;
  int32_t Height = 0;
  int32_t Width = 0;
  friend bool operator==(const WindowPlace&, const WindowPlace&) = default;
};

// Where the settings of one host live.
struct SettingsLocation {
  std::string path;     // HostFolder + "\User_DBase_Builder.ini"
  std::string section;  // HostPrefix + "ZUN Plugins"
  static SettingsLocation For(std::string_view hostFolder, std::string_view hostPrefix);
};

// "Fast Load " and the position, 1 to 15.
std::string RecentFileKey(int position);

// An integer as the settings file writes it: decimal with an optional sign,
// or hexadecimal after "$" or "0x"; anything else is `fallback`.
int32_t ParseSettingsInteger(std::string_view text, int32_t fallback);

// Whether the window was open when the add-on last closed. Never fails: a
// missing or unreadable file or a bad value reads as false.
bool ReadVisible(ProfileStore& store, const SettingsLocation& where) noexcept;

// Reads the geometry and the recent files. A missing or garbled geometry key
// keeps the value already in `geometry` (the defaults on a first run); a
// missing recent file is empty.
void LoadSettings(ProfileStore& store, const SettingsLocation& where, WindowGeometry& geometry,
                  RecentFileList& recentFiles);

// The check window's place ("CheckTop", "CheckLeft", "CheckHeight",
// "CheckWidth"): none when a key is missing or garbled, or the size is not
// positive. Never fails.
std::optional<WindowPlace> ReadCheckWindowPlace(ProfileStore& store, const SettingsLocation& where) noexcept;
// Throws std::runtime_error when the file cannot be written.
void SaveCheckWindowPlace(ProfileStore& store, const SettingsLocation& where, const WindowPlace& place);

// Writes "Visible", the geometry and all fifteen recent files in that order.
// Throws std::runtime_error when the file cannot be written.
void SaveSettings(ProfileStore& store, const SettingsLocation& where, bool visible, const WindowGeometry& geometry,
                  const RecentFileList& recentFiles);

}  // namespace zun
