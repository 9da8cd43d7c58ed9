// Scene fields of the star layer: its switches, parameter values and the star table.
#pragma once

#include "effects/stars/Star.h"

#include <string>

// The star sprite, loaded into both star slots at start-up.
inline constexpr const char* kStarTexturePath = "Particles/Star.bmp";

// The values the "Star Controls" page, the mouse and the keyframes tune; "New" restores them.
struct StarParams {
    float starsOn = 0;
    float starsOnClicks = 0;

    float starRotateX = 90; // tilt of the spiral, degrees
    float starRotateY = 0;
    float starRotateZ = 0;
    float starPanX = 0, starPanY = 0; // divided by 5 when drawn
    float starZoom = -35;             // divided by 3 when drawn
    float starDirection = 50;         // winding of the spiral
    float starSpacing = 0;
    float starSpin = 0; // sprite rotation, degrees
    float starNumber = 250;
    float starAlphaFade = 255;
    float starRed = 255, starGreen = 111, starBlue = 40;
    float starSingleColour = 0; // >= 2: one colour for all; <= 1: each star its own
    float starSingleColourClicks = 0;
};

struct StarBlock : StarParams {
    unsigned starTexture = 0;
    unsigned starTexture2 = 0; // second copy of the sprite, used by the particle layer

    std::string starTextureName; // relative path for the sequence file; empty until chosen

    // Laid out once at start-up; "New" and sequence loading keep it.
    Star stars[kStarCount]{};
};
