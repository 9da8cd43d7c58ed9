// The fire pool without GL: births per step, running backwards, the end of a flame's life, the
// birth's draws and colour cycle, the time step of the chain and the live ramp.
#include "effects/fire/FireSystem.h"
#include "effects/fire/FireLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <memory>

namespace {

int liveCount(const FireSystem& fire) {
    int n = 0;
    for (const FireParticle& p : fire.particles)
        n += p.alive;
    return n;
}

std::unique_ptr<CZoetraView> sceneWithPool() {
    auto v = makeScene();
    buildFirePool(*v);
    csrand(1);
    return v;
}

} // namespace

TEST(FireSystem, BirthsPerStepAreTheStepOverTenRoundedUp) {
    auto v = sceneWithPool();
    v->fireSystem.stepFire(15, *v); // 1.5 > 0 and 1.5 > 1
    EXPECT_EQ(liveCount(v->fireSystem), 2);
    v->fireSystem.stepFire(10, *v); // 1.0 > 0 but not > 1
    EXPECT_EQ(liveCount(v->fireSystem), 3);
    v->fireSystem.stepFire(0, *v);
    EXPECT_EQ(liveCount(v->fireSystem), 3);
    // Births fill the lowest dead slots; a newborn is not moved in the step that made it.
    EXPECT_EQ(v->fireSystem.particles[2].alive, 1);
    EXPECT_EQ(v->fireSystem.particles[2].age, 0);
    EXPECT_EQ(v->fireSystem.particles[0].age, 10);
    v->fireSystem.stepFire(100000, *v); // at most one birth per slot
    EXPECT_EQ(liveCount(v->fireSystem), kFireParticles);
}

TEST(FireSystem, ANegativeStepMakesNoFlamesAndSinksTheOnesThereBack) {
    auto v = sceneWithPool();
    v->fireNumber = 118; // with the default life: dt = -110
    EXPECT_EQ(fireTimeStep(*v), -110);
    v->fireSystem.stepFire(15, *v);
    v->fireSystem.stepFire(15, *v);
    const FireParticle before = v->fireSystem.particles[0];
    ASSERT_GT(before.velocity.y, 0);
    v->fireSystem.stepFire(-110, *v);
    EXPECT_EQ(liveCount(v->fireSystem), 4);
    const FireParticle& after = v->fireSystem.particles[0];
    EXPECT_EQ(after.age, before.age - 110);
    EXPECT_FLOAT_EQ(after.position.y, before.position.y - 110 * before.velocity.y);
    // Nothing dies while the step stays negative, however long.
    for (int i = 0; i < 1000; ++i)
        v->fireSystem.stepFire(-110, *v);
    EXPECT_EQ(liveCount(v->fireSystem), 4);
}

TEST(FireSystem, AFlameOfAgeTwoThousandStillMovesAndDiesOnTheNextStep) {
    auto v = sceneWithPool();
    v->fireSystem.stepFire(15, *v);
    FireParticle& p = v->fireSystem.particles[0];
    p.age = 2000;
    p.velocity = {0, 1, 0};
    p.position = {0, 0, 0};
    v->fireSystem.stepFire(5, *v); // 0.5 > 0: one birth, in slot 2
    EXPECT_EQ(p.alive, 1);
    EXPECT_EQ(p.age, 2005);
    EXPECT_FLOAT_EQ(p.position.y, 5);
    v->fireSystem.stepFire(0, *v);
    EXPECT_EQ(p.alive, 0);
    EXPECT_FLOAT_EQ(p.position.y, 5); // the dying step does not move it
}

TEST(FireSystem, BirthTakesThreeDrawsForTheRiseAndCyclesTheColour) {
    auto v = sceneWithPool();
    v->fireMoveX = 40;
    v->fireGravityX = 5000;
    v->fireGravityY = 5000;
    v->fireGravityZ = 5000;
    csrand(11);
    const int u1 = crand() % 1000, u2 = crand() % 1000, u3 = crand() % 1000;
    csrand(11);
    v->fireSystem.birth(0, *v);
    const FireParticle& p = v->fireSystem.particles[0];
    EXPECT_EQ(p.position, Vec3(1, 0, 0));
    EXPECT_FLOAT_EQ(p.velocity.x, float(u3) / 1000 - 0.0005f);
    EXPECT_FLOAT_EQ(p.velocity.y, float(u2) / 1000);
    EXPECT_FLOAT_EQ(p.velocity.z, float(u1) / 1000 - 0.0005f);
    EXPECT_FLOAT_EQ(p.fireColour.x, 107.0f / 255);
    EXPECT_FLOAT_EQ(v->fireRed, 107); // one colour without the cycle

    // With the cycle each channel moves on by its own step and wraps at 255 on its own.
    v->fireMultiColour = 2;
    v->fireRed = 254;
    v->fireGreen = 100;
    v->fireBlue = std::numeric_limits<float>::quiet_NaN();
    v->fireSystem.birth(1, *v);
    EXPECT_FLOAT_EQ(v->fireSystem.particles[1].fireColour.x, 254.0f / 255);
    EXPECT_FLOAT_EQ(v->fireRed, 0);
    EXPECT_FLOAT_EQ(v->fireGreen, 102.2f);
    EXPECT_FLOAT_EQ(v->fireBlue, 0);
}

TEST(FireSystem, TheTimeStepIsWholeAndBoundedWhateverTheValues) {
    auto v = sceneWithPool();
    EXPECT_EQ(fireTimeStep(*v), 15);
    v->fireLife = std::numeric_limits<float>::quiet_NaN();
    EXPECT_EQ(fireTimeStep(*v), 0);
    v->fireLife = 3e38f;
    const int huge = fireTimeStep(*v);
    EXPECT_GT(huge, 2000000000);
    // Ages saturate instead of wrapping round.
    v->fireSystem.stepFire(15, *v);
    v->fireSystem.particles[0].age = 0;
    v->fireSystem.stepFire(-2000000000, *v);
    v->fireSystem.stepFire(-2000000000, *v);
    EXPECT_EQ(v->fireSystem.particles[0].age, INT_MIN);
    EXPECT_EQ(v->fireSystem.particles[0].alive, 1);
}

TEST(FireSystem, TheRampRaisesALowLifeUntilItReachesMinusOne) {
    auto v = sceneWithPool();
    rampFireLife(*v);
    EXPECT_FLOAT_EQ(v->fireLife, -229); // no request, no ramp
    v->fireRampRequest = 2;
    rampFireLife(*v);
    EXPECT_FLOAT_EQ(v->fireLife, -209);
    rampFireLife(*v);
    rampFireLife(*v);
    EXPECT_FLOAT_EQ(v->fireLife, -169);
    rampFireLife(*v); // above -180: the life stays and so does the request
    EXPECT_FLOAT_EQ(v->fireLife, -169);
    EXPECT_FLOAT_EQ(v->fireRampRequest, 2);
    v->fireLife = 0;
    rampFireLife(*v);
    EXPECT_FLOAT_EQ(v->fireRampRequest, 0);
}
