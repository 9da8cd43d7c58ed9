// The particle, star and fire slots and their blur-source redraws fed random and extreme values
// for hundreds of frames, with GL: no crash, no GL error, and stars and particles again once the
// values are sane.
#include "effects/fire/FireLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/stars/StarLayer.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"
#include "support/GlTestContext.h"
#include "support/GoldenImage.h"
#include "support/ScrambledLayers.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

class ParticleLayersFuzzRender : public GlTest {
  protected:
    ParticleLayersFuzzRender() : GlTest(64, 48) {}

    QImage drawLayer(void (*slot)(CZoetraView&)) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        slot(*view);
        return target_.readImage();
    }

    VirtualClock clock_;
    ClockOverride useClock_{clock_};
    std::unique_ptr<CZoetraView> view = makeScene();
};

} // namespace

TEST_F(ParticleLayersFuzzRender, ExtremeBlocksDrawSomethingOrNothingAndNeverFail) {
    target_.bind();
    csrand(1);
    initialiseScene(*view);
    setPerspective(64, 48);
    ExtremeValues values(77);
    for (int frame = 0; frame < 240; ++frame) {
        scrambleParticleLayers(*view, values);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawFire(*view);
        drawParticles(*view);
        drawStars(*view);
        if (frame % 8 == 0) {
            drawStarsBlurSource(*view);
            drawParticlesBlurSource(*view);
            drawFireBlurSource(*view, frame % 16 == 0);
        }
        ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "frame " << frame;
    }

    // Sane values again ("New" keeps the fog end, so it is set by hand): stars and particles
    // are back. (Flames that sank far back stay out of sight until their ages climb back: the
    // pool is never rebuilt.)
    kStarEffect.reset(*view);
    kParticleEffect.reset(*view);
    view->particleFogEnd = 360;
    view->sceneVersion = 6;
    view->particleWarmUpRequest = 2;
    drawStars(*view);
    EXPECT_FALSE(inkBounds(drawLayer(drawStars)).isEmpty());
    EXPECT_FALSE(inkBounds(drawLayer(drawParticles)).isEmpty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
