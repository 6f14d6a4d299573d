#include "support/win32_person.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "support/win32_input.h"
#include "support/win32_waits.h"
#include "support/win32_windows.h"
#include "win32/window_text.h"

namespace zun::testing {
namespace {

bool IsButton(HWND window) { return _stricmp(ClassOf(window).c_str(), "Button") == 0; }

std::vector<HWND> ButtonsOf(HWND window) {
  std::vector<HWND> buttons;
  for (HWND child : Descendants(window))
    if (IsButton(child)) buttons.push_back(child);
  return buttons;
}

Seen Look(HWND window, const std::string& windowClass) {
  Seen seen;
  seen.windowClass = windowClass;
  seen.caption = win32::WindowText(window);
  GetWindowRect(window, &seen.windowRect);
  GetClientRect(window, &seen.clientRect);
  bool firstLabel = true;
  for (HWND child : Descendants(window)) {
    if (IsButton(child)) {
      seen.buttons.push_back(win32::WindowText(child));
    } else if (_stricmp(ClassOf(child).c_str(), "Static") == 0 && IsWindowVisible(child)) {
      if (!seen.text.empty()) seen.text += "|";
      seen.text += win32::WindowText(child);
      if (firstLabel) {
        GetWindowRect(child, &seen.labelRect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&seen.labelRect), 2);
        firstLabel = false;
      }
    }
  }
  return seen;
}

std::string MenuItemCaption(HMENU menu, int position) {
  char text[256] = {};
  GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
  const std::string caption = text;
  return caption.substr(0, caption.find('\t'));
}

}  // namespace

Person::Person(std::vector<Step> steps, int waitSeconds)
    : steps_(std::move(steps)), waitSeconds_(waitSeconds), thread_([this] { Run(); }) {}

Person::~Person() { Done(); }

void Person::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

bool Person::Done() {
  if (thread_.joinable()) thread_.join();
  if (!problem_.empty() && !reported_) {
    reported_ = true;
    ADD_FAILURE() << problem_;
  }
  return done_ == steps_.size();
}

const Seen& Person::At(size_t index) const {
  static const Seen none;
  return index < seen_.size() ? seen_[index] : none;
}

void Person::Run() {
  HWND previous = nullptr;
  std::vector<HWND> previousButtons;
  std::vector<HWND> menusBefore;  // the menus shown when the last step acted
  for (const Step& step : steps_) {
    const bool isMenu = step.windowClass == "#32768";
    const auto stillThere = [&] { return previous != nullptr && IsWindow(previous) && IsWindowVisible(previous); };
    HWND found = nullptr;
    const auto comes = [&] {
      found = nullptr;
      if (isMenu) {
        // A menu opened from the last one stands beside it; otherwise the
        // last one goes first (a menu closes one level at a time, and an
        // Escape sent on while the level before is closing is lost).
        for (HWND menu : VisibleTopLevels(step.windowClass))
          if (std::find(menusBefore.begin(), menusBefore.end(), menu) == menusBefore.end() ||
              (!stillThere() && menu != previous)) {
            found = menu;
            break;
          }
      } else if (!stillThere() || !std::all_of(previousButtons.begin(), previousButtons.end(),
                                               [](HWND b) { return IsWindow(b) != FALSE; })) {
        // The window acted on last has gone, or shows the next question:
        // the message dialog is one window shown again for each question,
        // its buttons made anew.
        found = VisibleTopLevel(step.windowClass);
      }
      return found != nullptr && UnpaintedPart(found) == nullptr;  // a person looks once it has painted
    };
    if (!PollUntil(comes, std::chrono::steady_clock::now() + std::chrono::seconds(waitSeconds_), &stop_)) {
      if (stop_) return;
      problem_ = "step " + std::to_string(done_ + 1) + " waited " + std::to_string(waitSeconds_) +
                 " s for a painted window of class " + step.windowClass;
      if (found != nullptr)
        problem_ +=
            "; \"" + win32::WindowText(found) + "\" shows, its " + ClassOf(UnpaintedPart(found)) + " not painted";
      return;
    }
    Seen seen = Look(found, step.windowClass);
    // Noted before acting: once answered, the next question may show in the
    // same window at once.
    previousButtons = ButtonsOf(found);
    menusBefore = VisibleTopLevels("#32768");
    const bool acted = step.act(found, seen);
    seen_.push_back(seen);
    if (!acted) {
      problem_ =
          "step " + std::to_string(done_ + 1) + " could not act on " + step.windowClass + " \"" + seen.caption + "\"";
      return;
    }
    ++done_;
    previous = found;
  }
}

Person::Step PressButton(std::string windowClass, std::string caption) {
  return {std::move(windowClass), [caption](HWND window, Seen&) {
            for (HWND child : Descendants(window))
              if (IsButton(child) && win32::WindowText(child) == caption) {
                SendMessageA(child, BM_CLICK, 0, 0);
                return true;
              }
            return false;
          }};
}

Person::Step TypeFileName(std::string name) {
  return {"#32770", [name](HWND dialog, Seen&) {
            if (name.empty()) {
              SendMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
              return true;
            }
            HWND edit = nullptr;
            for (int id : {0x480 /* edt1 */, 0x47C /* cmb13 */}) {
              HWND control = GetDlgItem(dialog, id);
              if (control == nullptr || !IsWindowVisible(control)) continue;
              edit = ClassOf(control) == "Edit" ? control : FindWindowExA(control, nullptr, "Edit", nullptr);
              if (edit != nullptr) break;
            }
            if (edit == nullptr) {
              for (HWND child : Descendants(dialog))
                if (ClassOf(child) == "Edit" && IsWindowVisible(child)) {
                  edit = child;
                  break;
                }
            }
            const HWND ok = GetDlgItem(dialog, IDOK);
            if (edit == nullptr || ok == nullptr) return false;
            SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
            SendMessageA(ok, BM_CLICK, 0, 0);
            return true;
          }};
}

Person::Step ChooseMenuItem(std::string caption, std::function<void()> first) {
  return {"#32768", [caption, first](HWND menuWindow, Seen& seen) {
            const auto menu = reinterpret_cast<HMENU>(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
            if (menu == nullptr) return false;
            int target = -1;
            for (int i = 0; i < GetMenuItemCount(menu); ++i) {
              MENUITEMINFOA info{};
              info.cbSize = sizeof info;
              info.fMask = MIIM_STATE | MIIM_BITMAP | MIIM_FTYPE;
              GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
              if ((info.fType & MFT_SEPARATOR) != 0) continue;
              const std::string text = MenuItemCaption(menu, i);
              seen.menuStates[text] = info.fState;
              seen.menuPictures[text] = info.hbmpItem != nullptr;
              if (text == caption) target = i;
            }
            if (first) first();
            RECT item{};
            if (caption.empty() || target < 0 || !GetMenuItemRect(nullptr, menu, static_cast<UINT>(target), &item)) {
              PostMessageA(menuWindow, WM_KEYDOWN, VK_ESCAPE, 0);
              return caption.empty();
            }
            Click({(item.left + item.right) / 2, (item.top + item.bottom) / 2});
            return true;
          }};
}

DialogClicker::DialogClicker(std::string windowClass, std::string button, std::function<void(HWND)> lookFirst)
    // Generous: on a fresh Wine prefix the first text a dialog draws builds
    // the font cache, which takes a while on a busy machine.
    : person_({{std::move(windowClass),
                [button = std::move(button), lookFirst = std::move(lookFirst)](HWND dialog, Seen& seen) {
                  if (lookFirst) lookFirst(dialog);
                  if (!button.empty()) return PressButton(seen.windowClass, button).act(dialog, seen);
                  PostMessageA(dialog, WM_CLOSE, 0, 0);
                  return true;
                }}},
              120) {}

bool DialogClicker::Done() {
  const bool clicked = person_.Done();
  const Seen& seen = person_.At(0);
  caption = seen.caption;
  text = seen.text;
  buttons = seen.buttons;
  windowRect = seen.windowRect;
  clientRect = seen.clientRect;
  labelRect = seen.labelRect;
  return clicked;
}

}  // namespace zun::testing
