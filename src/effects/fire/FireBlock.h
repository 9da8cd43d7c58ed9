// Scene fields of the fire layer: its switches, parameter values, the particle pool and the
// copy chain.
#pragma once

#include "effects/fire/FireSystem.h"

#include <string>

// The fire sprite loaded at start-up.
inline constexpr const char* kFireTexturePath = "Particles/Fire.bmp";

// The values sequence files and the keyframes set; "New" restores them. The layer has no page.
struct FireParams {
    float fireOn = 0;

    float fireGravityX = 0.01f, fireGravityY = 30, fireGravityZ = 0.01f;
    float fireMoveX = 0, fireMoveY = 0, fireMoveZ = 0; // spawn offset, divided by 40
    float fireLife = -229;
    float fireDirection = 0;
    float fireTilt = 0; // degrees
    float fireSpiral = 0;
    float fireSpacing = 0;
    float fireSpeed = 0;
    float fireNumber = 243;
    float fireRed = 107, fireGreen = 79, fireBlue = 49; // 0-255
    float fireMultiColour = 0;
    // Set to 2 when playback of a loaded sequence ends: the live slot then raises `fireLife`.
    float fireRampRequest = 0;
};

struct FireBlock : FireParams {
    unsigned fireTexture = 0;
    std::string fireTextureName; // relative path for the sequence file

    FireSystem fireSystem;
    FireCopy fireCopies[kFireCopies]{};
};
