#pragma once
// The wizard's side banner: a deep-blue column with soft light, a written page and a quill.

#include "Canvas.h"

constexpr int LogoWidth = 120;
constexpr int LogoHeight = 260;

TCanvas PaintLogo();
