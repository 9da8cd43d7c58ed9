// Glyph outlines of the text font: flattened closed contours and metrics in em units (y up).
#pragma once

#include "effects/text/TextBlock.h"

#include <QPointF>
#include <QRawFont>

#include <string>
#include <vector>

using GlyphContour = std::vector<QPointF>; // closed: the last point joins the first

struct GlyphOutline {
    std::vector<GlyphContour> contours;
    GlyphMetrics metrics;
};

// Resolves a face name, a weight (0: the face's default) and an italic flag to an outline font.
// Faces that are not installed resolve through the system's font substitution; a face whose name
// says Black or Heavy gets the heaviest weight its family has.
QRawFont resolveTextFont(const std::string& face, int weight, bool italic);

// The outline of the character with this code (0-255, Latin-1), scaled so the em height is 1.
// Curves are flattened at a large scale, so even big letters keep round edges.
GlyphOutline glyphOutline(const QRawFont& font, int code);

// Signed area of a closed contour: positive when it runs counter-clockwise (y up).
double contourArea(const GlyphContour& contour);
// Even-odd point-in-contour test.
bool contourContains(const GlyphContour& contour, QPointF p);
