#pragma once
// The folder and drive bitmaps of the folder and drive lists: 16 colours, the colour of the
// bottom-left pixel marking what is transparent.

#include "Files.h"

#include <string>

struct TNamedBitmap {
  const char* File;
  TBytes Bytes;
};

std::vector<TNamedBitmap> ControlBitmaps();
