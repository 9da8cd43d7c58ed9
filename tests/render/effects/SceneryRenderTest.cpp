// The tunnel, the tiles and the pictures drawn headlessly, each layer alone: their default looks
// and the cases with a property easy to state, compared with golden images.
#include "effects/TextureSlots.h"
#include "effects/pictures/PictureEffect.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/GoldenImage.h"
#include "support/SceneRenderTest.h"
#include "support/TempProfile.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>

namespace {

constexpr int kFrameWidth = 360;
constexpr int kFrameHeight = 240;

int brightness(QRgb c) {
    return qRed(c) + qGreen(c) + qBlue(c);
}

// The mean brightness (0-765) of the pixels in `area`.
double meanBrightness(const QImage& frame, QRect area) {
    double sum = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            sum += brightness(frame.pixel(x, y));
    return sum / double(area.width() * area.height());
}

// Share of the pixels of `area` where some channel differs between the two frames by more than
// a few levels.
double differingShare(const QImage& a, const QImage& b, QRect area) {
    long differing = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            differing += std::abs(qRed(p) - qRed(q)) > 8 || std::abs(qGreen(p) - qGreen(q)) > 8 ||
                         std::abs(qBlue(p) - qBlue(q)) > 8;
        }
    return double(differing) / double(area.width() * area.height());
}

const QRect kWholeFrame(0, 0, kFrameWidth, kFrameHeight);

class SceneryRender : public SceneRenderTest {
  protected:
    SceneryRender() : SceneRenderTest(kFrameWidth, kFrameHeight) {}
    void SetUp() override {
        SceneRenderTest::SetUp();
        if (HasFatalFailure()) return;
        view->textOn = 0; // each layer alone
        glClearColor(0, 0, 0, 1);
    }
};

} // namespace

TEST_F(SceneryRender, DefaultTunnelIsTheGreenOfItsTextureFadingIntoTheFog) {
    view->tunnelOn = 2;
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "tunnel-default"));
    // A wall colour of (0, 255, 0) passes the green channel alone, at full strength.
    int greenest = 0;
    for (int y = 0; y < kFrameHeight; ++y)
        for (int x = 0; x < kFrameWidth; ++x) {
            const QRgb c = frame.pixel(x, y);
            ASSERT_LE(qRed(c) + qBlue(c), 2) << x << "," << y;
            greenest = std::max(greenest, qGreen(c));
        }
    EXPECT_GT(greenest, 100); // the texture's own green is at most about half
    // The mouth is bright, the far end lost in the black fog.
    EXPECT_GT(meanBrightness(frame, {0, 0, 40, kFrameHeight}),
              meanBrightness(frame, {170, 110, 20, 20}) + 10);
    EXPECT_FALSE(glIsEnabled(GL_FOG));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
}

TEST_F(SceneryRender, ArcsOfAHundredDrawTheUpperHalfOfTheTube) {
    view->tunnelOn = 2;
    view->tunnelArcX = view->tunnelArcY = 100;
    view->tunnelRed = view->tunnelGreen = view->tunnelBlue = 1;
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "tunnel-half-tube"));
    EXPECT_GT(meanBrightness(frame, {0, 0, kFrameWidth, kFrameHeight / 2 - 4}), 60);
    EXPECT_LT(meanBrightness(frame, {0, kFrameHeight / 2 + 4, kFrameWidth, kFrameHeight / 2 - 4}),
              1);
}

TEST_F(SceneryRender, RotateBelowTheBandSwitchesToMappingBOneFrameLater) {
    view->tunnelOn = 2;
    view->tunnelRed = view->tunnelGreen = view->tunnelBlue = 1;
    view->tunnelRotate = -29; // mapping A
    const QImage a = render(2);
    view->tunnelRotate = -40;
    const QImage stillA = render();
    const QImage b = render();
    EXPECT_TRUE(matchesGolden(b, "tunnel-mapping-b"));
    EXPECT_EQ(view->tunnelTexMode, 2.0f);
    // The first frame at -40 still uses mapping A (with its own stretch, so it is not frame a).
    EXPECT_GT(differingShare(stillA, b, kWholeFrame), 0.3);
    // Back above the band, mapping A returns from the frame after.
    view->tunnelRotate = -29;
    render();
    EXPECT_EQ(view->tunnelTexMode, 0.0f);
    render();
    EXPECT_LT(differingShare(render(), a, kWholeFrame), 0.001);
}

TEST_F(SceneryRender, ConstantSpeedHoldsTheTunnelStillAndAChangeMovesIt) {
    view->tunnelOn = 2;
    view->tunnelSpeed = 100;
    const QImage first = render(2);
    EXPECT_EQ(render(), first);
    view->tunnelSpeed = 130;
    EXPECT_EQ(render(), first); // the phase is the previous frame's
    EXPECT_GT(differingShare(render(), first, kWholeFrame), 0.2);
}

TEST_F(SceneryRender, DefaultTilesAddTheTwoGoldQuads) {
    view->tilesOn = 2;
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "tiles-default"));
    // Quad 2 (nearer, drawn second) adds to quad 1: the centre is brighter than quad 1 alone.
    view->tileHidden2 = 2;
    const QImage one = render();
    const QRect centre(kFrameWidth / 2 - 20, kFrameHeight / 2 - 20, 40, 40);
    EXPECT_GT(meanBrightness(frame, centre), meanBrightness(one, centre) + 30);
    view->tileHidden1 = 2;
    EXPECT_LT(meanBrightness(render(), kWholeFrame), 0.01); // both hidden: nothing
}

TEST_F(SceneryRender, SecondQuadCoversTheFirstWhereverItStands) {
    view->tilesOn = 2;
    ASSERT_TRUE(loadMipmappedTextureDirect(*view, "Textures/pollav.jpg", view->tileTexture2));
    view->tileOpaque1 = view->tileOpaque2 = 2;
    view->tilePosZ1 = -100; // quad 1 in front of quad 2
    view->tilePosZ2 = -300;
    view->tileRotateZ2 = 30;
    const QImage both = render();
    EXPECT_TRUE(matchesGolden(both, "tiles-quad2-covers-quad1"));
    view->tileHidden1 = 2;
    const QImage two = render();
    view->tileHidden1 = 0;
    view->tileHidden2 = 2;
    const QImage one = render();
    // Quad 2 shows unchanged in the middle, quad 1 around it.
    const QRect middle(kFrameWidth / 2 - 25, kFrameHeight / 2 - 25, 50, 50);
    EXPECT_LT(differingShare(both, two, middle), 0.001);
    EXPECT_GT(differingShare(both, one, middle), 0.3);
    const QRect corner(0, 0, 40, 40);
    EXPECT_LT(differingShare(both, one, corner), 0.001);
}

TEST_F(SceneryRender, RollOfAHundredIsOneWholeRepeat) {
    view->tilesOn = 2;
    view->tileHidden2 = 2;
    const QImage still = render();
    view->tileRollX1 = 100;
    EXPECT_LT(differingShare(render(), still, kWholeFrame), 0.001);
    view->tileRollX1 = 50;
    EXPECT_GT(differingShare(render(), still, kWholeFrame), 0.1);
}

TEST_F(SceneryRender, DefaultPicturesShowPictureOneAlone) {
    view->pictureOn = 2;
    const QImage frame = render();
    EXPECT_TRUE(matchesGolden(frame, "pictures-default"));
    // Fade 0: picture 2 is transparent, so hiding it changes nothing.
    view->picture2Off = 2;
    EXPECT_LT(differingShare(render(), frame, kWholeFrame), 0.001);
    // Switching picture 1 (the layer) off hides both.
    view->picture2Off = 0;
    view->pictureOn = 0;
    EXPECT_LT(meanBrightness(render(), kWholeFrame), 0.01);
}

TEST_F(SceneryRender, WavyPictureFollowsTheFlagWaveAColumnPerEightDegrees) {
    view->pictureOn = 2;
    view->pictureWavy = 60000; // a wave 61 units deep
    view->pictureRotation = {0, 50, 0};
    const QImage flat = render(2);
    for (int step = 8; step <= 24; step += 8) {
        view->flagWave = step;
        render(); // the grid takes the new phase after the frame
    }
    const QImage waved = render();
    EXPECT_TRUE(matchesGolden(waved, "pictures-wavy-flag-24"));
    EXPECT_GT(differingShare(waved, flat, kWholeFrame), 0.05);
    // A whole period round is the same sheet again.
    view->flagWave = 360;
    render();
    EXPECT_LT(differingShare(render(), flat, kWholeFrame), 0.001);
}

TEST_F(SceneryRender, FadeCrossFadesTheTwoPicturesOneFrameLate) {
    view->pictureOn = 2;
    const QImage one = render(2);
    view->pictureFade = 255;
    EXPECT_LT(differingShare(render(), one, kWholeFrame), 0.001); // still the alpha of fade 0
    const QImage two = render();
    EXPECT_GT(differingShare(two, one, kWholeFrame), 0.2);
    view->pictureFade = 128;
    render();
    const QImage half = render();
    EXPECT_TRUE(matchesGolden(half, "pictures-fade-128"));
    // Additive halves: each pixel is about the mean of the two pictures.
    long off = 0;
    for (int y = 0; y < kFrameHeight; y += 3)
        for (int x = 0; x < kFrameWidth; x += 3) {
            const int mean = (brightness(one.pixel(x, y)) + brightness(two.pixel(x, y))) / 2;
            off += std::abs(brightness(half.pixel(x, y)) - mean) > 12;
        }
    EXPECT_LT(double(off) / (kFrameWidth * kFrameHeight / 9), 0.01);
}

TEST_F(SceneryRender, SeparationPushesThePicturesApartInDepth) {
    view->pictureOn = 2;
    view->picture2Off = 2;
    view->pictureScale = {20, 20, 1};
    const QRect bounds = inkBounds(render(2));
    view->pictureSeparation = 200; // picture 1 from 500 to 300 units away
    const QRect nearer = inkBounds(render());
    EXPECT_GT(nearer.width(), bounds.width() + 40);
}

TEST_F(SceneryRender, PictureWithoutANaturalSizeDrawsNothingAndAFailedLoadChangesNothing) {
    view->pictureOn = 2;
    const QImage frame = render(2);
    EXPECT_FALSE(loadPictureTexture(*view, 1, "Images/no-such-picture.jpg"));
    EXPECT_LT(differingShare(render(), frame, kWholeFrame), 0.001);
    view->pictureNaturalSize[0] = {0, 0};
    view->pictureMeshValid[0] = 0;
    EXPECT_LT(meanBrightness(render(), kWholeFrame), 0.01);
}
