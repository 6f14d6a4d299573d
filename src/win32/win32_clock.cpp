#include "win32/win32_ports.h"

namespace zun::win32 {

std::string Win32Clock::LocalDateTimeText() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  char date[128] = {};
  char time[128] = {};
  GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, sizeof date);
  std::string text = date;
  // The time is left out at exactly midnight, as the date alone says it.
  if (now.wHour != 0 || now.wMinute != 0 || now.wSecond != 0) {
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &now, nullptr, time, sizeof time);
    text += ' ';
    text += time;
  }
  return text;
}

}  // namespace zun::win32
