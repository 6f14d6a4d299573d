#include "host/file_dialog_text.h"

#include <cstring>

namespace zun {

std::string DialogFilter(const std::string& filter) {
  std::string converted = filter;
  for (char& c : converted)
    if (c == '|') c = '\0';
  converted.push_back('\0');
  converted.push_back('\0');
  return converted;
}

std::string DialogDefaultExtension(const std::string& extension) {
  const size_t dot = extension.find_last_of('.');
  return dot == std::string::npos ? extension : extension.substr(dot + 1);
}

std::vector<std::string> ChosenFiles(const char* buffer, size_t size) {
  std::vector<std::string> parts;
  size_t at = 0;
  while (at < size && buffer[at] != '\0') {
    const size_t length = strnlen(buffer + at, size - at);
    parts.emplace_back(buffer + at, length);
    at += length + 1;
  }
  if (parts.size() <= 1) return parts;  // one full path, or nothing
  std::string folder = parts.front();
  if (!folder.empty() && folder.back() != '\\') folder += '\\';
  std::vector<std::string> files;
  for (size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
  return files;
}

}  // namespace zun
