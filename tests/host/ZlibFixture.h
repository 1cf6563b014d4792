#pragma once
// zlib streams made and read in tests with zlib itself, independently of compress/Zlib.

#include <string>

std::string Deflate(const std::string& raw, int level = 9);
// Raises std::runtime_error unless zlibData is a complete zlib stream.
std::string Inflate(const std::string& zlibData);
// A zlib header asking for a preset dictionary, its id and a little data.
extern const std::string PresetDictionaryStream;
