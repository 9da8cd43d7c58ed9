// Scene fields of the particle layer: its switches, parameter values and the emitter.
#pragma once

#include "effects/particles/ParticleSystem.h"
#include "scene/Vec3.h"

#include <string>

// The particle sprite loaded at start-up.
inline constexpr const char* kParticleSpritePath = "Particles/particle.tga";

// The values the "Particle Controls" page, the mouse and the keyframes tune; "New" restores them
// (except the fog end, which it keeps).
struct ParticleParams {
    float particlesOn = 0; // 2 once the page has been opened
    float particlesOnClicks = 0;

    Vec3 particleRotate{0, 0, 0}; // degrees
    Vec3 particlePosition{0, 0, 0};
    float particleGravitySpeedMax = 2;
    float particleGravityUpDown = 0;
    float particleGravitySpeedMin = 0; // shared by combo entries 2 and 3 ("Double Direction")
    float particleGravityLeftRight = 0;
    float particleGravityInOut = 0;
    Vec3 particleScale{10, 10, 10};
    Vec3 particleColour{122, 100, 135}; // r, g, b 0-255 in x, y, z
    float particleMaxAge = 50;
    float particleMinAge = 25;
    float particleSpeed = 25;
    Vec3 particleDirection1{0, 0, 0};
    Vec3 particleDirection2{0, 0, 0};
    float particleFogEnd = 360;

    int particleCount = 800;
    float particleSizeBase = 1.0f;
    Vec3 particleColourFloor{0, 0, 0};
    float particleRebuildRequest = 2; // >= 2: the next frame rebuilds the emitter
    float particleWarmUpRequest = 0;  // >= 2: the next frame steps the emitter by 50 at once
    float particleMultiColour = 0;
    float particleMultiColourLevel = 0;
    float particleMultiColourClicks = 0;
    float particleSpare = 0; // kept for the sequence file; nothing else reads it
};

struct ParticleBlock : ParticleParams {
    // Relative path of a user-chosen sprite ("Particles/..."), empty until one is chosen.
    std::string particleTextureName;
    // >= 2 once the user chose a sprite: a loaded sequence then reloads it.
    float particleTextureChosen = 0;

    ParticleSystem particleSystem;
};
