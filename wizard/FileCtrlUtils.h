#pragma once
// What the folder list and the drive list share: drive letters compared and lowered through
// the system's ANSI casing, and items whose object is a bitmap the control owns.

#include "platform/gui/Bitmap.h"
#include "platform/rtl/Strings.h"

#include <cstdint>
#include <memory>
#include <string>

// The width a row without a bitmap leaves for one.
constexpr int NoBitmapWidth = 16;

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

inline intptr_t ItemObject(const std::unique_ptr<TBitmap>& bitmap) {
  return reinterpret_cast<intptr_t>(bitmap.get());
}

inline const TBitmap* ItemBitmap(intptr_t object) {
  return reinterpret_cast<const TBitmap*>(object);
}
