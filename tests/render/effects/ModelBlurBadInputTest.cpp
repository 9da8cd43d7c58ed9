// Every value a sequence file can carry, fed at random into the model and blur blocks for a few
// hundred frames: each pass draws something or nothing, never a GL error, a crash or a hang.
#include "effects/blur/BlurLayer.h"
#include "effects/models/ModelLayer.h"
#include "effects/text/TextLayer.h"
#include "render/Clock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "support/SceneRenderTest.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace {

std::vector<float*> blockValues(CZoetraView& v) {
    std::vector<float*> all = {
        &v.radialBlurOn,       &v.radialBlurDensity, &v.radialBlurFade,  &v.radialBlurSeparation,
        &v.radialBlurRed,      &v.radialBlurGreen,   &v.radialBlurBlue,  &v.legacyBlurColour.x,
        &v.legacyBlurColour.z, &v.blurColourMode,    &v.blurAfterLayers, &v.motionBlurOn,
        &v.motionBlurDensity,  &v.motionBlurFade,    &v.motionBlurTrim,  &v.motionBlurStretchX,
        &v.motionBlurStretchY, &v.blurText,          &v.blurModel,       &v.sceneVersion,
    };
    for (int n = 0; n < kModelCount; ++n) {
        for (Vec3* triple :
             {&v.modelRotation[n], &v.modelPosition[n], &v.modelScale[n], &v.modelColour[n],
              &v.modelSpotPosition[n], &v.modelBlur[n], &v.modelBlurColour[n]})
            all.insert(all.end(), {&triple->x, &triple->y, &triple->z});
        all.insert(all.end(),
                   {&v.modelOn[n], &v.modelFade[n], &v.modelTexOffset[n].s, &v.modelTexOffset[n].t,
                    &v.modelLighting[n], &v.modelTransparency[n], &v.modelSphereMap[n],
                    &v.modelShiny[n], &v.modelRadialBlur[n], &v.modelBlurPassRequest[n]});
    }
    return all;
}

// The fixture's usual frame, single-sampled, so the captures are too: the test is about values,
// not looks.
class ModelBlurBadInput : public SceneRenderTest {
  protected:
    ModelBlurBadInput() : SceneRenderTest(kWidth, kHeight, 0) {}
};

bool openGate(float) {
    return true;
}

} // namespace

TEST_F(ModelBlurBadInput, ExtremeValuesNeverGiveAGlError) {
    constexpr float inf = std::numeric_limits<float>::infinity();
    const float extremes[] = {std::numeric_limits<float>::quiet_NaN(),
                              inf,
                              -inf,
                              std::numeric_limits<float>::max(),
                              -std::numeric_limits<float>::max(),
                              1e30f,
                              -1e30f,
                              1e7f,
                              -1e7f,
                              -25,
                              -1,
                              0,
                              1.5f,
                              2,
                              4,
                              360,
                              40000,
                              std::numeric_limits<float>::denorm_min()};
    const int units[] = {
        -7, 0, 3, 6, 7, std::numeric_limits<int>::max(), std::numeric_limits<int>::min()};
    std::vector<float*> values = blockValues(*view);
    std::mt19937 random(12);
    auto pick = [&](auto& list) { return list[random() % std::size(list)]; };

    auto check = [&](const char* pass, int frame) {
        const GLenum error = glGetError();
        EXPECT_EQ(error, GLenum(GL_NO_ERROR)) << pass << " in frame " << frame;
        return error == GL_NO_ERROR;
    };
    for (int frame = 0; frame < 200; ++frame) {
        // Every twenty frames the blocks start again from their defaults, so that many
        // combinations come up rather than one that has piled up every extreme.
        if (frame % 20 == 0) {
            static_cast<ModelParams&>(*view) = ModelParams{};
            static_cast<BlurParams&>(*view) = BlurParams{};
            view->sceneVersion = 6;
        }
        for (int k = 0; k < 6; ++k)
            *values[random() % values.size()] = pick(extremes);
        // Switches on often enough that every pass runs.
        for (float* sw : {&view->radialBlurOn, &view->motionBlurOn, &view->modelOn[frame % 3],
                          &view->modelRadialBlur[frame % 3], &view->blurModel})
            if (random() % 2) *sw = 2;
        view->modelUnits[random() % 3] = pick(units);
        clock_.advance(40);

        target_.bind();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        bool clean = true;
        captureMotionBlur(*view, openGate);
        clean &= check("motion capture", frame);
        prepareRadialBlur(*view);
        clean &= check("radial captures", frame);
        drawRadialBlurMain(*view);
        clean &= check("radial overlay", frame);
        for (int i = 0; i < kModelCount; ++i) {
            drawModel(*view, i);
            clean &= check("model", frame);
            drawModelRadialBlur(*view, i);
            clean &= check("model overlay", frame);
        }
        drawMotionBlurOverlay(*view);
        clean &= check("motion overlay", frame);
        drawTextSlot(*view);
        clean &= check("text", frame);
        if (frame % 10 == 0) {
            composeFrame(*view);
            clean &= check("whole frame", frame);
        }
        // The frame's framebuffer is bound again after every capture.
        GLint binding = 0;
        glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &binding);
        EXPECT_EQ(binding, GLint(target_.drawFramebuffer()));
        if (!clean) break;
    }
    // The frame can still be read.
    EXPECT_EQ(target_.readImage().size(), QSize(kWidth, kHeight));
}
