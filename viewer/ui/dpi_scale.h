// Pixel sizes drawn for 96 DPI, as they are at another DPI. No windows.h: the
// arithmetic is tested natively and shared with the pure layout code.
#pragma once
#include <cstdint>

// The DPI every hard-coded size in the programs was drawn for (100 %).
const uint32_t DESIGN_DPI = 96;

// px96 * dpi / 96, rounded half away from zero as MulDiv rounds; a dpi of 0
// (not known) counts as 96, so the size stays as drawn.
int64_t ScaleForDpi(int64_t px96, uint32_t dpi);

// A size already scaled for oldDpi, rescaled for newDpi (a window that moved
// to another monitor); either DPI 0 leaves it as it is.
int64_t RescaleForDpi(int64_t px, uint32_t oldDpi, uint32_t newDpi);
