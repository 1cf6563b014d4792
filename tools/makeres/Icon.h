#pragma once
// The product's icon: a cream page with ruled lines on a deep blue tile, crossed by a gold
// quill. Drawn afresh for each size, simpler at the small ones.

#include "Raster.h"

TRaster PaintIcon(int size);
