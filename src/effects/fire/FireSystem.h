// The fire particle pool and the chain of copies it is drawn along.
#pragma once

#include "scene/Vec3.h"

#include <cstdint>

constexpr int kFireParticles = 300;
constexpr int kFireCopies = 50;
constexpr int kFireMaxAge = 2000; // a particle dies on the step after its age passes this

struct FireParams;

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

    // Every particle dead, at rest, aged 0.
    void clear();
    // A new flame in `slot` at the block's spawn offset, with a random rise from its gravity
    // values and the block's colour (which then moves on when the colour cycles).
    void birth(int slot, FireParams& fire);
    // Advances the pool by dt time units: dead slots are refilled while dt / 10 exceeds the
    // births so far, flames older than 2000 die, every other slot moves and ages by dt. A dt of
    // 0 or below makes no births and runs the flames backwards.
    void stepFire(int dt, FireParams& fire);
    // Every live flame as a camera-facing quad two units across, fading with its age, in the
    // current GL state with `texture` bound.
    void drawFire(unsigned texture) const;
};

struct FireCopy {
    float copyDistance = 0; // never set
    float copyAngle = 0;    // degrees, recomputed every frame
};
