// The particle emitter and its particle records, as plain data. The emitter owns a fixed array;
// `maxParticles` says how many of its slots are in use.
#pragma once

#include "scene/Vec3.h"

#include <cstdint>

// Slots in the emitter's array: the most particles the "Number of Particles" edit can ask for.
// A larger count leaves the emitter as it was.
constexpr int kMaxParticles = 10000;

struct ParticleSystem;

struct Particle {
    Vec3 position;
    Vec3 velocity;     // units per time unit
    Vec3 acceleration; // the gravity chosen at birth
    float angle = 0;   // rotation about the view axis, radians
    float spinRate = 0;
    float spinAcceleration = 0;
    float alpha = 0;
    float alphaDelta = 0;
    Vec3 colour;      // r, g, b in x, y, z
    Vec3 colourDelta; // per time unit
    float size = 0;
    float sizeDelta = 0;
    float life = 0; // time units the particle lives
    float age = 0;  // time units lived so far
    ParticleSystem* owner = nullptr;
    std::uint8_t alive = 0; // 1 while the particle lives, 0 when the slot is free
};

struct ParticleSystem {
    Vec3 origin, originSpread;
    Vec3 direction, directionSpread;
    float speedMin = 0, speedMax = 0;
    float spinMin = 0, spinMax = 0;
    float spinAccelMin = 0, spinAccelMax = 0;
    Vec3 gravityDirection;
    float gravityMin = 0, gravityMax = 0;
    float alphaStartMin = 0, alphaStartMax = 0, alphaEndMin = 1, alphaEndMax = 1;
    float sizeStartMin = 0, sizeStartMax = 0, sizeEndMin = 0, sizeEndMax = 0;
    Vec3 colourStartA, colourStartB; // r, g, b in x, y, z
    Vec3 colourEndA, colourEndB;
    float lifeMin = 1, lifeMax = 1;
    int billboardMode = 0;
    unsigned texture = 0;      // GL name of the emitter's own sprite (loaded from a TGA file)
    std::uint8_t textured = 0; // 1 once `texture` has loaded: quads; 0: GL points
    std::uint8_t emitAtOrigin = 0;
    int maxParticles = 0; // slots of `particles` in use
    int emissionRate = 0; // births per time unit
    float emissionVariation = 0;
    float pointSize = 0;
    Vec3 billboardRight, billboardUp;
    Particle particles[kMaxParticles]{};
};
