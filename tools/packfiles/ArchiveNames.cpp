#include "tools/packfiles/ArchiveNames.h"

#include "platform/os/sim/SimCodePages.h"
#include "platform/rtl/FileNames.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool DecodeUtf8(const std::string& s, std::vector<uint32_t>& out) {
  for (size_t i = 0; i < s.size();) {
    uint8_t c = uint8_t(s[i]);
    int extra = c < 0x80             ? 0
                : (c & 0xE0) == 0xC0 ? 1
                : (c & 0xF0) == 0xE0 ? 2
                : (c & 0xF8) == 0xF0 ? 3
                                     : -1;
    if (extra < 0 || s.size() - i <= size_t(extra)) return false;
    uint32_t cp = extra == 0 ? c : c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
      uint8_t t = uint8_t(s[i + size_t(k)]);
      if ((t & 0xC0) != 0x80) return false;
      cp = cp << 6 | (t & 0x3F);
    }
    static const uint32_t least[] = {0, 0x80, 0x800, 0x10000};
    if (cp < least[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    out.push_back(cp);
    i += size_t(extra) + 1;
  }
  return true;
}

void EncodeUtf8(uint32_t cp, std::string& out) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | cp >> 6);
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | cp >> 12);
    out += char(0x80 | (cp >> 6 & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

} // namespace

std::optional<std::string> Utf8To1252(const std::string& utf8) {
  std::vector<uint32_t> cps;
  if (!DecodeUtf8(utf8, cps)) return std::nullopt;
  std::string out;
  for (uint32_t cp : cps) {
    if (cp < 0x80) {
      out += char(cp);
      continue;
    }
    // The control characters 0x80 to 0x9F stand for the bytes the code page leaves undefined.
    const char16_t* high = std::find(kCp1252High, kCp1252High + 128, char16_t(cp));
    if (cp > 0xFFFF || (cp >= 0x80 && cp <= 0x9F) || high == kCp1252High + 128) return std::nullopt;
    out += char(0x80 + (high - kCp1252High));
  }
  return out;
}

std::string Cp1252ToUtf8(const std::string& cp1252) {
  std::string out;
  for (char ch : cp1252) {
    uint8_t c = uint8_t(ch);
    EncodeUtf8(c < 0x80 ? c : kCp1252High[c - 0x80], out);
  }
  return out;
}

std::string FoldCase1252(const std::string& cp1252) {
  std::string out = cp1252;
  for (char& ch : out) {
    uint8_t c = uint8_t(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7))
      c = uint8_t(c - 0x20);
    else if (c == 0x9A || c == 0x9C || c == 0x9E)
      c = uint8_t(c - 0x10);
    else if (c == 0xFF)
      c = 0x9F;
    ch = char(c);
  }
  return out;
}

std::string NameProblem(const std::string& name) {
  if (name.empty()) return "the name is empty";
  if (name.size() > 255) return "the name is longer than 255 bytes";
  if (name.find(':') != std::string::npos) return "the name has a drive";
  if (name[0] == '\\') return "the name begins with a backslash";
  if (name.find('/') != std::string::npos) return "the name has a forward slash";
  for (char ch : name)
    if (IsForbiddenNameChar(ch))
      return "the name has a character Windows does not allow in file names";
  size_t start = 0;
  while (true) {
    size_t end = name.find('\\', start);
    std::string element = name.substr(start, end == std::string::npos ? end : end - start);
    if (element.empty()) return "the name has an empty element";
    if (element == "." || element == "..") return "the name has a \".\" or \"..\" element";
    // Windows drops a trailing dot or blank, so the file would be written under another name.
    if (element.back() == '.' || element.back() == ' ')
      return "the name has an element that ends in a dot or a blank";
    if (IsDeviceName(element)) return "the name has a device name as an element";
    if (end == std::string::npos) return std::string();
    start = end + 1;
  }
}
