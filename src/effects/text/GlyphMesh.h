// Solid 3D glyphs: the tessellated front face and the side walls of an extruded outline.
#pragma once

#include "effects/text/GlyphOutlines.h"

#include <vector>

// Depth of the extruded letters: the front face lies at z = 0, the back face at z = -extrusion.
constexpr float kGlyphExtrusion = 0.1f;

struct WallVertex {
    float x, y, z;
    float nx, ny, nz;
};

struct GlyphMesh {
    // Front-face triangles, three points each, counter-clockwise seen from +z. The back face is
    // the same triangles reversed at z = -extrusion.
    std::vector<QPointF> faceTriangles;
    // Side walls, four vertices per quad, counter-clockwise seen from outside, with normals
    // smoothed along curves and kept sharp at corners.
    std::vector<WallVertex> wallQuads;
    bool tessellated = true; // false when the tessellator rejected the outline
};

GlyphMesh buildGlyphMesh(const GlyphOutline& glyph, float extrusion = kGlyphExtrusion);
