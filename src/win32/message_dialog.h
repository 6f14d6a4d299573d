#pragma once

// The add-on's message dialog: every question and every error report goes
// through it. It sizes itself to the text and its buttons (the layout is
// computed by LayOutMessage), paints the icon of its kind, and creates its
// buttons for each call and destroys them when it closes.

#include <memory>
#include <string>
#include <vector>

#include "platform/message_prompt.h"
#include "host/host_messages.h"
#include "host/message_layout.h"
#include "win32/panel.h"
#include "win32/scoped.h"
#include "win32/window.h"

namespace zun::win32 {

class MessageDialog final : public Window, public MessagePrompt {
 public:
  // Created hidden, owned by the host's application window.
  explicit MessageDialog(HWND owner);

  int32_t ShowMessagePage(std::string_view text, std::string_view caption, uint8_t iconKind,
                          std::span<const int32_t> results, std::span<const std::string> buttons) override;

  // Whether a call is showing the dialog now.
  bool Running() const { return running_; }
  // Ends the call in progress as if the dialog were closed through the
  // system; its owner does this before letting the dialog go.
  void Abandon() { Finish(kResultCancel); }

  // What the last call laid out, for tests and for painting.
  const MessageLayout& Layout() const { return layout_; }
  HWND Label() const { return label_; }
  HWND ButtonPanel() const { return panel_->Handle(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void CreateButtons(std::span<const int32_t> results, std::span<const std::string> buttons);
  void DestroyButtons();
  void LayOut(const std::string& text);
  int32_t RunModal();
  void Finish(int32_t result);
  int FocusedButton() const;

  WindowPtr<Panel> panel_;
  HWND label_ = nullptr;
  UniqueImageList images_;
  uint8_t iconKind_ = 0;
  std::vector<HWND> buttons_;
  std::vector<int32_t> results_;
  MessageLayout layout_;
  int32_t modalResult_ = 0;
  bool finished_ = false;
  bool running_ = false;
};

// Lone carriage returns as line breaks the controls and DrawText show.
std::string WithLineBreaks(std::string_view text);

// The system's message box standing in for the dialog (a message while one
// is open, or no dialog at all): its first, second and third buttons give
// the caller's first, second and third results.
int32_t ShowSystemMessageBox(HWND owner, std::string_view text, std::string_view caption, uint8_t iconKind,
                             std::span<const int32_t> results);

}  // namespace zun::win32
