// The star table laid out at start-up and the angle each star takes from the star block.
#include "effects/stars/StarLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

TEST(StarTable, TheFirstStarNumberOfStarsGetDistancesAndRandomColoursInOrder) {
    auto v = makeScene();
    csrand(8);
    const int r0 = crand() % 256, g0 = crand() % 256, b0 = crand() % 256, r1 = crand() % 256;
    csrand(8);
    buildStarTable(*v);
    EXPECT_EQ(v->stars[0].starRedByte, r0);
    EXPECT_EQ(v->stars[0].starGreenByte, g0);
    EXPECT_EQ(v->stars[0].starBlueByte, b0);
    EXPECT_EQ(v->stars[1].starRedByte, r1);
    EXPECT_FLOAT_EQ(v->stars[0].distance, 0);
    EXPECT_FLOAT_EQ(v->stars[150].distance, 2.5f);
    EXPECT_FLOAT_EQ(v->stars[249].distance, 249.0f / 300 * 5);
    for (int i = 250; i < kStarCount; ++i) {
        EXPECT_FLOAT_EQ(v->stars[i].distance, 0) << i;
        EXPECT_EQ(v->stars[i].starRedByte + v->stars[i].starGreenByte + v->stars[i].starBlueByte, 0)
            << i;
    }
    // 750 draws, no more.
    const int next = crand();
    csrand(8);
    for (int i = 0; i < 750; ++i)
        crand();
    EXPECT_EQ(crand(), next);
}

TEST(StarTable, StarAnglesWindTheSpiralFromTheDirection) {
    auto v = makeScene();
    updateStarAngle(*v, 0);
    updateStarAngle(*v, 30);
    updateStarAngle(*v, 249);
    EXPECT_FLOAT_EQ(v->stars[0].angle, 50);
    EXPECT_FLOAT_EQ(v->stars[30].angle, 100);
    EXPECT_NEAR(v->stars[249].angle, 50 * (1 + 249.0f / 30), 1e-3);
    v->starDirection = 0; // every star on one radial line
    updateStarAngle(*v, 249);
    EXPECT_FLOAT_EQ(v->stars[249].angle, 0);
}
