// Particle layer: the scene's set-up of the emitter, the per-frame copy of the particle block
// into it, and the particles slot.
#pragma once

class CZoetraView;
struct ParticleSystem;

// The emitter's fixed set-up, run at a rebuild request: 300 slots, rate 300, the colour-end,
// speed and spin ranges and the billboard mode the scene keeps, and first values of the ranges
// the per-frame copy overwrites.
void configureParticles(ParticleSystem& ps);

// The particle block into the emitter, as every frame does before it steps: birth box, gravity,
// direction, lives (raising ages at or below 0.1 to 0.2 in the block), colours, alpha, sizes and
// the "Multi Color" wheel.
void copyParticleBlock(CZoetraView& v);

// A pending rebuild request: `configureParticles`, then the block's count of slots.
void serveParticleRebuild(CZoetraView& v);

// The frame's step: by 50 time units at once while a warm-up is requested (a loaded sequence
// starts with a populated cloud), else by the particle speed / 50; the request is then cleared.
void stepParticlesForFrame(CZoetraView& v);

// The particles slot of both composers.
void drawParticles(CZoetraView& v);
// The particles again for a blur capture: stepped once more, without fog or warm-up.
void drawParticlesBlurSource(CZoetraView& v);
