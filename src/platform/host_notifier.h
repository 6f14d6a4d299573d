#pragma once

#include <string>

namespace zun {

// Tells the host that a user database file was written, so the host can
// pick it up (the Win32 side puts the path in the drag-and-drop record's
// TransferName and posts message 0x63A to the host). It is called only
// for a file that exists after the save. The default does nothing.
class HostNotifier {
 public:
  virtual ~HostNotifier() = default;
  virtual void DatabaseSaved(const std::string& /*path*/) {}
};

}  // namespace zun
