#pragma once
// The names the packer accepts: relative paths the setup can write inside a target folder on
// any Windows file system, in code page 1252.

#include <optional>
#include <string>

// The name in code page 1252, from the UTF-8 the product folder's list is written in; none
// when a character has no code page 1252 form or the text is no UTF-8.
std::optional<std::string> Utf8To1252(const std::string& utf8);
std::string Cp1252ToUtf8(const std::string& cp1252);

// Upper case as Windows does it for code page 1252, so that names equal ignoring case on a
// Windows file system fold to the same text.
std::string FoldCase1252(const std::string& cp1252);

// Why the code page 1252 name cannot be installed safely; empty when it can.
std::string NameProblem(const std::string& cp1252);
