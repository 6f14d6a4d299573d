#include "host/message_layout.h"

#include <algorithm>

#include "platform/message_prompt.h"

namespace zun {

MessageLayout LayOutMessage(const MessageLayoutInput& in) {
  MessageLayout out;
  const int n = std::max(in.buttonCount, 0);
  out.iconLeft = kMessageIconLeft;
  out.iconTop = kMessageIconTop;
  out.paintsIcon = MessageIconImage(in.iconKind) >= 0;
  out.labelLeft = in.iconKind == kIconNone ? 25 : 64;
  out.labelTop = kMessageLabelTop;
  out.panelHeight = in.buttonHeight + 1;
  out.panelWidth = n * in.buttonWidth + std::max(n - 1, 0) * kMessageButtonGap;

  const int textExtent = out.labelLeft + in.textWidth + kMessageIconSize;
  out.outerWidth = textExtent > out.panelWidth ? textExtent : out.panelWidth + in.buttonWidth / 2;
  // A text just wider than the row of buttons would give a dialog whose
  // client area is narrower than the row (the frame takes the difference):
  // such a dialog gets the row's width plus half a button, like a short text.
  if (out.outerWidth - in.frameWidth < out.panelWidth) out.outerWidth = out.panelWidth + in.buttonWidth / 2;
  out.outerHeight = std::max(out.labelTop + in.textHeight, kMessageIconTop + kMessageIconSize) + out.panelHeight + 55;
  out.clientWidth = out.outerWidth - in.frameWidth;
  out.clientHeight = out.outerHeight - in.frameHeight;

  out.panelLeft = out.clientWidth / 2 - out.panelWidth / 2;
  out.panelTop = out.clientHeight - out.panelHeight - 13;
  for (int i = 0; i < n; ++i) out.buttonLefts.push_back(i * in.buttonWidth + i * kMessageButtonGap);
  return out;
}

int MessageIconImage(uint8_t iconKind) {
  if (iconKind == kIconNone) return -1;
  return iconKind <= 3 ? iconKind : 0;
}

}  // namespace zun
