#pragma once

// Error reporting: every failure is appended to the log as a five-line
// record and shown in the message dialog with its reference code; then the
// busy cursor is cleared.

#include <string>
#include <string_view>

namespace zun {

class Clock;
class FileSystem;
class MessagePrompt;
class ScreenCursor;

// Switches the hourglass on or off; the screen cursor is set only when it
// is not already the wanted one.
void SetBusy(ScreenCursor& cursor, bool on);

class ErrorReporter {
 public:
  ErrorReporter(FileSystem& files, Clock& clock, MessagePrompt& prompt, ScreenCursor& cursor)
      : files_(files), clock_(clock), prompt_(prompt), cursor_(cursor) {}

  // HostFolder and HostPrefix, as the host passed them at start.
  void SetHost(std::string folder, std::string prefix) {
    folder_ = std::move(folder);
    prefix_ = std::move(prefix);
  }
  const std::string& HostFolder() const { return folder_; }
  const std::string& HostPrefix() const { return prefix_; }
  std::string LogPath() const { return folder_ + "\\zun.log"; }

  // Logs, shows and clears the busy cursor. A log that cannot be written
  // (or no host folder yet) never hides the dialog, and reports nothing
  // more: the failure being reported is the one that matters. Returns
  // whether the record was logged.
  bool ReportError(std::string_view message);

  // The five lines: prefix, date and time, message, "Ref: " and the code, empty.
  static std::string LogRecord(std::string_view prefix, std::string_view dateTime, std::string_view message,
                               std::string_view location);
  // The message, "Ref: " and the code, and the request to contact support.
  static std::string DialogText(std::string_view message, std::string_view location);

 private:
  FileSystem& files_;
  Clock& clock_;
  MessagePrompt& prompt_;
  ScreenCursor& cursor_;
  std::string folder_;
  std::string prefix_;
};

}  // namespace zun
