#include "platform/rtl/Strings.h"

#include "platform/os/WinConst.h"

#include <vector>

std::string Format(const std::string& format, std::initializer_list<TFormatArg> args) {
  std::string out;
  auto next = args.begin();
  for (size_t i = 0; i < format.size(); ++i) {
    char c = format[i];
    if (c != '%' || i + 1 == format.size()) {
      out += c;
      continue;
    }
    char conversion = format[++i];
    if (conversion == '%') {
      out += '%';
    } else if (conversion == 's' || conversion == 'd') {
      if (next != args.end()) out += (next++)->Text;
    } else {
      out += '%';
      out += conversion;
    }
  }
  return out;
}

std::string IntToStr(int64_t value) {
  return std::to_string(value);
}

std::string AnsiUpperCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) Sys().CharUpperBuffA(&r[0], uint32_t(r.size()));
  return r;
}

std::string AnsiLowerCase(const std::string& s) {
  std::string r = s;
  if (!r.empty()) Sys().CharLowerBuffA(&r[0], uint32_t(r.size()));
  return r;
}

std::string AnsiLowerCaseFileName(const std::string& s) {
  if (Sys().GetSystemMetrics(SM_DBCSENABLED) == 0) return AnsiLowerCase(s);
  std::string r = s;
  for (size_t i = 0; i < r.size(); ++i) {
    if (Sys().IsDBCSLeadByte(uint8_t(r[i]))) {
      ++i;
    } else if (r[i] >= 'A' && r[i] <= 'Z') {
      r[i] = char(r[i] + 32);
    }
  }
  return r;
}

int AnsiCompareText(const std::string& a, const std::string& b) {
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a, b) - CSTR_EQUAL;
}

int AnsiCompareStr(const std::string& a, const std::string& b) {
  return Sys().CompareStringA(LOCALE_USER_DEFAULT, 0, a, b) - CSTR_EQUAL;
}

std::u16string WideFrom1252(const std::string& s) {
  return Sys().MultiByteToWideChar(1252, MB_PRECOMPOSED, s);
}

std::u16string WideFromAnsi(const std::string& s) {
  return Sys().MultiByteToWideChar(CP_ACP, 0, s);
}

std::string ExtractFilePath(const std::string& path) {
  size_t p = path.find_last_of("\\:");
  return p == std::string::npos ? std::string() : path.substr(0, p + 1);
}

std::string ExtractFileName(const std::string& path) {
  size_t p = path.find_last_of("\\:");
  return p == std::string::npos ? path : path.substr(p + 1);
}

namespace {
std::vector<std::string> Params() {
  std::vector<std::string> out;
  std::string line = Sys().GetCommandLineA();
  size_t i = 0;
  while (true) {
    while (i < line.size() && uint8_t(line[i]) <= ' ') ++i;
    if (i >= line.size()) break;
    std::string param;
    bool quoted = false;
    while (i < line.size() && (quoted || uint8_t(line[i]) > ' ')) {
      if (line[i] == '"')
        quoted = !quoted;
      else
        param += line[i];
      ++i;
    }
    out.push_back(param);
  }
  return out;
}
} // namespace

int ParamCount() {
  int n = int(Params().size()) - 1;
  return n < 0 ? 0 : n;
}

std::string ParamStr(int index) {
  std::vector<std::string> p = Params();
  return index >= 0 && size_t(index) < p.size() ? p[size_t(index)] : std::string();
}
