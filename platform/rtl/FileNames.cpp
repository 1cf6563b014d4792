#include "platform/rtl/FileNames.h"

bool IsDeviceName(const std::string& element) {
  std::string stem = element.substr(0, element.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.pop_back();
  for (char& c : stem)
    if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
  if (stem == "CON" || stem == "PRN" || stem == "AUX" || stem == "NUL") return true;
  // The system takes the superscripts 1, 2 and 3 (0xB9, 0xB2, 0xB3) for digits here too.
  return stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) &&
         ((stem[3] >= '1' && stem[3] <= '9') || stem[3] == '\xB9' || stem[3] == '\xB2' ||
          stem[3] == '\xB3');
}

bool IsForbiddenNameChar(char c) {
  return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == '"' || c == '|' ||
         c == '?' || c == '*';
}

bool IsPlainNameElement(const std::string& element) {
  if (element.empty() || element.back() == '.' || element.back() == ' ') return false;
  for (char c : element)
    if (IsForbiddenNameChar(c)) return false;
  return !IsDeviceName(element);
}
