#include "host/error_reporter.h"

#include "base/error_location.h"
#include "base/texts.h"
#include "platform/clock.h"
#include "platform/file_system.h"
#include "platform/message_prompt.h"
#include "platform/screen_cursor.h"

namespace zun {

void SetBusy(ScreenCursor& cursor, bool on) {
  const int32_t wanted = on ? kCursorHourGlass : kCursorDefault;
  if (cursor.Get() != wanted) cursor.Set(wanted);
}

std::string ErrorReporter::LogRecord(std::string_view prefix, std::string_view dateTime, std::string_view message,
                                     std::string_view location) {
  std::string record;
  for (const std::string_view line : {prefix, dateTime, message}) {
    record += line;
    record += "\r\n";
  }
  record += texts::kReference;
  record += location;
  record += "\r\n\r\n";
  return record;
}

std::string ErrorReporter::DialogText(std::string_view message, std::string_view location) {
  std::string text(message);
  text += "\r";
  text += texts::kReference;
  text += location;
  text += "\r";
  text += texts::kContactDeveloper;
  return text;
}

bool ErrorReporter::ReportError(std::string_view message) {
  const std::string location = ErrorLocation;
  bool logged = false;
  try {
    // Before the host has named its folder there is no log to write to.
    if (!folder_.empty()) {
      const std::string record = LogRecord(prefix_, clock_.LocalDateTimeText(), message, location);
      logged = files_.AppendToFile(LogPath(), record.data(), record.size());
    }
  } catch (...) {
    logged = false;
  }
  prompt_.ShowOkMessage(DialogText(message, location), texts::dialog::kError, kIconError);
  SetBusy(cursor_, false);
  return logged;
}

}  // namespace zun
