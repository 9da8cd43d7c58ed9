// Scene fields of the radial and motion blur: switches, parameter values and render targets.
#pragma once

#include "effects/AdditiveLayer.h"
#include "effects/blur/CaptureTarget.h"
#include "effects/blur/RadialSum.h"
#include "effects/blur/RadialSumProgram.h"
#include "scene/Vec3.h"

// How a radial overlay adds up its copies: on the processor (software renderers: far cheaper
// than sampling the capture per copy and pixel), by the fragment program (graphics hardware), or
// blended one by one (where neither is available). Automatic picks by the renderer.
enum class RadialSumMethod : unsigned char { Automatic, Processor, Program, Blended };

// The values the "Blur Control" page and the keyframes tune; "New" restores them.
struct BlurParams {
    float radialBlurOn = 0;
    float blurOnClicks = 0;
    float radialBlurDensity = 0; // the overlay draws trunc(density + 25) copies
    float radialBlurFade = 0.2f;
    float radialBlurSeparation = 0;
    float radialBlurRed = 0, radialBlurGreen = 0, radialBlurBlue = 50; // hundredths
    Vec3 legacyBlurColour{0, 0, 1}; // overlay colour of older scenes, r, g, b 0-1 in x, y, z
    // 0 for a new scene; sequence files set it (<= 1: the colour above by version; >= 4: legacy).
    float blurColourMode = 0;
    // <= 1: the layer overlay is drawn inside the captures; >= 2: after the models.
    float blurAfterLayers = 0;

    float motionBlurOn = 0;
    float motionBlurDensity = 0; // captures per second = trunc(100 - density)
    float motionBlurFade = 0;
    float motionBlurTrim = 0; // hundredths
    float motionBlurStretchX = 0, motionBlurStretchY = 0;
    float blurSpare = 0; // keyed and written by playback, read by no effect

    // "Apply Blur to:" switches (>= 2: the captures redraw that layer) and their click counters.
    float blurText = 2, blurStars = 0, blurParticles = 0, blurFire = 0, blurModel = 0;
    float blurTextClicks = 1, blurStarsClicks = 0, blurParticlesClicks = 0, blurFireClicks = 0,
          blurModelClicks = 0;
};

struct BlurBlock : BlurParams {
    // Render targets, created once at start-up.
    unsigned radialBlurTexture = 0; // 512 x 512 luminance
    unsigned modelBlurTexture1 = 0, modelBlurTexture2 = 0, modelBlurTexture3 = 0; // 512 x 512
    unsigned motionBlurTexture = 0;                                               // 256 x 256 RGB
    // The framebuffers the captures draw into: 512 x 512 for the radial captures, the 256 x 256
    // motion square with a margin around it. Made when first needed.
    CaptureTarget radialCapture, motionCapture;
    OverlayTarget radialOverlaySum;
    RadialSumProgram radialSumProgram;
    RadialSumMethod radialSumMethod = RadialSumMethod::Automatic;
    std::vector<std::uint8_t> radialCaptureBytes; // the capture as the processor sums it
    RadialSumBuffers radialSumBuffers;
    // The single-sample pictures the fire adds up in (AdditiveLayer.h).
    AdditiveTargets additiveTargets;
    // The colour "Change Color" last chose (0xRRGGBB); its dialog starts from it.
    unsigned lastBlurColourChoice = 0;
};
