// Solid 3D glyphs: the GLU tessellator fills the faces, the contours give the side walls.
#include "effects/text/GlyphMesh.h"

#include <GL/glu.h>

#include <array>
#include <cmath>
#include <deque>

namespace {

// Adjacent wall segments that meet at less than this angle share a smoothed normal.
const double kSmoothCos = std::cos(30.0 * M_PI / 180.0);

struct TessState {
    std::deque<std::array<GLdouble, 3>> vertices; // stable addresses for the tessellator
    std::vector<QPointF>* triangles = nullptr;
    bool failed = false;
};

using TessCallback = void (*)();

void tessBegin(GLenum, void*) {}
void tessEdgeFlag(GLboolean, void*) {} // asking for edge flags makes GLU emit plain triangles
void tessVertex(void* vertex, void* data) {
    auto* state = static_cast<TessState*>(data);
    const auto* v = static_cast<const GLdouble*>(vertex);
    state->triangles->emplace_back(v[0], v[1]);
}
void tessCombine(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
    auto* state = static_cast<TessState*>(data);
    state->vertices.push_back({coords[0], coords[1], coords[2]});
    *out = state->vertices.back().data();
}
void tessError(GLenum, void* data) {
    static_cast<TessState*>(data)->failed = true;
}

bool tessellateFace(const std::vector<GlyphContour>& contours, std::vector<QPointF>& triangles) {
    GLUtesselator* tess = gluNewTess();
    if (!tess) return false;
    TessState state;
    state.triangles = &triangles;
    gluTessCallback(tess, GLU_TESS_BEGIN_DATA, reinterpret_cast<TessCallback>(tessBegin));
    gluTessCallback(tess, GLU_TESS_EDGE_FLAG_DATA, reinterpret_cast<TessCallback>(tessEdgeFlag));
    gluTessCallback(tess, GLU_TESS_VERTEX_DATA, reinterpret_cast<TessCallback>(tessVertex));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<TessCallback>(tessCombine));
    gluTessCallback(tess, GLU_TESS_ERROR_DATA, reinterpret_cast<TessCallback>(tessError));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_ODD);
    gluTessNormal(tess, 0, 0, 1);

    gluTessBeginPolygon(tess, &state);
    for (const GlyphContour& contour : contours) {
        gluTessBeginContour(tess);
        for (QPointF p : contour) {
            state.vertices.push_back({p.x(), p.y(), 0});
            gluTessVertex(tess, state.vertices.back().data(), state.vertices.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
    gluDeleteTess(tess);
    if (state.failed || triangles.size() % 3 != 0) {
        triangles.clear();
        return false;
    }
    return true;
}

QPointF unit(QPointF v) {
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(0, 0);
}

// +1 when the solid lies to the right of the contour's edges, -1 when it lies to the left:
// an outer contour encloses ink, a hole (inside an odd number of others) encloses none.
double outwardSide(const std::vector<GlyphContour>& contours, std::size_t index) {
    const GlyphContour& contour = contours[index];
    int depth = 0;
    for (std::size_t j = 0; j < contours.size(); ++j)
        if (j != index && contourContains(contours[j], contour.front())) ++depth;
    const bool counterClockwise = contourArea(contour) > 0;
    const bool outer = depth % 2 == 0;
    return counterClockwise == outer ? 1.0 : -1.0;
}

void addWalls(const std::vector<GlyphContour>& contours, std::size_t index, float extrusion,
              std::vector<WallVertex>& quads) {
    const GlyphContour& c = contours[index];
    const std::size_t n = c.size();
    const double side = outwardSide(contours, index);

    // Face normal of edge i (from point i to point i + 1), pointing out of the solid.
    std::vector<QPointF> faceNormal(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF d = c[(i + 1) % n] - c[i];
        faceNormal[i] = unit(QPointF(d.y(), -d.x()) * side);
    }
    // Normal at each point: shared by both edges on a gentle bend, none (sharp) at a corner.
    std::vector<QPointF> pointNormal(n);
    std::vector<bool> smooth(n);
    for (std::size_t i = 0; i < n; ++i) {
        const QPointF in = faceNormal[(i + n - 1) % n], out = faceNormal[i];
        smooth[i] = QPointF::dotProduct(in, out) >= kSmoothCos;
        pointNormal[i] = unit(in + out);
    }

    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t j = (i + 1) % n;
        const QPointF na = smooth[i] ? pointNormal[i] : faceNormal[i];
        const QPointF nb = smooth[j] ? pointNormal[j] : faceNormal[i];
        const auto fx = [](QPointF p) { return static_cast<float>(p.x()); };
        const auto fy = [](QPointF p) { return static_cast<float>(p.y()); };
        const WallVertex aFront{fx(c[i]), fy(c[i]), 0, fx(na), fy(na), 0};
        const WallVertex aBack{fx(c[i]), fy(c[i]), -extrusion, fx(na), fy(na), 0};
        const WallVertex bFront{fx(c[j]), fy(c[j]), 0, fx(nb), fy(nb), 0};
        const WallVertex bBack{fx(c[j]), fy(c[j]), -extrusion, fx(nb), fy(nb), 0};
        // Counter-clockwise seen from outside for either direction of the contour.
        if (side > 0)
            quads.insert(quads.end(), {aFront, aBack, bBack, bFront});
        else
            quads.insert(quads.end(), {aFront, bFront, bBack, aBack});
    }
}

} // namespace

GlyphMesh buildGlyphMesh(const GlyphOutline& glyph, float extrusion) {
    GlyphMesh mesh;
    if (glyph.contours.empty()) return mesh;
    mesh.tessellated = tessellateFace(glyph.contours, mesh.faceTriangles);
    for (std::size_t i = 0; i < glyph.contours.size(); ++i)
        addWalls(glyph.contours, i, extrusion, mesh.wallQuads);
    return mesh;
}
