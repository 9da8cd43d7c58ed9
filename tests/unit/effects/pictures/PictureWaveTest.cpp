// The pictures' wave grid and sheet sizes: positions, one sine period across the columns, the
// flag wave's phase in degrees, and natural sizes that give no sheet.
#include "effects/pictures/PictureLayer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <numbers>

TEST(PictureWave, GridSpansFromMinusFourAndAHalfInFifths) {
    auto v = makeScene();
    buildPictureGrid(*v);
    EXPECT_EQ(v->pictureGrid[0][0], Vec3(-4.5f, -4.5f, 0.0f));
    EXPECT_NEAR(v->pictureGrid[44][0].x, 4.3f, 1e-5f);
    EXPECT_NEAR(v->pictureGrid[7][30].x, 7 / 5.0f - 4.5f, 1e-6f);
    EXPECT_NEAR(v->pictureGrid[7][30].y, 30 / 5.0f - 4.5f, 1e-6f);
    // The wave runs along the columns: every point of a column has the same depth.
    for (int j = 0; j < kPictureGrid; ++j)
        EXPECT_EQ(v->pictureGrid[11][j].z, v->pictureGrid[11][0].z);
    EXPECT_NEAR(v->pictureGrid[11][0].z, std::sin(2 * std::numbers::pi * 88 / 360), 1e-6);
}

TEST(PictureWave, OnePeriodAcrossTheColumnsAndEightDegreesAColumn) {
    // A quarter period on, the crest.
    EXPECT_NEAR(pictureWaveDepth(0, 0), 0.0f, 1e-6f);
    EXPECT_NEAR(pictureWaveDepth(22, 0), std::sin(2 * std::numbers::pi * 176 / 360), 1e-6);
    EXPECT_NEAR(pictureWaveDepth(0, 90), 1.0f, 1e-6f);
    EXPECT_NEAR(pictureWaveDepth(0, 360), pictureWaveDepth(0, 0), 1e-6f);
    for (int i = 0; i < kPictureGrid - 1; ++i)
        EXPECT_NEAR(pictureWaveDepth(i, 8), pictureWaveDepth(i + 1, 0), 1e-6f) << i;

    auto v = makeScene();
    buildPictureGrid(*v);
    v->flagWave = 16;
    updatePictureWave(*v);
    for (int i = 0; i + 2 < kPictureGrid; ++i)
        EXPECT_NEAR(v->pictureGrid[i][5].z, pictureWaveDepth(i + 2, 0), 1e-6f) << i;
    // Only the depth changes.
    EXPECT_EQ(v->pictureGrid[3][5].x, 3 / 5.0f - 4.5f);
}

TEST(PictureWave, ExtremePhasesNeitherOverflowNorLeaveTheWave) {
    for (int phase : {INT_MAX, INT_MIN, INT_MAX - 7})
        for (int i : {0, 44}) {
            const float z = pictureWaveDepth(i, phase);
            EXPECT_TRUE(std::isfinite(z)) << phase;
            EXPECT_LE(std::fabs(z), 1.0f) << phase;
        }
    // Still eight degrees a column at the top of the range.
    EXPECT_NEAR(pictureWaveDepth(0, INT_MAX - 8), pictureWaveDepth(1, INT_MAX - 16), 1e-5f);
}

TEST(PictureWave, SheetSizeComesFromTheNaturalSizeAndNoneFromAZeroSize) {
    auto v = makeScene();
    v->pictureNaturalSize[0] = {13547, 6773};
    rebuildPictureMesh(*v, 0);
    EXPECT_TRUE(v->pictureMesh[0].drawable);
    EXPECT_FLOAT_EQ(v->pictureMesh[0].width, 13.547f);
    EXPECT_FLOAT_EQ(v->pictureMesh[0].height, 6.773f);
    for (NaturalSize none : {NaturalSize{0, 0}, NaturalSize{0, 500}, NaturalSize{500, 0},
                             NaturalSize{-100, 100}, NaturalSize{100, INT_MIN}}) {
        v->pictureNaturalSize[1] = none;
        rebuildPictureMesh(*v, 1);
        EXPECT_FALSE(v->pictureMesh[1].drawable) << none.width << " x " << none.height;
        EXPECT_EQ(v->pictureMesh[1].width, 0.0f);
    }
    v->pictureNaturalSize[1] = {INT_MAX, INT_MAX};
    rebuildPictureMesh(*v, 1);
    EXPECT_TRUE(std::isfinite(v->pictureMesh[1].width));
    // An index outside the two pictures changes nothing.
    rebuildPictureMesh(*v, 2);
    rebuildPictureMesh(*v, -1);
    EXPECT_TRUE(v->pictureMesh[0].drawable);
}
