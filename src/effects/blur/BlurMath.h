// The numbers of the blur passes that follow from the scene's values, kept sane for any value a
// sequence file can carry (NaN, infinite, huge, negative).
#pragma once

#include "effects/DrawableValue.h"

#include <cmath>

// More copies than the sliders can ask for (density 360 gives 385) are not drawn: each copy is a
// full-screen quad.
constexpr int kMaxRadialCopies = 400;
// The motion capture may read this many pixels beside its 256 x 256 square (the stretch offsets);
// farther offsets are held at this distance.
constexpr int kMotionCaptureMargin = 64;
constexpr int kRadialCaptureSize = 512;
constexpr int kMotionCaptureSize = 256;
// Each further copy of a radial overlay samples this much further inside the capture.
constexpr float kRadialCopyStep = 0.02f;

inline float finiteOr(float value, float fallback) {
    return std::isfinite(value) ? value : fallback;
}

// Texture coordinates the overlays start from are held within this distance of the texture:
// farther ones only repeat the same picture, and the rasteriser slows down on huge ones.
constexpr float kMaxTextureShift = 64;

inline float textureShift(float value) {
    const float v = finiteOr(value, 0);
    return v > kMaxTextureShift ? kMaxTextureShift : v < -kMaxTextureShift ? -kMaxTextureShift : v;
}

// The radial overlay draws trunc(density + 25) copies: 25 with the default 0, none at -25 or
// below, none for NaN, at most kMaxRadialCopies.
inline int radialBlurCopies(float density) {
    const double copies = std::trunc(double(density) + 25.0);
    if (!(copies > 0)) return 0;
    return copies >= kMaxRadialCopies ? kMaxRadialCopies : int(copies);
}

// Motion captures per second: trunc(100 - density). A density of 100 or more is capped at 99
// in the scene, so at least one capture a second remains; NaN counts as 0.
inline float motionCaptureRate(float& density) {
    if (std::isnan(density)) density = 0;
    if (density >= 100) density = 99;
    return std::trunc(100.0f - density);
}

// The capture origin offset of a stretch value: trunc(value / 50) pixels, within the margin.
inline int motionStretchPixels(float stretch) {
    const float pixels = std::trunc(finiteOr(stretch, 0) / 50.0f);
    if (pixels > kMotionCaptureMargin) return kMotionCaptureMargin;
    if (pixels < -kMotionCaptureMargin) return -kMotionCaptureMargin;
    return int(pixels);
}

// The motion overlay's alpha: 0.9 - fade / 400, the fade first replaced by 1 when it is 0 or
// less (or not a number).
inline float motionOverlayAlpha(float& fade) {
    if (!(fade > 0)) fade = 1;
    return drawable(0.9f - fade / 400.0f);
}
