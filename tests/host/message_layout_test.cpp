#include "host/message_layout.h"

#include <gtest/gtest.h>

#include "platform/message_prompt.h"

namespace zun {
namespace {

MessageLayoutInput Input(int textWidth, int textHeight, int buttons, uint8_t kind = kIconError) {
  MessageLayoutInput in;
  in.textWidth = textWidth;
  in.textHeight = textHeight;
  in.buttonCount = buttons;
  in.iconKind = kind;
  in.frameWidth = 6;
  in.frameHeight = 25;
  return in;
}

TEST(MessageLayout, ThreeButtonsAndANarrowTextTakeTheRowPlusHalfAButton) {
  const MessageLayout layout = LayOutMessage(Input(139, 13, 3, kIconConfirmation));
  EXPECT_EQ(layout.panelWidth, 235);
  EXPECT_EQ(layout.outerWidth, 235 + 37);
  EXPECT_EQ(layout.buttonLefts, (std::vector<int>{0, 80, 160}));
  EXPECT_EQ(layout.panelLeft, (272 - 6) / 2 - 235 / 2) << "the row is centred in the client area";
  // Once the row fits inside, the text decides the width.
  EXPECT_EQ(LayOutMessage(Input(160, 13, 3)).outerWidth, 64 + 160 + 32);
}

TEST(MessageLayout, ATextJustWiderThanTheButtonsNeverClipsThem) {
  // 140 pixels of text: the text extent (236) exceeds the row (235) but the
  // client area (236 - 6) would not hold it.
  const MessageLayout layout = LayOutMessage(Input(140, 13, 3));
  EXPECT_EQ(layout.outerWidth, 272);
  EXPECT_GE(layout.panelLeft, 0);
  EXPECT_LE(layout.panelLeft + layout.panelWidth, layout.clientWidth);
  for (int text = 100; text < 400; ++text) {
    const MessageLayout l = LayOutMessage(Input(text, 13, 3));
    ASSERT_LE(l.panelLeft + l.panelWidth, l.clientWidth) << text;
    ASSERT_GE(l.outerWidth, 64 + text + 32) << text;
  }
}

TEST(MessageLayout, OneButtonIsAlwaysNarrowerThanTheTextExtent) {
  const MessageLayout layout = LayOutMessage(Input(0, 13, 1));
  EXPECT_EQ(layout.outerWidth, 96);
  EXPECT_EQ(layout.panelWidth, 75);
  EXPECT_EQ(layout.panelHeight, 26);
  EXPECT_EQ(layout.panelLeft, (96 - 6) / 2 - 75 / 2);
}

TEST(MessageLayout, HeightFollowsTheTextOrTheIconWhicheverIsTaller) {
  const int oneLine = 13, threeLines = 39;
  EXPECT_EQ(LayOutMessage(Input(100, oneLine, 1)).outerHeight, 13 + 32 + 26 + 55) << "the icon is taller";
  const MessageLayout tall = LayOutMessage(Input(100, threeLines + 20, 1));
  EXPECT_EQ(tall.outerHeight, 13 + 59 + 26 + 55);
  EXPECT_EQ(tall.panelTop, tall.outerHeight - 25 - 26 - 13) << "13 pixels above the bottom of the client area";
}

TEST(MessageLayout, KindFourPaintsNoIconAndMovesTheTextLeft) {
  const MessageLayout none = LayOutMessage(Input(200, 13, 1, kIconNone));
  EXPECT_FALSE(none.paintsIcon);
  EXPECT_EQ(none.labelLeft, 25);
  EXPECT_EQ(none.outerWidth, 25 + 200 + 32);
  EXPECT_EQ(MessageIconImage(kIconError), 1);
  EXPECT_EQ(MessageIconImage(3), 3);
  EXPECT_EQ(MessageIconImage(9), 0) << "unknown kinds paint picture 0";
}

}  // namespace
}  // namespace zun
