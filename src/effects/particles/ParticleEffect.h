// The particle layer as the rest of the program sees it: its keyable values, reset, loads and
// sequence reload.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kParticlePage;
extern const EffectDescriptor kParticleEffect;

// "Number of Particles" of the particle page: the count, kept within 0...kMaxParticles (10,000),
// and a rebuild request, so the next frame rebuilds the emitter with that many slots. Returns the
// count stored, for the edit to show.
int setParticleCount(CZoetraView& v, int count);

// The emitter's sprite: the TGA as colour file, mipmapped, then bound with linear filters; on
// success the emitter draws textured quads. A failed load leaves the emitter as it was.
bool loadParticleSprite(CZoetraView& v, const char* path);

// "Load Texture" of the particle page: the chosen sprite, marked as the user's for the sequence
// file under `recordedPath`. False when the file cannot be loaded.
bool loadUserParticleSprite(CZoetraView& v, const QString& path, const std::string& recordedPath);
