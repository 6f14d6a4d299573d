#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "base/texts.h"

namespace zun {

// Dialog results the callers use.
inline constexpr int32_t kResultOk = 1;
inline constexpr int32_t kResultCancel = 2;
inline constexpr int32_t kResultYes = 6;
inline constexpr int32_t kResultNo = 7;

// Icon kinds of the message dialog.
inline constexpr uint8_t kIconError = 1;
inline constexpr uint8_t kIconInformation = 2;
inline constexpr uint8_t kIconConfirmation = 3;
inline constexpr uint8_t kIconNone = 4;

// The add-on's modal message dialog: a text, a caption, an icon kind and one
// button per result. Returns the result of the button that closed it, or
// kResultCancel when it was closed through the system.
class MessagePrompt {
 public:
  virtual ~MessagePrompt() = default;
  virtual int32_t ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                                  std::span<const int32_t> results, std::span<const std::string> buttons) = 0;

  // A message with one OK button.
  void ShowOkMessage(std::string_view text, std::string_view caption, uint8_t iconKind) {
    static const int32_t kResults[] = {kResultOk};
    static const std::string kButtons[] = {texts::dialog::kOk};
    ShowMessagePage(text, caption, iconKind, kResults, kButtons);
  }
};

}  // namespace zun
