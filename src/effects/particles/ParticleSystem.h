// The particle emitter and its particle records. The emitter owns a fixed array of slots;
// `allocate` chooses how many of them are in use and frees them all.
#pragma once

#include "scene/Vec3.h"

#include <cstdint>

// Slots in the emitter's array: the most particles a count can ask for (about 1.1 MB of slots,
// drawn as that many immediate-mode quads per frame). A larger count leaves the emitter as it
// was.
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

    // Birth into this slot from the emitter's ranges; a drawn life of exactly 0 abandons it and
    // leaves the slot as it was. Returns whether the particle was born.
    bool emitFrom(ParticleSystem& emitter); // "emit", a word Qt keeps for itself
    // Ages the particle by dt and moves it (semi-implicit Euler); frees the slot once its age
    // reaches its life (or is no number at all).
    void advance(float dt);
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
    // Colour wheel: while above 0, every birth dies towards the next colour of a wheel that
    // turns once in this many births (the "Multi Color" button of the particle page).
    float colourWheelBirths = 0;
    std::uint32_t colourWheelCount = 0; // births on the wheel so far
    Particle particles[kMaxParticles]{};

    // `count` free slots (0 for a count of 0 or below). False, with the array and count left as
    // they were, for a count above kMaxParticles.
    bool allocate(int count);

    void setOrigin(Vec3 at, Vec3 spread);
    void setDirection(Vec3 towards, Vec3 spread);
    void setSpin(float min, float max);
    void setGravity(Vec3 towards, float min, float max);
    void setColourStart(Vec3 a, Vec3 b);
    void setColourEnd(Vec3 a, Vec3 b);
    void setAlpha(float startMin, float startMax, float endMin, float endMax);
    void setSize(float startMin, float startMax, float endMin, float endMax);

    // Advances every slot by dt and fills free slots with the births due in this step, in index
    // order; births beyond the free slots are dropped.
    void step(float dt);
    // Draws every live particle with the current GL state: camera-facing textured quads, or GL
    // points while no sprite has loaded.
    void draw();

    // The number of births a step of dt asks for, given the variation draw r (0...1); never
    // more than the slots in use, 0 for a step that is no number.
    int birthsFor(float dt, float r) const;
};
