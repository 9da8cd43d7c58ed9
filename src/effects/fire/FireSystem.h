// The fire particle pool and the chain of copies it is drawn along, as plain data.
#pragma once

#include "scene/Vec3.h"

#include <cstdint>

constexpr int kFireParticles = 300;
constexpr int kFireCopies = 50;

struct FireParticle {
    Vec3 position;
    Vec3 velocity;   // units per time unit
    Vec3 fireColour; // birth colour 0-1, r, g, b in x, y, z
    int age = 0;     // the particle dies when it exceeds 2000
    std::uint8_t alive = 0;
};

struct FireSystem {
    int particleCount = kFireParticles;
    FireParticle particles[kFireParticles]{};
    Vec3 spawnOrigin{0, 0, 0};
};

struct FireCopy {
    float copyDistance = 0; // never set
    float copyAngle = 0;    // degrees, recomputed every frame
};
