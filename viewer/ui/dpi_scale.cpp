#include "dpi_scale.h"

static int64_t DivideRounded(int64_t numerator, int64_t denominator)
{
    const int64_t half = denominator / 2;
    return numerator >= 0 ? (numerator + half) / denominator : -((-numerator + half) / denominator);
}

int64_t ScaleForDpi(int64_t px96, uint32_t dpi)
{
    return RescaleForDpi(px96, DESIGN_DPI, dpi);
}

int64_t RescaleForDpi(int64_t px, uint32_t oldDpi, uint32_t newDpi)
{
    if (oldDpi == 0 || newDpi == 0 || oldDpi == newDpi)
        return px;
    // Sizes in use stay far below 2^40 pixels, and a DPI below 2^23: no overflow.
    return DivideRounded(px * (int64_t)newDpi, (int64_t)oldDpi);
}
