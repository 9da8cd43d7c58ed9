// The frame composer drawn headlessly: an empty scene is the clear colour; the gating rules.
#include "effects/OverlayOrtho.h"
#include "effects/tunnel/TunnelFog.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GlTestContext.h"

#include <GL/gl.h>
#include <memory>

namespace {
struct ComposerTest : GlTest {
    VirtualClock clock;
    ClockOverride use{clock};
    std::unique_ptr<CZoetraView> view = makeScene();

    void SetUp() override {
        GlTest::SetUp();
        view->viewportWidth = kWidth;
        view->viewportHeight = kHeight;
        setPerspective(kWidth, kHeight);
        view->textOn = 0;
    }
};
} // namespace

TEST_F(ComposerTest, EveryLayerOffGivesTheClearColour) {
    glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
    composeFrame(*view);
    const QImage frame = target_.readImage();
    ASSERT_EQ(frame.size(), QSize(kWidth, kHeight));
    for (QPoint p : {QPoint(0, 0), QPoint(160, 120), QPoint(319, 239), QPoint(5, 200)}) {
        const QColor c = frame.pixelColor(p);
        EXPECT_NEAR(c.red(), 51, 1);
        EXPECT_NEAR(c.green(), 102, 1);
        EXPECT_NEAR(c.blue(), 153, 1);
    }
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ComposerTest, ComposerSleepsTenMillisecondsOfVirtualTime) {
    clock.setNow(0);
    composeFrame(*view);
    EXPECT_EQ(clock.clockMs(), 10);
}

TEST_F(ComposerTest, MotionBlurForcesRadialBlurOffEveryFrame) {
    view->motionBlurOn = 2;
    view->radialBlurOn = 2;
    composeFrame(*view);
    EXPECT_EQ(view->radialBlurOn, 0.0f);
    view->radialBlurOn = 2;
    composeFrame(*view);
    EXPECT_EQ(view->radialBlurOn, 0.0f);
    view->motionBlurOn = 0;
    view->radialBlurOn = 2;
    composeFrame(*view);
    EXPECT_EQ(view->radialBlurOn, 2.0f);
}

TEST_F(ComposerTest, PreambleFoldsTextAnglesAndMarksPictureMeshesBuilt) {
    view->textRotation = {400, -400, 10};
    view->pictureMeshValid[0] = 0;
    view->pictureMeshValid[1] = 0;
    composeFrame(*view);
    EXPECT_FLOAT_EQ(view->textRotation.x, -320);
    EXPECT_FLOAT_EQ(view->textRotation.y, 320);
    EXPECT_FLOAT_EQ(view->textRotation.z, 10);
    EXPECT_EQ(view->pictureMeshValid[0], 2.0f);
    EXPECT_EQ(view->pictureMeshValid[1], 2.0f);
}

TEST_F(ComposerTest, ZeroHeightProjectionUsesHeightOne) {
    setPerspective(200, 0);
    GLfloat projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    // gluPerspective puts f / aspect in [0] and f in [5]: their ratio is the aspect.
    EXPECT_NEAR(projection[5] / projection[0], 200.0f, 0.01f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[3], 1);
}

TEST_F(ComposerTest, FogComesFromTheTunnelBlockScaledByTen) {
    view->tunnelFogRed = 255;
    view->tunnelFogGreen = 51;
    view->tunnelFogStart = 20;
    view->tunnelFogEnd = 230;
    view->tunnelFogDensity = 0.25f;
    applyFog(*view);
    GLfloat colour[4], start = 0, end = 0, density = 0;
    GLint mode = 0;
    glGetFloatv(GL_FOG_COLOR, colour);
    glGetFloatv(GL_FOG_START, &start);
    glGetFloatv(GL_FOG_END, &end);
    glGetFloatv(GL_FOG_DENSITY, &density);
    glGetIntegerv(GL_FOG_MODE, &mode);
    EXPECT_EQ(mode, GL_LINEAR);
    EXPECT_FLOAT_EQ(colour[0], 1.0f);
    EXPECT_FLOAT_EQ(colour[1], 0.2f);
    EXPECT_FLOAT_EQ(colour[3], 1.0f);
    EXPECT_FLOAT_EQ(start, 2.0f);
    EXPECT_FLOAT_EQ(end, 23.0f);
    EXPECT_FLOAT_EQ(density, 0.25f);
}

TEST_F(ComposerTest, OrthoBracketRunsDownwardsAndRestoresTheProjection) {
    GLfloat before[16], inside[16], after[16];
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    beginOrtho(kWidth, kHeight);
    glGetFloatv(GL_PROJECTION_MATRIX, inside);
    // y = 0 maps to the top (+1), y = height to the bottom (-1).
    EXPECT_NEAR(inside[5] * 0 + inside[13], 1.0f, 1e-5f);
    EXPECT_NEAR(inside[5] * kHeight + inside[13], -1.0f, 1e-5f);
    endOrtho();
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i)
        EXPECT_FLOAT_EQ(before[i], after[i]);
    GLint matrixMode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &matrixMode);
    EXPECT_EQ(matrixMode, GL_MODELVIEW);
}
