#pragma once
// 8-bit strings in the Windows ANSI code page, and the class library's string functions.

#include <cstdint>
#include <initializer_list>
#include <string>

// One argument of Format: a string for %s or a number for %d.
class TFormatArg {
public:
  TFormatArg(const std::string& s) : Text(s), IsNumber(false) {}
  TFormatArg(const char* s) : Text(s), IsNumber(false) {}
  TFormatArg(int64_t n) : Text(std::to_string(n)), IsNumber(true) {}
  TFormatArg(int n) : TFormatArg(int64_t(n)) {}
  TFormatArg(uint32_t n) : TFormatArg(int64_t(n)) {}
  std::string Text;
  bool IsNumber;
};

// %s and %d take the next argument, %% is a percent sign; a missing argument reads as empty.
std::string Format(const std::string& format, std::initializer_list<TFormatArg> args);

std::string IntToStr(int64_t value);

// Case conversion and comparison through the system, in the user's locale.
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
// As file names are lowered: on double-byte code pages only A to Z, lead bytes skipped.
std::string AnsiLowerCaseFileName(const std::string& s);
int AnsiCompareText(const std::string& a, const std::string& b); // case ignored
int AnsiCompareStr(const std::string& a, const std::string& b);  // case kept

// UTF-16 from code page 1252, whatever the system's code page (MB_PRECOMPOSED).
std::u16string WideFrom1252(const std::string& s);
// UTF-16 from the system's ANSI code page.
std::u16string WideFromAnsi(const std::string& s);

// Everything up to and including the last backslash or colon.
std::string ExtractFilePath(const std::string& path);
// Everything after the last backslash or colon.
std::string ExtractFileName(const std::string& path);

// The command line's parameters, split as the class library does: blanks separate, double
// quotes group and are dropped. Parameter 0 is the program.
int ParamCount();
std::string ParamStr(int index);
