// The radial and motion blur drawn headlessly: the text's radial glow, the trails of a moving
// text, the captures' own framebuffers (whatever the frame's size), and their binding hygiene.
#include "effects/blur/BlurLayer.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GoldenImage.h"
#include "support/SceneRenderTest.h"
#include "support/TempProfile.h"
#include "timeline/KeyframeStore.h"
#include "timeline/Playback.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int kFrameWidth = 360;
constexpr int kFrameHeight = 240;

// The luminance picture a capture texture holds, upright.
QImage textureImage(unsigned texture) {
    glBindTexture(GL_TEXTURE_2D, texture);
    GLint w = 0, h = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &w);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &h);
    std::vector<unsigned char> pixels(std::size_t(w) * h * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const unsigned char* p = &pixels[(std::size_t(h - 1 - y) * w + x) * 4];
            image.setPixel(x, y, qRgb(p[0], p[1], p[2]));
        }
    return image;
}

class BlurRender : public SceneRenderTest {
  protected:
    BlurRender() : SceneRenderTest(kFrameWidth, kFrameHeight) {}
};

int blue(const QImage& frame, int x, int y) {
    return qBlue(frame.pixel(x, y));
}

} // namespace

TEST_F(BlurRender, RadialBlurOnTheTextGlowsOutwardsInFadingCopies) {
    const QImage plain = render();
    view->radialBlurOn = 2; // "Apply Blur to: Text" is ticked from the start
    const QImage blurred = render();
    EXPECT_TRUE(matchesGolden(blurred, "blur-radial-text"));

    // The copies are magnified about the centre of the frame: above the word, which lies a
    // little above the centre, the blue glow grows out of the letters and fades with distance.
    const QRect word = inkBounds(plain);
    ASSERT_FALSE(word.isEmpty());
    const int x = word.left() + word.width() / 4;
    EXPECT_EQ(blue(plain, x, word.top() - 4), 0);
    const int nearGlow = blue(blurred, x, word.top() - 4);
    const int farGlow = blue(blurred, x, word.top() - 28);
    EXPECT_GT(nearGlow, 20);
    EXPECT_GT(nearGlow, farGlow);
    // The default colour is blue 50 (hundredths): no red or green is added outside the word.
    EXPECT_LE(qRed(blurred.pixel(x, word.top() - 4)), 2);
    EXPECT_LE(qGreen(blurred.pixel(x, word.top() - 4)), 2);
}

// A software renderer adds the copies up on the processor; graphics hardware in a fragment
// program. Both give the frame that blending the copies one by one gives, within rounding.
TEST_F(BlurRender, TheProcessorAndTheProgramAddTheCopiesUpAlike) {
    view->radialBlurOn = 2;
    view->radialSumMethod = RadialSumMethod::Processor;
    const QImage processor = render();
    int glowing = 0;
    for (int y = 0; y < processor.height(); ++y)
        for (int x = 0; x < processor.width(); ++x)
            glowing += qBlue(processor.pixel(x, y)) > 20 && qRed(processor.pixel(x, y)) < 4;
    EXPECT_GT(glowing, 500); // the comparisons cover a real glow

    // The program and blending round each copy to a byte before adding it, the processor only
    // the sum: they differ by a few steps at most and by well under one on average.
    for (RadialSumMethod other : {RadialSumMethod::Program, RadialSumMethod::Blended}) {
        view->radialSumMethod = other;
        const QImage frame = render();
        int worst = 0;
        double total = 0;
        for (int y = 0; y < frame.height(); ++y)
            for (int x = 0; x < frame.width(); ++x) {
                const QRgb a = processor.pixel(x, y), b = frame.pixel(x, y);
                const int d =
                    std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                              std::abs(qBlue(a) - qBlue(b))});
                worst = std::max(worst, d);
                total += d;
            }
        EXPECT_LE(worst, 12) << int(other);
        EXPECT_LT(total / (frame.width() * frame.height()), 1.0) << int(other);
    }
}

TEST_F(BlurRender, DensityOfMinus25DrawsNoCopies) {
    const QImage plain = render();
    view->radialBlurOn = 2;
    view->radialBlurDensity = -25;
    EXPECT_EQ(render(), plain);
    view->radialBlurDensity = -300;
    EXPECT_EQ(render(), plain);
}

TEST_F(BlurRender, TheRadialCaptureHoldsTheWhole512SquareWhateverTheFrameSize) {
    view->radialBlurOn = 2;
    GLint frameBinding = 0;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &frameBinding);
    render();
    // The capture is drawn into its own square framebuffer: the word fills most of its width,
    // centred, although the frame is only 360 x 240.
    const QImage capture = textureImage(view->radialBlurTexture);
    ASSERT_EQ(capture.size(), QSize(512, 512));
    const QRect word = inkBounds(capture);
    ASSERT_FALSE(word.isEmpty());
    EXPECT_NEAR(word.center().x(), 256, 16);
    EXPECT_GT(word.width(), 400);
    // The luminance copy is grey: the gold letters are captured by their red.
    EXPECT_GT(qRed(capture.pixel(word.center())), 100);

    // The frame's framebuffer and viewport are in force again.
    GLint binding = 0, viewport[4] = {};
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &binding);
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(binding, frameBinding);
    EXPECT_EQ(binding, GLint(target_.drawFramebuffer()));
    EXPECT_EQ(viewport[2], kFrameWidth);
    EXPECT_EQ(viewport[3], kFrameHeight);
}

TEST_F(BlurRender, ColourModeAndVersionChooseTheOverlayColour) {
    view->radialBlurOn = 2;
    view->radialBlurRed = 100;
    view->radialBlurBlue = 0;
    const QImage plain = [&] {
        view->radialBlurOn = 0;
        QImage f = render();
        view->radialBlurOn = 2;
        return f;
    }();
    const QRect word = inkBounds(plain);
    const QPoint glow(word.left() + word.width() / 4, word.top() - 4);

    QImage frame = render(); // version 6, mode 0: the page's colour, red
    EXPECT_GT(qRed(frame.pixel(glow)), 20);
    EXPECT_LE(qBlue(frame.pixel(glow)), 2);

    view->sceneVersion = 4; // older scenes: the legacy colour, blue
    frame = render();
    EXPECT_LE(qRed(frame.pixel(glow)), 2);
    EXPECT_GT(qBlue(frame.pixel(glow)), 20);

    view->sceneVersion = 6;
    view->blurColourMode = 4; // from 4 on: the legacy colour whatever the version
    frame = render();
    EXPECT_LE(qRed(frame.pixel(glow)), 2);
    EXPECT_GT(qBlue(frame.pixel(glow)), 20);
}

TEST_F(BlurRender, MotionBlurLeavesTrailsBehindAMovingKey) {
    // The word, small, moves from the left to the right over ten frames.
    view->textScale = {20, 20, 10};
    view->textPosition.x = -150;
    addKey(*view, 0);
    view->textPosition.x = 150;
    addKey(*view, 10);
    playTimeline(*view);
    auto playFive = [&] {
        view->playFrame = 0;
        view->timelinePlaying = 1;
        resetRateGate();
        clock_.setNow(1000);
        QImage frame;
        for (int f = 0; f < 5; ++f) {
            clock_.advance(30); // 40 ms a frame with the composer's 10 ms: 25 frames a second
            frame = render();
        }
        return frame;
    };
    const QImage sharp = playFive();
    view->motionBlurOn = 2;
    const QImage trailed = playFive();
    EXPECT_TRUE(matchesGolden(trailed, "blur-motion-trails"));

    // Where the word was a few frames ago, the trail still shows; without the blur it is dark.
    const QRect now = inkBounds(sharp);
    ASSERT_FALSE(now.isEmpty());
    const QRect behind(now.left() - 40, now.top(), 40, now.height());
    EXPECT_TRUE(inkBounds(sharp.copy(behind), qRgb(0, 0, 0), 24).isEmpty());
    EXPECT_FALSE(inkBounds(trailed.copy(behind), qRgb(0, 0, 0), 24).isEmpty());
    // The radial blur is kept off while the motion blur is on.
    EXPECT_EQ(view->radialBlurOn, 0.0f);
}

TEST_F(BlurRender, MotionCapturesFollowTheVirtualClock) {
    view->motionBlurOn = 2;
    view->motionBlurDensity = 150; // capped at 99: one capture a second
    clock_.setNow(5000);
    render(); // a capture: the first one after the gate was reset
    EXPECT_EQ(view->motionBlurDensity, 99.0f);
    const QImage first = textureImage(view->motionBlurTexture);
    view->textRotation.y = 60;
    for (int f = 0; f < 20; ++f) {
        clock_.advance(30);
        render();
    }
    // 0.8 s later the texture still holds the first capture...
    EXPECT_EQ(textureImage(view->motionBlurTexture), first);
    clock_.advance(300);
    render();
    // ...and after more than a second the next capture has the turned word.
    EXPECT_NE(textureImage(view->motionBlurTexture), first);
}
