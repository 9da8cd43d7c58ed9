// The tunnel, tiles and pictures fed the values a sequence file or a key can carry (NaN,
// infinities, huge, negative, switches between on and off) for a few hundred frames each: every
// slot returns without a GL error, and the layers still draw once sane values return.
#include "effects/pictures/PictureEffect.h"
#include "effects/pictures/PictureLayer.h"
#include "effects/tiles/TileEffect.h"
#include "effects/tiles/TileLayer.h"
#include "effects/tunnel/TunnelEffect.h"
#include "effects/tunnel/TunnelLayer.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "support/GoldenImage.h"
#include "support/SceneRenderTest.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <limits>
#include <random>
#include <vector>

namespace {

constexpr int kFrames = 300;

class ExtremeValues {
  public:
    float next() {
        constexpr float inf = std::numeric_limits<float>::infinity();
        static const float kExtremes[] = {std::numeric_limits<float>::quiet_NaN(),
                                          inf,
                                          -inf,
                                          std::numeric_limits<float>::max(),
                                          -std::numeric_limits<float>::max(),
                                          1e20f,
                                          -1e20f,
                                          std::numeric_limits<float>::denorm_min(),
                                          0.0f,
                                          -0.0f,
                                          1.5f,
                                          2.0f,
                                          -29.95f,
                                          -50.0f,
                                          -28.9f};
        std::uniform_int_distribution<int> pick(0, int(std::size(kExtremes)) + 3);
        const int n = pick(random_);
        if (n < int(std::size(kExtremes))) return kExtremes[n];
        return std::uniform_real_distribution<float>(-1e5f, 1e5f)(random_);
    }
    int nextInt() {
        static const int kInts[] = {0, -1, 1, INT_MAX, INT_MIN, INT_MAX - 7, 13547, -13547};
        return kInts[std::uniform_int_distribution<int>(0, int(std::size(kInts)) - 1)(random_)];
    }
    bool often() { return std::uniform_int_distribution<int>(0, 2)(random_) == 0; }

  private:
    std::mt19937 random_{20240611};
};

class SceneryBadInput : public SceneRenderTest {
  protected:
    SceneryBadInput() : SceneRenderTest(kWidth, kHeight) {}
    void SetUp() override {
        SceneRenderTest::SetUp();
        if (HasFatalFailure()) return;
        view->textOn = 0;
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    // Every keyable value of the layer, and the other floats its slot reads.
    std::vector<float*> floatsOf(const EffectDescriptor& effect, std::vector<float*> others) {
        for (const KeySlice& slice : effect.keys)
            for (const KeyField& field : slice.fields)
                if (field.value) others.push_back(&field.value(*view, slice.instance));
        return others;
    }

    // Feeds the values extremes for kFrames frames, running `slot` after each change.
    void feed(std::vector<float*> floats, std::vector<int*> ints,
              const std::function<void()>& slot) {
        for (int frame = 0; frame < kFrames; ++frame) {
            for (float* f : floats)
                if (values_.often()) *f = values_.next();
            for (int* i : ints)
                if (values_.often()) *i = values_.nextInt();
            target_.bind();
            glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
            slot();
            ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "frame " << frame;
            if (frame % 25 == 0) {
                composeFrame(*view); // the same values through the composer's gates
                ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR)) << "composed frame " << frame;
            }
        }
    }

    // After the storm, the layer's start values draw something again.
    void expectDrawsAgain() { EXPECT_FALSE(inkBounds(frame()).isEmpty()); }

    QImage frame() {
        target_.bind();
        composeFrame(*view);
        composeFrame(*view);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        return target_.readImage().convertToFormat(QImage::Format_RGB32);
    }

    ExtremeValues values_;
};

} // namespace

TEST_F(SceneryBadInput, TunnelDrawsSomethingOrNothingWithoutGlErrors) {
    CZoetraView& v = *view;
    v.tunnelOn = 2;
    feed(floatsOf(kTunnelEffect, {&v.tunnelRed, &v.tunnelGreen, &v.tunnelBlue, &v.tunnelFogDensity,
                                  &v.tunnelFogRed, &v.tunnelFogGreen, &v.tunnelFogBlue,
                                  &v.tunnelTexMode, &v.tunnelPhase}),
         {}, [&] { drawTunnel(v); });
    static_cast<TunnelParams&>(v) = TunnelParams{};
    v.tunnelOn = 2;
    v.tunnelPhase = 0;
    expectDrawsAgain();
}

TEST_F(SceneryBadInput, TilesDrawSomethingOrNothingWithoutGlErrors) {
    CZoetraView& v = *view;
    v.tilesOn = 2;
    feed(floatsOf(kTileEffect, {&v.tileOpaque1, &v.tileOpaque2, &v.tileHidden1, &v.tileHidden2,
                                &v.tileSelected}),
         {}, [&] { drawTiles(v); });
    static_cast<TileParams&>(v) = TileParams{};
    v.tilesOn = 2;
    expectDrawsAgain();
}

TEST_F(SceneryBadInput, PicturesDrawSomethingOrNothingWithoutGlErrors) {
    CZoetraView& v = *view;
    v.pictureOn = 2;
    const NaturalSize sizes[2] = {v.pictureNaturalSize[0], v.pictureNaturalSize[1]};
    feed(floatsOf(kPictureEffect, {&v.picture2Off, &v.pictureLighting, &v.pictureMeshValid[0],
                                   &v.pictureMeshValid[1]}),
         {&v.flagWave, &v.pictureNaturalSize[0].width, &v.pictureNaturalSize[0].height,
          &v.pictureNaturalSize[1].width, &v.pictureNaturalSize[1].height},
         [&] {
             rebuildPictureMesh(v, 0);
             rebuildPictureMesh(v, 1);
             drawPictures(v);
             updatePictureWave(v);
         });
    static_cast<PictureParams&>(v) = PictureParams{};
    v.pictureOn = 2;
    v.pictureNaturalSize[0] = sizes[0];
    v.pictureNaturalSize[1] = sizes[1];
    v.pictureMeshValid[0] = v.pictureMeshValid[1] = 0;
    expectDrawsAgain();
}
