#pragma once
// Drive letters compared and lowered the way the folder and drive lists do, through the
// system's ANSI casing rather than ASCII only.

#include "platform/rtl/Strings.h"

#include <string>

inline char LowerLetter(char letter) {
  return AnsiLowerCase(std::string(1, letter))[0];
}

inline bool SameLetter(char a, char b) {
  return LowerLetter(a) == LowerLetter(b);
}

// The first character, or the character 0 for an empty string.
inline char FirstChar(const std::string& s) {
  return s.empty() ? '\0' : s[0];
}
