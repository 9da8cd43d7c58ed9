// The tunnel wall's arithmetic: the grid's shape, the two texture mappings and the band where
// the mapping switches, the phase of the previous frame, and values that would divide by zero.
#include "effects/tunnel/TunnelGrid.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

// Mapping A and B written out for one grid point, to compare the wall against.
TunnelTexCoord mappingA(float p, float twist, float rotate, int i, int j) {
    const float w = twist / 20;
    return {i / 16.0f + w + std::cos((4 * p + w * j) / 30) / 2,
            j / 16.0f + (6 * p + j) / (rotate / 50 + 1)};
}
TunnelTexCoord mappingB(float p, float twist, float rotate, int i, int j) {
    const float w = twist / 20;
    return {i + w + std::cos((4 * p + w * j) / 30) / 2, j / (rotate + 28.9f) + (6 * p + j) / 100};
}

void expectCoord(const TunnelTexCoord& got, const TunnelTexCoord& want) {
    EXPECT_NEAR(got.u, want.u, 1e-4f);
    EXPECT_NEAR(got.v, want.v, 1e-4f);
}

} // namespace

TEST(TunnelGrid, DefaultWallIsAFullTubeNarrowingIntoTheDistance) {
    const TunnelParams t;
    // The mouth: radius 3 all round, ring 0 and ring 32 meet (a full circle).
    EXPECT_NEAR(tunnelVertexAt(t, 0, 0).x, 3.0f, 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 8, 0).y, 3.0f, 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 16, 0).x, -3.0f, 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 32, 0).x, tunnelVertexAt(t, 0, 0).x, 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 32, 0).y, 0.0f, 1e-5f);
    // One unit deeper per row, the radius 1/12 smaller; the last row is still the right way out.
    const Vec3 far = tunnelVertexAt(t, 0, 32);
    EXPECT_FLOAT_EQ(far.z, -32.0f);
    EXPECT_NEAR(far.x, 3.0f - 32.0f / 12.0f, 1e-5f);
    EXPECT_GT(far.x, 0.0f);
}

TEST(TunnelGrid, ArcsAndSqueezeShapeEachAxisOnItsOwn) {
    TunnelParams t;
    t.tunnelArcX = t.tunnelArcY = 100; // half a turn over the 32 steps
    for (int i = 0; i < kTunnelGrid; ++i)
        EXPECT_GE(tunnelVertexAt(t, i, 0).y, -1e-5f) << i; // only the upper half
    EXPECT_NEAR(tunnelVertexAt(t, 32, 0).x, -3.0f, 1e-5f);

    t = TunnelParams{};
    t.tunnelSqueezeX = 600;
    t.tunnelSqueezeY = 150;
    EXPECT_NEAR(tunnelVertexAt(t, 0, 0).x, 6.0f, 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 8, 0).y, 1.5f, 1e-5f);
    // Arc Y alone changes only the y of the ring.
    t.tunnelArcY = 50;
    EXPECT_NEAR(tunnelVertexAt(t, 8, 0).x, 6.0f * std::cos(8 * 2 * kPi / 32), 1e-5f);
    EXPECT_NEAR(tunnelVertexAt(t, 8, 0).y, 1.5f * std::sin(8 * 0.5f * kPi / 32), 1e-5f);
}

TEST(TunnelGrid, TheTwoMappingsFollowTheirFormulas) {
    TunnelParams t;
    t.tunnelTwist = 30;
    t.tunnelRotate = 100;
    for (auto [i, j] : {std::pair{0, 0}, {5, 7}, {32, 32}})
        expectCoord(tunnelTexCoordAt(t, 1.25f, i, j), mappingA(1.25f, 30, 100, i, j));
    t.tunnelTexMode = 2;
    t.tunnelRotate = -60;
    for (auto [i, j] : {std::pair{0, 0}, {5, 7}, {32, 32}})
        expectCoord(tunnelTexCoordAt(t, 1.25f, i, j), mappingB(1.25f, 30, -60, i, j));
    // 1.5 is no mapping B yet.
    t.tunnelTexMode = 1.5f;
    expectCoord(tunnelTexCoordAt(t, 0, 3, 4), mappingA(0, 30, -60, 3, 4));
}

TEST(TunnelGrid, MappingSwitchesAtTheBandEdgesAndKeepsItInside) {
    EXPECT_EQ(nextTunnelTexMode(-29.9f, 2), 0.0f); // the upper edge belongs to mapping A
    EXPECT_EQ(nextTunnelTexMode(272, 2), 0.0f);
    EXPECT_EQ(nextTunnelTexMode(-30.0f, 0), 2.0f); // the lower edge to mapping B
    EXPECT_EQ(nextTunnelTexMode(-400, 0), 2.0f);
    for (float inside : {-29.95f, -29.91f, -29.99f}) {
        EXPECT_EQ(nextTunnelTexMode(inside, 0), 0.0f) << inside;
        EXPECT_EQ(nextTunnelTexMode(inside, 2), 2.0f) << inside;
    }
    // No comparison holds for NaN: the mapping in force stays.
    EXPECT_EQ(nextTunnelTexMode(std::numeric_limits<float>::quiet_NaN(), 2), 2.0f);
}

TEST(TunnelGrid, CoordinatesAtTheBandEdgesStayClearOfTheZeros) {
    TunnelParams t;
    // Mapping A at the upper edge divides by -29.9/50 + 1 = 0.402.
    t.tunnelRotate = -29.9f;
    expectCoord(tunnelTexCoordAt(t, 2, 4, 9), mappingA(2, 0, -29.9f, 4, 9));
    EXPECT_NEAR(tunnelTexCoordAt(t, 0, 0, 9).v, 9 / 16.0f + 9 / 0.402f, 1e-3f);
    // Mapping B at the lower edge divides by -30 + 28.9 = -1.1.
    t.tunnelTexMode = 2;
    t.tunnelRotate = -30;
    expectCoord(tunnelTexCoordAt(t, 2, 4, 9), mappingB(2, 0, -30, 4, 9));
    EXPECT_NEAR(tunnelTexCoordAt(t, 0, 0, 9).v, 9 / -1.1f + 9 / 100.0f, 1e-3f);
    // Inside the band either mapping still has a divisor far from zero.
    t.tunnelRotate = -29.95f;
    EXPECT_TRUE(std::isfinite(tunnelTexCoordAt(t, 0, 0, 9).v));
    t.tunnelTexMode = 0;
    EXPECT_TRUE(std::isfinite(tunnelTexCoordAt(t, 0, 0, 9).v));
}

TEST(TunnelGrid, AJumpOntoAMappingsZeroGivesFiniteCoordinates) {
    // A key or a typed value can jump straight onto the zero of the mapping in force, which
    // switches only for the next frame.
    TunnelParams t;
    t.tunnelRotate = -50; // mapping A divides by 0
    for (int j : {0, 1, 32}) {
        const TunnelTexCoord c = tunnelTexCoordAt(t, 3, 5, j);
        EXPECT_TRUE(std::isfinite(c.u) && std::isfinite(c.v)) << j;
    }
    EXPECT_EQ(tunnelTexCoordAt(t, 3, 5, 1).v, 0.0f);
    t.tunnelTexMode = 2;
    t.tunnelRotate = -28.9f; // mapping B divides by 0
    EXPECT_EQ(tunnelTexCoordAt(t, 3, 5, 1).v, 0.0f);
    EXPECT_NEAR(tunnelTexCoordAt(t, 3, 5, 1).u, mappingB(3, 0, 0, 5, 1).u, 1e-4f);
}

TEST(TunnelGrid, FrameUsesThePreviousPhaseThenSwitchesForTheNext) {
    auto v = makeScene();
    v->tunnelSpeed = 95.83f * 2; // phase 2 from the next frame on
    v->tunnelTwist = 10;
    ASSERT_TRUE(buildTunnelFrame(*v));
    // The first frame draws with phase 0.
    expectCoord(v->tunnelTexCoord[4][6], mappingA(0, 10, 272, 4, 6));
    EXPECT_NEAR(v->tunnelPhase, 2.0f, 1e-5f);
    ASSERT_TRUE(buildTunnelFrame(*v));
    expectCoord(v->tunnelTexCoord[4][6], mappingA(2, 10, 272, 4, 6));
    // A constant speed keeps the wall still from then on.
    const TunnelTexCoord still = v->tunnelTexCoord[4][6];
    ASSERT_TRUE(buildTunnelFrame(*v));
    EXPECT_EQ(v->tunnelTexCoord[4][6].u, still.u);
    EXPECT_EQ(v->tunnelTexCoord[4][6].v, still.v);

    // Rotate -40 draws one more frame with mapping A, then mapping B; -29 returns to A.
    v->tunnelRotate = -40;
    buildTunnelFrame(*v);
    expectCoord(v->tunnelTexCoord[4][6], mappingA(2, 10, -40, 4, 6));
    EXPECT_EQ(v->tunnelTexMode, 2.0f);
    buildTunnelFrame(*v);
    expectCoord(v->tunnelTexCoord[4][6], mappingB(2, 10, -40, 4, 6));
    v->tunnelRotate = -29;
    buildTunnelFrame(*v);
    EXPECT_EQ(v->tunnelTexMode, 0.0f);
    buildTunnelFrame(*v);
    expectCoord(v->tunnelTexCoord[4][6], mappingA(2, 10, -29, 4, 6));
    // The vertices are this frame's.
    EXPECT_EQ(v->tunnelVertex[4][6], tunnelVertexAt(*v, 4, 6));
}

TEST(TunnelGrid, WallThatIsNotFiniteIsNotDrawnAndLeavesAUsablePhase) {
    auto v = makeScene();
    v->tunnelSqueezeX = std::numeric_limits<float>::quiet_NaN();
    EXPECT_FALSE(buildTunnelFrame(*v));
    v->tunnelSqueezeX = 300;
    v->tunnelArcY = std::numeric_limits<float>::infinity();
    EXPECT_FALSE(buildTunnelFrame(*v));
    v->tunnelArcY = 200;
    // Huge values stay finite; a speed that is not finite gives phase 0.
    v->tunnelSqueezeY = 3e38f;
    v->tunnelSpeed = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(buildTunnelFrame(*v));
    EXPECT_EQ(v->tunnelPhase, 0.0f);
}
