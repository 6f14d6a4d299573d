#pragma once

// The layout of the message dialog, computed from the measured text and the
// first button's size: the text beside the icon, the row of buttons centred
// below, the dialog as wide as the text or the row of buttons needs.

#include <cstdint>
#include <vector>

namespace zun {

struct MessageLayoutInput {
  int textWidth = 0;   // the label's client size: the measured text
  int textHeight = 0;
  int buttonCount = 1;
  int buttonWidth = 75;  // of the first button
  int buttonHeight = 25;
  uint8_t iconKind = 0;
  // The dialog's frame: outer size minus client size.
  int frameWidth = 0;
  int frameHeight = 0;
};

struct MessageLayout {
  int labelLeft = 0;
  int labelTop = 0;
  int iconLeft = 0;
  int iconTop = 0;
  bool paintsIcon = true;
  int panelLeft = 0;
  int panelTop = 0;
  int panelWidth = 0;
  int panelHeight = 0;
  int outerWidth = 0;
  int outerHeight = 0;
  int clientWidth = 0;
  int clientHeight = 0;
  std::vector<int> buttonLefts;  // within the panel; every button at top 0
};

inline constexpr int kMessageIconSize = 32;
inline constexpr int kMessageIconLeft = 16;
inline constexpr int kMessageIconTop = 13;
inline constexpr int kMessageLabelTop = 13;
inline constexpr int kMessageButtonGap = 5;

MessageLayout LayOutMessage(const MessageLayoutInput& in);

// The picture painted for an icon kind: kinds 0 to 3 their own, kind 4 none
// (-1), any other kind picture 0.
int MessageIconImage(uint8_t iconKind);

}  // namespace zun
