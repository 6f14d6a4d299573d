#pragma once

// The development host's scoped owners: the shared ones, and the host's own
// duty of finishing a shell drop.

#include <windows.h>

#include <shellapi.h>

#include "win32/scoped.h"

namespace zun::devhost {

using win32::Scoped;
using win32::SelectedObject;
using win32::UniqueAccelerators;
using win32::UniqueGdiObject;
using win32::UniqueHandle;
using win32::UniqueLibrary;
using win32::UniqueMemoryDc;
using win32::UniqueMenu;
using win32::UniqueView;
using win32::UniqueWindow;
using win32::WindowDc;

// The files of one WM_DROPFILES: the host owns the drop, so it finishes it
// once the add-on has looked at it.
class DropFinisher {
 public:
  explicit DropFinisher(HDROP drop) noexcept : drop_(drop) {}
  ~DropFinisher() {
    if (drop_ != nullptr) DragFinish(drop_);
  }
  DropFinisher(const DropFinisher&) = delete;
  DropFinisher& operator=(const DropFinisher&) = delete;

 private:
  HDROP drop_;
};

}  // namespace zun::devhost
