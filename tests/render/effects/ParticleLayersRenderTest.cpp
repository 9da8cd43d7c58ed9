// The particle fountain, the star spiral and the fire drawn headlessly, each layer alone: their
// defaults and variations against golden images, and the behaviour only a drawn frame shows
// (angles that lag a frame, the star count's bounds, the fire chain, fog, blur sources, the
// state each slot leaves).
#include "effects/fire/FireLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/stars/StarLayer.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"
#include "support/GlTestContext.h"
#include "support/GoldenImage.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kFrameWidth = 180;
constexpr int kFrameHeight = 120;

long inkCount(const QImage& frame, int threshold = 24) {
    long n = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb c = frame.pixel(x, y);
            n += qRed(c) + qGreen(c) + qBlue(c) > 3 * threshold ? 1 : 0;
        }
    return n;
}

class ParticleLayersRender : public GlTest {
  protected:
    ParticleLayersRender() : GlTest(kFrameWidth, kFrameHeight) {}
    void SetUp() override {
        GlTest::SetUp();
        if (HasFatalFailure()) return;
        target_.bind();
        csrand(1);
        initialiseScene(*view);
        view->viewportWidth = kFrameWidth;
        view->viewportHeight = kFrameHeight;
        setPerspective(kFrameWidth, kFrameHeight);
        view->textOn = 0;
        csrand(1);
    }

    QImage render(int frames = 1) {
        target_.bind();
        for (int i = 0; i < frames; ++i)
            composeFrame(*view);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return target_.readImage().convertToFormat(QImage::Format_RGB32);
    }

    // Lighting on, texturing, blending and fog off, depth writes on: what every slot leaves.
    static void expectSlotStateRestored() {
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_FALSE(glIsEnabled(GL_BLEND));
        EXPECT_FALSE(glIsEnabled(GL_FOG));
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_GEN_S));
        GLboolean depthWrites = GL_FALSE;
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
        EXPECT_EQ(depthWrites, GL_TRUE);
    }

    VirtualClock clock_;
    ClockOverride useClock_{clock_};
    std::unique_ptr<CZoetraView> view = makeScene();
};

} // namespace

TEST_F(ParticleLayersRender, StarsDefaultIsASpiralOfStarsInTheirOwnColours) {
    view->starsOn = 2;
    render(); // the first frame after start-up draws every star at angle 0
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "stars-default"));
    const QRect ink = inkBounds(frame);
    EXPECT_NEAR(ink.center().x(), kFrameWidth / 2, kFrameWidth / 8);
    EXPECT_GT(ink.height(), kFrameHeight / 2);
}

TEST_F(ParticleLayersRender, StarsInOneColourAreTheStarColour) {
    view->starsOn = 2;
    view->starSingleColour = 2;
    view->starAlphaFade = 128;
    render();
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "stars-single-colour"));
    const QRgb c = meanInk(frame, inkBounds(frame));
    EXPECT_GT(qRed(c), qGreen(c));
    EXPECT_GT(qGreen(c), qBlue(c));
}

TEST_F(ParticleLayersRender, StarAnglesLagOneFrameBehindTheDirection) {
    view->starsOn = 2;
    const QImage line = render(); // angles 0: every star on one radial line
    const QImage spiral = render();
    EXPECT_NE(line, spiral);
    view->starDirection = 0;
    EXPECT_EQ(render(), spiral); // still drawn with the angles of the last frame
    EXPECT_EQ(render(), line);
}

TEST_F(ParticleLayersRender, StarNumbersAreBoundedToTheTableAndFractionsDrawTheNextStar) {
    view->starsOn = 2;
    view->starDirection = 1; // a star's angle tells whether it was drawn
    for (Star& s : view->stars)
        s.angle = -1;
    view->starNumber = 2.5f;
    render();
    EXPECT_NE(view->stars[2].angle, -1);
    EXPECT_EQ(view->stars[3].angle, -1);

    view->starNumber = 1e9f;
    render();
    EXPECT_NE(view->stars[299].angle, -1);
    view->starNumber = 300;
    const QImage all = render();
    view->starNumber = 1e9f;
    EXPECT_EQ(render(), all);

    view->starNumber = -4;
    EXPECT_EQ(inkCount(render(), 1), 0);
    view->starNumber = 0;
    EXPECT_EQ(inkCount(render(), 1), 0);
}

TEST_F(ParticleLayersRender, StarAlphaFadeAtZeroBecomesOne) {
    view->starsOn = 2;
    view->starAlphaFade = 0;
    drawStars(*view);
    EXPECT_FLOAT_EQ(view->starAlphaFade, 1);
    expectSlotStateRestored();
}

TEST_F(ParticleLayersRender, StarsBlurSourceIsTheOwnColoursAtFullAlphaUnspun) {
    // The slot with each star's own colour, alpha 255 (a fade of 510, halved) and no spin...
    view->starsOn = 2;
    view->starAlphaFade = 510;
    render();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawStars(*view);
    const QImage slot = target_.readImage();
    // ... is what the blur source draws, whatever the colour mode, fade and spin.
    view->starSingleColour = 2;
    view->starAlphaFade = 20;
    view->starSpin = 45;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    drawStarsBlurSource(*view);
    expectSlotStateRestored();
    EXPECT_EQ(target_.readImage(), slot);
    EXPECT_GT(inkCount(slot), 200);
}

TEST_F(ParticleLayersRender, FireDefaultIsOneFlameRisingFromTheBottom) {
    view->fireOn = 2;
    const QImage frame = render(40);
    EXPECT_TRUE(matchesGolden(frame, "fire-default"));
    const QRect ink = inkBounds(frame);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_EQ(ink.bottom(), kFrameHeight - 1);
    EXPECT_NEAR(ink.center().x(), kFrameWidth / 2, 8);
    const QRgb c = meanInk(frame, ink);
    EXPECT_GT(qRed(c), qBlue(c));
    // One copy a frame, 15 time units each: two births a frame.
    int alive = 0;
    for (const FireParticle& p : view->fireSystem.particles)
        alive += p.alive;
    EXPECT_EQ(alive, 80);
    EXPECT_EQ(view->fireSystem.particles[0].age, 39 * 15);
}

TEST_F(ParticleLayersRender, FireWithTwentySixCopiesStepsThePoolOncePerCopy) {
    view->fireOn = 2;
    view->fireNumber = 0; // raised to 118: 26 copies
    view->fireLife = -104;
    view->fireDirection = 40;
    view->fireSpacing = -30;
    view->fireTilt = -60;
    render();
    EXPECT_FLOAT_EQ(view->fireNumber, 118);
    int alive = 0;
    for (const FireParticle& p : view->fireSystem.particles)
        alive += p.alive;
    EXPECT_EQ(alive, 26 * 2);
    EXPECT_FLOAT_EQ(view->fireCopies[25].copyAngle, 40 + 25 * 40 * 10 / 50.0f);
    EXPECT_FLOAT_EQ(view->fireCopies[27].copyAngle, 0);
    const QImage frame = render(5);
    EXPECT_TRUE(matchesGolden(frame, "fire-26-copies"));
    drawFire(*view);
    expectSlotStateRestored();
}

TEST_F(ParticleLayersRender, FireRampRisesOnlyInTheLiveComposer) {
    view->fireOn = 2;
    view->fireRampRequest = 2;
    render();
    EXPECT_FLOAT_EQ(view->fireLife, -209);
    // The radial capture's redraw raises a low number to 243 and keeps it in the block.
    view->fireNumber = 100;
    drawFireBlurSource(*view, true);
    EXPECT_FLOAT_EQ(view->fireNumber, 243);
    view->fireNumber = 100;
    drawFireBlurSource(*view, false);
    EXPECT_FLOAT_EQ(view->fireNumber, 118);
    EXPECT_FLOAT_EQ(view->fireLife, -209); // the redraws do not ramp
    expectSlotStateRestored();
}

TEST_F(ParticleLayersRender, ParticlesDefaultIsACloudOfSpritesAfterTheWarmUp) {
    view->particlesOn = 2;
    view->particleWarmUpRequest = 2; // as after loading a sequence
    const QImage frame = render();
    EXPECT_FLOAT_EQ(view->particleWarmUpRequest, 0);
    EXPECT_EQ(view->particleSystem.maxParticles, 800);
    EXPECT_TRUE(matchesGolden(frame, "particles-default"));
    const QRect ink = inkBounds(frame);
    EXPECT_NEAR(ink.center().x(), kFrameWidth / 2, 10);
    EXPECT_NEAR(ink.center().y(), kFrameHeight / 2, 10);
    EXPECT_GT(inkCount(frame), kFrameWidth * kFrameHeight / 10);
    drawParticles(*view);
    expectSlotStateRestored();
}

TEST_F(ParticleLayersRender, ParticlesWithoutASpriteAreDrawnAsPoints) {
    view->particlesOn = 2;
    view->particleSystem.textured = 0;
    view->particleWarmUpRequest = 2;
    view->particleSizeBase = 3; // points of about 3 x 5 x 0.42 pixels at birth
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "particles-points"));
    EXPECT_GT(inkCount(frame), 100);
    drawParticles(*view);
    expectSlotStateRestored();
}

TEST_F(ParticleLayersRender, ParticlesInMultiColourDieTowardsTheColourWheel) {
    view->particlesOn = 2;
    view->particleMultiColour = 2;
    view->particleMultiColourLevel = 600;
    view->particleColour = {150, 150, 150}; // born black
    view->particleWarmUpRequest = 2;
    const QImage frame = render(3);
    EXPECT_TRUE(matchesGolden(frame, "particles-multi-colour"));
    // Some particles are clearly green or blue, which the default colours never are.
    long greenOrBlue = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb c = frame.pixel(x, y);
            greenOrBlue += std::max(qGreen(c), qBlue(c)) > qRed(c) + 60 ? 1 : 0;
        }
    EXPECT_GT(greenOrBlue, 50);
}

TEST_F(ParticleLayersRender, FogEndAtZeroHidesTheParticlesOnlyForNewSequences) {
    view->particlesOn = 2;
    view->particleWarmUpRequest = 2;
    view->particleFogEnd = 0;
    EXPECT_EQ(inkCount(render(), 1), 0);
    view->sceneVersion = 5;
    EXPECT_GT(inkCount(render()), 100);
}

TEST_F(ParticleLayersRender, ParticlesBlurSourceStepsOnceMoreWithoutWarmUp) {
    view->particlesOn = 2;
    render();
    view->particleWarmUpRequest = 2;
    int before = 0;
    for (int i = 0; i < view->particleSystem.maxParticles; ++i)
        before += view->particleSystem.particles[i].alive;
    drawParticlesBlurSource(*view);
    int after = 0;
    for (int i = 0; i < view->particleSystem.maxParticles; ++i)
        after += view->particleSystem.particles[i].alive;
    EXPECT_EQ(after, before + 150); // one frame's births, not a warm-up
    EXPECT_FLOAT_EQ(view->particleWarmUpRequest, 2);
    expectSlotStateRestored();
}
