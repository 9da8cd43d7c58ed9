// Fills the particle, star and fire blocks with random and extreme values, as sequence files
// written anywhere may carry them, for the fuzz-style tests of those layers.
#pragma once

#include "effects/fire/FireEffect.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/stars/StarEffect.h"
#include "scene/CZoetraView.h"
#include "support/ExtremeValues.h"

// Each keyable value of the three layers, and the switches and requests a file or a page sets,
// changes with a chance of one in `oneIn`.
inline void scrambleParticleLayers(CZoetraView& v, ExtremeValues& values, unsigned oneIn = 4) {
    auto maybe = [&](float& field) {
        if (values.chance(oneIn)) field = values.real();
    };
    for (const EffectDescriptor* effect : {&kParticleEffect, &kStarEffect, &kFireEffect})
        for (const KeySlice& slice : effect->keys)
            for (const KeyField& key : slice.fields)
                maybe(key.value(v, 0));
    for (float* field :
         {&v.particleSizeBase, &v.particleColourFloor.x, &v.particleWarmUpRequest,
          &v.particleRebuildRequest, &v.particleMultiColour, &v.particleMultiColourLevel,
          &v.starSingleColour, &v.fireMultiColour, &v.fireRampRequest, &v.sceneVersion})
        maybe(*field);
    if (values.chance(oneIn)) v.particleCount = values.count(kMaxParticles);
}
