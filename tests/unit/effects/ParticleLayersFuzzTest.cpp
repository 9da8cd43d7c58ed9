// The particle, star and fire simulations fed random and extreme values for hundreds of frames:
// nothing crashes or hangs, the emitter never holds more than its slots, and once sane values
// return each layer works again.
#include "effects/fire/FireLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/stars/StarLayer.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"
#include "support/ScrambledLayers.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

int liveParticles(const ParticleSystem& ps) {
    int n = 0;
    for (int i = 0; i < ps.maxParticles; ++i)
        n += ps.particles[i].alive;
    return n;
}

// One frame of the three simulations, as their slots run them (without drawing).
void simulateFrame(CZoetraView& v) {
    serveParticleRebuild(v);
    copyParticleBlock(v);
    stepParticlesForFrame(v);
    if (v.fireNumber <= 116) v.fireNumber = 118;
    const int dt = fireTimeStep(v);
    for (int c = 1; c < kFireCopies && float(c) < 50 - v.fireNumber / 5; ++c)
        v.fireSystem.stepFire(dt, v);
    rampFireLife(v);
    for (int i = 0; i < kStarCount; ++i)
        updateStarAngle(v, i);
}

} // namespace

TEST(ParticleLayersFuzz, ExtremeBlocksForHundredsOfFramesStayBoundedAndRecover) {
    for (unsigned seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        auto v = makeScene();
        buildFirePool(*v);
        csrand(seed);
        ExtremeValues values(seed);
        for (int frame = 0; frame < 300; ++frame) {
            scrambleParticleLayers(*v, values);
            simulateFrame(*v);
            ASSERT_GE(v->particleSystem.maxParticles, 0);
            ASSERT_LE(v->particleSystem.maxParticles, kMaxParticles);
        }

        // Sane values again: the layers pick up where the bad values left them.
        kParticleEffect.reset(*v);
        kFireEffect.reset(*v);
        v->sceneVersion = 6;
        for (int frame = 0; frame < 120; ++frame)
            simulateFrame(*v);
        EXPECT_EQ(v->particleSystem.maxParticles, 800);
        EXPECT_GT(liveParticles(v->particleSystem), 400);
        for (int i = 0; i < v->particleSystem.maxParticles; ++i) {
            const Particle& p = v->particleSystem.particles[i];
            if (!p.alive) continue;
            ASSERT_TRUE(std::isfinite(p.position.x) && std::isfinite(p.life)) << i;
        }
        int flames = 0;
        for (const FireParticle& p : v->fireSystem.particles)
            flames += p.alive && std::isfinite(p.position.y);
        EXPECT_GT(flames, 0);
    }
}
