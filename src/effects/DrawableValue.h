// Scene values made safe to hand to the rasteriser: NaN and infinities replaced, and values too
// small for a normal float flushed to 0 (the software rasteriser slows down on them per pixel).
#pragma once

#include <cmath>

inline float drawable(float value, float fallback = 0) {
    if (!std::isfinite(value)) return fallback;
    return std::fpclassify(value) == FP_SUBNORMAL ? 0.0f : value;
}
