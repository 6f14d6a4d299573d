#include "win32/message_dialog.h"

#include <gtest/gtest.h>

#include "host/host_messages.h"
#include "support/win32_person.h"
#include "support/win32_waits.h"

namespace zun::win32 {
namespace {

using testing::DialogClicker;

const std::vector<int32_t> kYesNoCancel = {kResultYes, kResultNo, kResultCancel};
const std::vector<std::string> kYesNoCancelCaptions = {"&Yes", "&No", "&Cancel"};
const std::vector<int32_t> kOk = {kResultOk};
const std::vector<std::string> kOkCaption = {"&OK"};

TEST(MessageDialog, ReturnsTheResultOfTheButtonClicked) {
  MessageDialog dialog(nullptr);
  DialogClicker clicker(kMessageDialogClass, "&No");
  const int32_t result = dialog.ShowMessagePage("Your Database have not been saved, Save it Now?", "Confirm Save",
                                                kIconConfirmation, kYesNoCancel, kYesNoCancelCaptions);
  ASSERT_TRUE(clicker.Done());
  EXPECT_EQ(result, kResultNo);
  EXPECT_EQ(clicker.caption, "Confirm Save");
  EXPECT_EQ(clicker.text, "Your Database have not been saved, Save it Now?");
  EXPECT_EQ(clicker.buttons, kYesNoCancelCaptions);
  EXPECT_FALSE(IsWindowVisible(dialog.Handle())) << "hidden between calls";
}

TEST(MessageDialog, ClosingThroughTheSystemGivesCancel) {
  MessageDialog dialog(nullptr);
  DialogClicker clicker(kMessageDialogClass, "");
  EXPECT_EQ(dialog.ShowMessagePage("Clear current List of all Entries", "Confirm Clear", kIconConfirmation,
                                   kYesNoCancel, kYesNoCancelCaptions),
            kResultCancel);
}

TEST(MessageDialog, TakesTheSizeItsLayoutComputedFromTheMeasuredText) {
  MessageDialog dialog(nullptr);
  DialogClicker clicker(kMessageDialogClass, "&OK");
  dialog.ShowMessagePage("Error while opening an SL File.\rRef: ZUN User DBase Builder 001008\rPlease contact ZUN "
                         "Developer.",
                         "Error", kIconError, kOk, kOkCaption);
  ASSERT_TRUE(clicker.Done());
  const MessageLayout& layout = dialog.Layout();
  EXPECT_EQ(clicker.windowRect.right - clicker.windowRect.left, layout.outerWidth);
  EXPECT_EQ(clicker.windowRect.bottom - clicker.windowRect.top, layout.outerHeight);
  EXPECT_EQ(clicker.clientRect.right, layout.clientWidth) << "the frame the layout assumed is the real one";
  EXPECT_EQ(clicker.labelRect.left, 64);
  EXPECT_EQ(clicker.labelRect.top, 13);
  // One button: the dialog is exactly as wide as the text extent.
  EXPECT_EQ(layout.outerWidth, 64 + (clicker.labelRect.right - clicker.labelRect.left) + 32);
  EXPECT_EQ(layout.panelLeft, layout.clientWidth / 2 - 75 / 2) << "the button is centred";
}

TEST(MessageDialog, EachCarriageReturnStartsALineAndTheDialogGrows) {
  MessageDialog dialog(nullptr);
  int oneLineHeight = 0;
  {
    DialogClicker clicker(kMessageDialogClass, "&OK");
    dialog.ShowMessagePage("one line", "Error", kIconNone, kOk, kOkCaption);
    clicker.Done();
    oneLineHeight = clicker.labelRect.bottom - clicker.labelRect.top;
    EXPECT_EQ(clicker.labelRect.left, 25) << "kind 4 paints no icon and moves the text left";
  }
  DialogClicker clicker(kMessageDialogClass, "&OK");
  dialog.ShowMessagePage(std::string(50, 'x') + "\rtwo\rthree", "Error", kIconNone, kOk, kOkCaption);
  clicker.Done();
  EXPECT_EQ(clicker.labelRect.bottom - clicker.labelRect.top, 3 * oneLineHeight);
  EXPECT_EQ(clicker.text, std::string(50, 'x') + "\r\ntwo\r\nthree");
}

TEST(MessageDialog, EachCallHasOnlyItsOwnButtons) {
  MessageDialog dialog(nullptr);
  {
    DialogClicker clicker(kMessageDialogClass, "&Cancel");
    EXPECT_EQ(dialog.ShowMessagePage("three", "Confirm Save", kIconConfirmation, kYesNoCancel, kYesNoCancelCaptions),
              kResultCancel);
  }
  DialogClicker clicker(kMessageDialogClass, "&OK");
  EXPECT_EQ(dialog.ShowMessagePage("one", "Error", kIconError, kOk, kOkCaption), kResultOk);
  clicker.Done();
  EXPECT_EQ(clicker.buttons, kOkCaption);
  EXPECT_EQ(GetWindow(dialog.ButtonPanel(), GW_CHILD), nullptr) << "buttons are destroyed when the dialog closes";
}

TEST(MessageDialog, OtherWindowsAreDisabledOnlyWhileItIsOpen) {
  HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
  MessageDialog dialog(nullptr);
  bool enabledDuring = true;
  DialogClicker clicker(kMessageDialogClass, "&OK", [&](HWND) { enabledDuring = IsWindowEnabled(other) != FALSE; });
  dialog.ShowMessagePage("modal", "Error", kIconError, kOk, kOkCaption);
  ASSERT_TRUE(clicker.Done());
  EXPECT_FALSE(enabledDuring);
  EXPECT_TRUE(IsWindowEnabled(other));
  DestroyWindow(other);
}

TEST(MessageDialog, GivesActivationAndFocusBackToTheWindowTheUserWasIn) {
  // The host's window owns the dialog and is the one the system would
  // activate when it hides; the user was in the add-on's window, in a control.
  HWND host = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                              nullptr, nullptr);
  HWND addon = CreateWindowExA(0, "STATIC", "add-on", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 250, 0, 300, 200, host,
                               nullptr, nullptr, nullptr);
  HWND control = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 5, 5, 100, 20, addon, nullptr,
                                 nullptr, nullptr);
  SetForegroundWindow(addon);
  SetActiveWindow(addon);
  SetFocus(control);
  ASSERT_EQ(GetFocus(), control);
  MessageDialog dialog(host);
  for (const char* button : {"&Yes", "&No"}) {
    DialogClicker clicker(kMessageDialogClass, button);
    dialog.ShowMessagePage("Delete selected Entry?", "Confirm Deletion", kIconConfirmation, kYesNoCancel,
                           kYesNoCancelCaptions);
    ASSERT_TRUE(clicker.Done());
    testing::Pump();
    EXPECT_EQ(GetActiveWindow(), addon) << "after " << button;
    EXPECT_EQ(GetFocus(), control) << "after " << button;
  }
  DestroyWindow(addon);
  DestroyWindow(host);
}

}  // namespace
}  // namespace zun::win32
