#pragma once
// The names of the sample product's files, in archive order, and what each one holds.

#include <string>
#include <vector>

enum class TSampleKind {
  Program,
  License,
  LanguageSettings,
  Lexicon,
  UserDictionary,
  WordCache,
  Hyphenation,
  Template,
  Clip,
  Picture,
  SoundScheme
};

struct TSampleName {
  std::string Name; // backslash-separated, as the archive stores it
  TSampleKind Kind;
  int Component; // the component whose files it is
};

const std::vector<TSampleName>& SampleNames();
