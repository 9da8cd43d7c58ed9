// Glyph outlines and solid glyph meshes: font resolution, em units, faces and wall normals.
#include "effects/text/GlyphMesh.h"
#include "effects/text/GlyphOutlines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <utility>

namespace {

double triangleArea(const std::vector<QPointF>& t) {
    double sum = 0;
    for (std::size_t i = 0; i + 2 < t.size(); i += 3) {
        const QPointF a = t[i], b = t[i + 1], c = t[i + 2];
        sum += ((b.x() - a.x()) * (c.y() - a.y()) - (c.x() - a.x()) * (b.y() - a.y())) / 2;
    }
    return sum;
}

QPointF centre(const GlyphContour& c) {
    QPointF sum;
    for (QPointF p : c)
        sum += p;
    return sum / static_cast<double>(c.size());
}

// Counts the front points of the walls whose quads all give them the same normal.
std::pair<std::size_t, std::size_t> pointsWithOneNormal(const GlyphMesh& mesh) {
    std::map<std::pair<float, float>, std::set<std::pair<float, float>>> normals;
    for (const WallVertex& w : mesh.wallQuads)
        if (w.z == 0.0f) normals[{w.x, w.y}].insert({w.nx, w.ny});
    std::size_t one = 0;
    for (const auto& [point, set] : normals)
        one += set.size() == 1 ? 1 : 0;
    return {one, normals.size()};
}

} // namespace

TEST(GlyphOutlines, BlackFacesGetTheHeaviestWeightAndMissingFacesASubstitute) {
    const QRawFont black = resolveTextFont("Arial Black", 0, false);
    ASSERT_TRUE(black.isValid());
    EXPECT_GE(black.weight(), 700);
    const QRawFont regular = resolveTextFont("DejaVu Sans", 0, false);
    EXPECT_LT(regular.weight(), 600);
    EXPECT_EQ(resolveTextFont("DejaVu Sans", 700, false).weight(), 700);
    EXPECT_NE(resolveTextFont("DejaVu Sans", 0, true).style(), QFont::StyleNormal);
    EXPECT_TRUE(resolveTextFont("No Such Face Anywhere", 0, false).isValid());
}

TEST(GlyphOutlines, MetricsAreInEmUnitsWithTheInkBoxFromItsUpperLeftCorner) {
    const QRawFont font = resolveTextFont("DejaVu Sans", 0, false);
    const GlyphOutline h = glyphOutline(font, 'H');
    ASSERT_FALSE(h.contours.empty());
    // Capital letters stand about three quarters of an em tall on the baseline.
    EXPECT_GT(h.metrics.blackBoxY, 0.6f);
    EXPECT_LT(h.metrics.blackBoxY, 0.85f);
    EXPECT_NEAR(h.metrics.originY, h.metrics.blackBoxY, 1e-3);
    EXPECT_GT(h.metrics.originX, 0.0f);
    EXPECT_GT(h.metrics.cellIncX, h.metrics.originX + h.metrics.blackBoxX);
    EXPECT_LT(h.metrics.cellIncX, 1.0f);
    EXPECT_EQ(h.metrics.cellIncY, 0.0f);

    const GlyphOutline g = glyphOutline(font, 'g'); // a descender reaches below the baseline
    EXPECT_LT(g.metrics.originY - g.metrics.blackBoxY, -0.1f);

    const GlyphOutline space = glyphOutline(font, ' ');
    EXPECT_TRUE(space.contours.empty());
    EXPECT_GT(space.metrics.cellIncX, 0.2f);
    EXPECT_EQ(space.metrics.blackBoxX, 0.0f);
}

TEST(GlyphOutlines, CurvesAreFlattenedFinely) {
    const GlyphOutline o = glyphOutline(resolveTextFont("DejaVu Sans", 0, false), 'O');
    ASSERT_EQ(o.contours.size(), 2u);
    for (const GlyphContour& c : o.contours) {
        EXPECT_GT(c.size(), 60u);
        for (std::size_t i = 0; i < c.size(); ++i) {
            const QPointF d = c[(i + 1) % c.size()] - c[i];
            EXPECT_LT(std::hypot(d.x(), d.y()), 0.05);
        }
    }
}

TEST(GlyphMesh, FrontFaceCoversTheInkCounterClockwise) {
    const GlyphOutline o = glyphOutline(resolveTextFont("DejaVu Sans", 700, false), 'O');
    ASSERT_EQ(o.contours.size(), 2u);
    const GlyphMesh mesh = buildGlyphMesh(o);
    ASSERT_TRUE(mesh.tessellated);
    const double ink =
        std::abs(std::abs(contourArea(o.contours[0])) - std::abs(contourArea(o.contours[1])));
    // Every triangle runs counter-clockwise seen from the front, and the hole stays empty.
    EXPECT_NEAR(triangleArea(mesh.faceTriangles), ink, 1e-6);
    EXPECT_GT(ink, 0.1);
}

TEST(GlyphMesh, WallsFaceOutOfTheInkOnOuterContoursAndHoles) {
    const GlyphOutline o = glyphOutline(resolveTextFont("DejaVu Sans", 0, false), 'O');
    ASSERT_EQ(o.contours.size(), 2u);
    const GlyphMesh mesh = buildGlyphMesh(o, 0.1f);
    std::size_t points = o.contours[0].size() + o.contours[1].size();
    ASSERT_EQ(mesh.wallQuads.size(), 4 * points);

    // The outer ring's walls face away from the letter's centre, the hole's walls towards it.
    const std::size_t outer =
        std::abs(contourArea(o.contours[0])) > std::abs(contourArea(o.contours[1])) ? 0 : 1;
    const QPointF mid = centre(o.contours[outer]);
    const std::size_t outerQuads = 4 * o.contours[0].size();
    for (std::size_t i = 0; i < mesh.wallQuads.size(); ++i) {
        const WallVertex& w = mesh.wallQuads[i];
        EXPECT_NEAR(std::hypot(w.nx, w.ny), 1.0, 1e-4);
        EXPECT_EQ(w.nz, 0.0f);
        EXPECT_TRUE(w.z == 0.0f || w.z == -0.1f);
        const double away = (w.x - mid.x()) * w.nx + (w.y - mid.y()) * w.ny;
        const bool onOuter = (i < outerQuads) == (outer == 0);
        EXPECT_EQ(away > 0, onOuter) << "wall vertex " << i;
    }
    // Quads wind counter-clockwise seen from outside: their geometric normal agrees with the
    // vertex normals.
    for (std::size_t q = 0; q < mesh.wallQuads.size(); q += 4) {
        const WallVertex &a = mesh.wallQuads[q], &b = mesh.wallQuads[q + 1],
                         &c = mesh.wallQuads[q + 2];
        const double ux = b.x - a.x, uy = b.y - a.y, uz = b.z - a.z;
        const double vx = c.x - a.x, vy = c.y - a.y, vz = c.z - a.z;
        const double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz;
        EXPECT_GT(nx * (a.nx + c.nx) + ny * (a.ny + c.ny), 0) << "quad " << q / 4;
    }
}

TEST(GlyphMesh, CornersKeepSharpNormalsAndCurvesShareThem) {
    const QRawFont font = resolveTextFont("DejaVu Sans", 0, false);
    // The I is a plain box: each of its corners meets two walls with different normals.
    EXPECT_EQ(pointsWithOneNormal(buildGlyphMesh(glyphOutline(font, 'I'))).first, 0u);
    // Round letters: the walls meeting at a point of a curve share its normal.
    const auto [smooth, all] = pointsWithOneNormal(buildGlyphMesh(glyphOutline(font, 'o')));
    EXPECT_GT(smooth, all * 9 / 10);
}
