#pragma once
// The committed resources/logo.png, compiled into the test program by the build.

#include <cstddef>

extern const unsigned char LogoPng[];
extern const size_t LogoPngSize;
