// The particle emitter without GL: births into free slots, ageing, the per-frame copy of the
// particle block, the warm-up, the count bound and the repeatability of a seeded run.
#include "effects/particles/ParticleSystem.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/particles/ParticleLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>
#include <vector>

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

// The draw `n` calls after seeding with `seed` (n = 1 is the first), as r in [0, 1].
float drawAfter(std::uint32_t seed, int n) {
    csrand(seed);
    int value = 0;
    for (int i = 0; i < n; ++i)
        value = crand();
    return float(value) / float(kCrandMax);
}

// A scene whose emitter is set up as the first frame sets it up, without drawing.
std::unique_ptr<CZoetraView> sceneWithEmitter() {
    auto v = makeScene();
    serveParticleRebuild(*v);
    copyParticleBlock(*v);
    return v;
}

std::vector<Vec3> positions(const ParticleSystem& ps) {
    std::vector<Vec3> out;
    for (int i = 0; i < ps.maxParticles; ++i)
        if (ps.particles[i].alive) out.push_back(ps.particles[i].position);
    return out;
}

Particle longLived() {
    Particle p;
    p.alive = 1;
    p.life = 1000;
    return p;
}

} // namespace

TEST(ParticleSystem, BirthsFillFreeSlotsInIndexOrderAndTheRestAreDropped) {
    auto ps = std::make_unique<ParticleSystem>();
    ASSERT_TRUE(ps->allocate(6));
    ps->particles[1] = longLived();
    ps->particles[3] = longLived();
    ps->emissionRate = 2; // two births in a step of 1
    ps->lifeMin = ps->lifeMax = 100;
    ps->step(1);
    const bool alive[6] = {true, true, true, true, false, false};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(ps->particles[i].alive == 1, alive[i]) << i;

    // Ten births due, two free slots: both filled, nothing kept for later.
    ps->emissionRate = 10;
    ps->step(1);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(ps->particles[i].alive, 1) << i;
    ps->emissionRate = 0;
    for (int i = 0; i < 6; ++i)
        ps->particles[i].life = 1000;
    ps->particles[5].alive = 0;
    ps->step(1);
    EXPECT_EQ(ps->particles[5].alive, 0);
}

TEST(ParticleSystem, ADyingParticleIsRebornInTheSameStepAndAdvancedByAFractionOfIt) {
    auto ps = std::make_unique<ParticleSystem>();
    ASSERT_TRUE(ps->allocate(1));
    ps->emissionRate = 2; // one birth in a step of 0.5
    ps->lifeMin = ps->lifeMax = 10;
    ps->particles[0] = longLived();
    ps->particles[0].life = 1;
    ps->particles[0].age = 0.9f;
    ps->particles[0].velocity = {1, 0, 0};
    ps->setDirection({2, 0, 0}, {0, 0, 0});
    ps->speedMin = ps->speedMax = 1;

    // One draw for the births, 17 for the birth, then the fraction of the step.
    const float fraction = drawAfter(99, 19);
    csrand(99);
    ps->step(0.5f);
    const Particle& p = ps->particles[0];
    EXPECT_EQ(p.alive, 1);
    EXPECT_FLOAT_EQ(p.life, 10);
    EXPECT_FLOAT_EQ(p.age, 0.5f * fraction);
    EXPECT_FLOAT_EQ(p.position.x, 2 * 0.5f * fraction); // the newborn's velocity, not the old
    EXPECT_LT(p.age, 0.5f);
}

TEST(ParticleSystem, BirthTakesItsDrawsInOrderAndALifeOfZeroLeavesTheSlotFree) {
    auto ps = std::make_unique<ParticleSystem>();
    ps->lifeMin = 1;
    ps->lifeMax = 3;
    ps->emitAtOrigin = 1;
    ps->setOrigin({5, 0, 0}, {1, 0, 0});
    ps->setColourStart({0, 0, 0}, {1, 1, 1});
    ps->setSize(2, 2, 4, 4);
    Particle p;
    csrand(5);
    ASSERT_TRUE(p.emitFrom(*ps));
    EXPECT_FLOAT_EQ(p.life, 1 + 2 * drawAfter(5, 1));
    EXPECT_FLOAT_EQ(p.position.x, 5 + (2 * drawAfter(5, 2) - 1));
    EXPECT_FLOAT_EQ(p.colour.x, drawAfter(5, 10));
    EXPECT_FLOAT_EQ(p.colour.z, p.colour.x); // one draw for all three channels
    EXPECT_FLOAT_EQ(p.sizeDelta, 2 / p.life);
    EXPECT_EQ(p.owner, ps.get());
    // The birth took 17 draws.
    const float next = drawAfter(5, 18);
    csrand(5);
    Particle q;
    q.emitFrom(*ps);
    EXPECT_FLOAT_EQ(float(crand()) / float(kCrandMax), next);

    ps->lifeMin = ps->lifeMax = 0;
    Particle free;
    free.position = {7, 7, 7};
    EXPECT_FALSE(free.emitFrom(*ps));
    EXPECT_EQ(free.alive, 0);
    EXPECT_EQ(free.position, Vec3(7, 7, 7));
}

TEST(ParticleSystem, AdvanceMovesWithTheNewVelocityAndFreesTheSlotAtTheEndOfLife) {
    Particle p = longLived();
    p.life = 3;
    p.acceleration = {0, 2, 0};
    p.spinAcceleration = 1;
    p.sizeDelta = -1;
    p.size = 5;
    p.advance(1);
    EXPECT_EQ(p.velocity, Vec3(0, 2, 0));
    EXPECT_EQ(p.position, Vec3(0, 2, 0));
    EXPECT_FLOAT_EQ(p.angle, 1);
    EXPECT_FLOAT_EQ(p.size, 4);
    p.advance(2); // age 3 reaches the life
    EXPECT_EQ(p.alive, 0);
    EXPECT_FLOAT_EQ(p.age, 0);
    EXPECT_EQ(p.position, Vec3(0, 2, 0));

    // An age that is no number (0 x infinity) ends the particle instead of keeping it forever.
    Particle q = longLived();
    q.advance(kNaN);
    EXPECT_EQ(q.alive, 0);
}

TEST(ParticleSystem, BirthsPerStepFollowRateTimeAndVariationWithinTheSlots) {
    auto ps = std::make_unique<ParticleSystem>();
    ps->allocate(800);
    ps->emissionRate = 300;
    EXPECT_EQ(ps->birthsFor(0.5f, 0.3f), 150); // the default frame
    EXPECT_EQ(ps->birthsFor(50, 0.3f), 800);   // the warm-up is held to the slots
    ps->emissionVariation = 1;
    EXPECT_EQ(ps->birthsFor(1, 1), 450);
    EXPECT_EQ(ps->birthsFor(1, 0), 150);
    EXPECT_EQ(ps->birthsFor(-1, 0.5f), 0);
    EXPECT_EQ(ps->birthsFor(kNaN, 0.5f), 0);
    EXPECT_EQ(ps->birthsFor(kInf, 0.5f), 800);
    EXPECT_EQ(ps->birthsFor(3e38f, 0.5f), 800);
}

TEST(ParticleSystem, ACountOutsideTheSlotsIsRefusedOrEmptyAndNeverBreaksTheEmitter) {
    auto ps = std::make_unique<ParticleSystem>();
    ASSERT_TRUE(ps->allocate(5));
    ps->particles[2] = longLived();
    EXPECT_FALSE(ps->allocate(kMaxParticles + 1));
    EXPECT_EQ(ps->maxParticles, 5);
    EXPECT_EQ(ps->particles[2].alive, 1); // the old array is kept as it was
    EXPECT_TRUE(ps->allocate(kMaxParticles));
    EXPECT_EQ(ps->particles[2].alive, 0); // a new array starts free
    EXPECT_TRUE(ps->allocate(-7));
    EXPECT_EQ(ps->maxParticles, 0);
    ps->emissionRate = 300;
    ps->step(1);
    EXPECT_TRUE(positions(*ps).empty());

    // The page's count edit keeps the count within the slots and asks for a rebuild.
    auto v = makeScene();
    v->particleRebuildRequest = 0;
    EXPECT_EQ(setParticleCount(*v, 2000000000), kMaxParticles);
    EXPECT_FLOAT_EQ(v->particleRebuildRequest, 2);
    EXPECT_EQ(setParticleCount(*v, -3), 0);
    EXPECT_EQ(setParticleCount(*v, 1234), 1234);

    // A count from a file that is too large keeps the 300 slots of the set-up.
    v->particleCount = 50000000;
    v->particleRebuildRequest = 2;
    serveParticleRebuild(*v);
    EXPECT_EQ(v->particleSystem.maxParticles, 300);
    EXPECT_FLOAT_EQ(v->particleRebuildRequest, 0);
}

TEST(ParticleSystem, TheFrameCopyFloorsLivesAndSetsTheRangesFromTheBlock) {
    auto v = makeScene();
    v->particleMaxAge = 0;
    v->particleMinAge = kNaN;
    v->particleColour = {150, 255, 0};
    copyParticleBlock(*v);
    const ParticleSystem& ps = v->particleSystem;
    EXPECT_FLOAT_EQ(v->particleMaxAge, 0.2f); // the block itself changes
    EXPECT_FLOAT_EQ(v->particleMinAge, 0.2f);
    EXPECT_FLOAT_EQ(ps.lifeMin, 0.2025f);
    EXPECT_FLOAT_EQ(ps.lifeMax, 0.2025f);
    v->particleMaxAge = 0.11f;
    copyParticleBlock(*v);
    EXPECT_FLOAT_EQ(v->particleMaxAge, 0.11f);

    EXPECT_NEAR(ps.colourStartA.x, 0, 1e-5); // 150 gives black, 255 gives 7
    EXPECT_FLOAT_EQ(ps.colourStartA.y, 7);
    EXPECT_FLOAT_EQ(ps.colourStartA.z, -10);
    EXPECT_FLOAT_EQ(ps.origin.x, 0.01f);
    EXPECT_FLOAT_EQ(ps.originSpread.z, 9.99f);
    EXPECT_FLOAT_EQ(ps.gravityMax, 0.02f);
    EXPECT_FLOAT_EQ(ps.alphaStartMin, 100);
    EXPECT_FLOAT_EQ(ps.sizeStartMin, 5);
    EXPECT_FLOAT_EQ(ps.sizeEndMax, 0.12f);
    EXPECT_FLOAT_EQ(ps.colourWheelBirths, 0);

    // "Multi Color" turns the wheel once in `level` births, while both are set.
    v->particleMultiColour = 2;
    v->particleMultiColourLevel = 600;
    copyParticleBlock(*v);
    EXPECT_FLOAT_EQ(ps.colourWheelBirths, 600);
    v->particleMultiColourLevel = 0; // Reset clears the level
    copyParticleBlock(*v);
    EXPECT_FLOAT_EQ(ps.colourWheelBirths, 0);
}

TEST(ParticleSystem, TheColourWheelGivesSuccessiveBirthsDifferentDeathColours) {
    auto ps = std::make_unique<ParticleSystem>();
    ps->setColourEnd({1, 1, 1}, {1, 1, 1});
    ps->colourWheelBirths = 6;
    std::vector<Vec3> deaths;
    for (int i = 0; i < 7; ++i) {
        Particle p;
        ASSERT_TRUE(p.emitFrom(*ps));
        deaths.push_back(p.colour + p.colourDelta * p.life);
    }
    auto near = [](Vec3 a, Vec3 b) {
        return std::fabs(a.x - b.x) < 1e-5f && std::fabs(a.y - b.y) < 1e-5f &&
               std::fabs(a.z - b.z) < 1e-5f;
    };
    EXPECT_TRUE(near(deaths[0], {1, 0, 0}));
    EXPECT_TRUE(near(deaths[1], {1, 1, 0}));
    EXPECT_TRUE(near(deaths[2], {0, 1, 0}));
    EXPECT_TRUE(near(deaths[4], {0, 0, 1}));
    EXPECT_TRUE(near(deaths[6], {1, 0, 0})); // one turn in six births
}

TEST(ParticleSystem, AWarmUpStepsByFiftyOnceThenTheFrameStepsBySpeedOverFifty) {
    auto warm = sceneWithEmitter();
    auto direct = sceneWithEmitter();
    warm->particleWarmUpRequest = 2;
    csrand(3);
    stepParticlesForFrame(*warm);
    csrand(3);
    direct->particleSystem.step(50);
    EXPECT_EQ(positions(warm->particleSystem), positions(direct->particleSystem));
    EXPECT_FALSE(positions(warm->particleSystem).empty());
    EXPECT_FLOAT_EQ(warm->particleWarmUpRequest, 0);

    csrand(4);
    stepParticlesForFrame(*warm);
    csrand(4);
    direct->particleSystem.step(0.5f); // speed 25 / 50
    EXPECT_EQ(positions(warm->particleSystem), positions(direct->particleSystem));
}

TEST(ParticleSystem, TheSameSeedGivesTheSameCloudRunAfterRun) {
    auto run = [](std::uint32_t seed) {
        auto v = sceneWithEmitter();
        csrand(seed);
        for (int frame = 0; frame < 120; ++frame) {
            copyParticleBlock(*v);
            stepParticlesForFrame(*v);
        }
        return positions(v->particleSystem);
    };
    const std::vector<Vec3> first = run(42);
    EXPECT_GT(first.size(), 500u); // 800 slots, lives of 50 to 100 frames
    EXPECT_EQ(run(42), first);
    EXPECT_NE(run(43), first);
}
