// Glyph outlines of the text font: Qt's glyph paths, flattened and scaled to em units.
#include "effects/text/GlyphOutlines.h"

#include <QFont>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

namespace {

// Outlines are flattened at this many pixels per em; Qt's flattening tolerance is half a pixel,
// so the letters come out smooth at any size the text is shown.
constexpr double kOutlinePixelsPerEm = 1024.0;

bool saysHeavy(const QString& face) {
    return face.contains(QLatin1String("Black"), Qt::CaseInsensitive) ||
           face.contains(QLatin1String("Heavy"), Qt::CaseInsensitive);
}

QFont::Weight requestedWeight(const QString& face, int weight) {
    if (weight > 0) return static_cast<QFont::Weight>(std::clamp(weight, 1, 1000));
    // Asking for Black resolves to the heaviest weight the family (or its substitute) has.
    return saysHeavy(face) ? QFont::Black : QFont::Normal;
}

// Drops repeated points and the closing point, so each edge has length.
GlyphContour cleanContour(const QPolygonF& polygon) {
    GlyphContour out;
    out.reserve(polygon.size());
    for (QPointF p : polygon) {
        QPointF q(p.x() / kOutlinePixelsPerEm, -p.y() / kOutlinePixelsPerEm);
        if (out.empty() || out.back() != q) out.push_back(q);
    }
    while (out.size() > 1 && out.front() == out.back())
        out.pop_back();
    return out;
}

} // namespace

QRawFont resolveTextFont(const std::string& face, int weight, bool italic) {
    const QString family = QString::fromStdString(face);
    QFont font(family);
    font.setWeight(requestedWeight(family, weight));
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::StyleStrategy(QFont::PreferOutline | QFont::ForceOutline));
    QRawFont raw = QRawFont::fromFont(font);
    raw.setPixelSize(kOutlinePixelsPerEm);
    return raw;
}

GlyphOutline glyphOutline(const QRawFont& font, int code) {
    GlyphOutline glyph;
    const QList<quint32> indexes = font.glyphIndexesForString(QString(QChar(code)));
    if (indexes.isEmpty()) return glyph;
    const quint32 index = indexes.front();

    const QPainterPath path = font.pathForGlyph(index);
    for (const QPolygonF& polygon : path.toSubpathPolygons()) {
        GlyphContour contour = cleanContour(polygon);
        if (contour.size() >= 3 && std::abs(contourArea(contour)) > 1e-12)
            glyph.contours.push_back(std::move(contour));
    }

    GlyphMetrics& m = glyph.metrics;
    const QList<QPointF> advances =
        font.advancesForGlyphIndexes(QList<quint32>{index}, QRawFont::UseDesignMetrics);
    if (!advances.isEmpty()) {
        m.cellIncX = static_cast<float>(advances.front().x() / kOutlinePixelsPerEm);
        m.cellIncY = static_cast<float>(-advances.front().y() / kOutlinePixelsPerEm);
    }
    if (!glyph.contours.empty()) {
        double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
        for (const GlyphContour& c : glyph.contours)
            for (QPointF p : c) {
                minX = std::min(minX, p.x());
                maxX = std::max(maxX, p.x());
                minY = std::min(minY, p.y());
                maxY = std::max(maxY, p.y());
            }
        m.blackBoxX = static_cast<float>(maxX - minX);
        m.blackBoxY = static_cast<float>(maxY - minY);
        m.originX = static_cast<float>(minX); // upper-left corner of the ink box
        m.originY = static_cast<float>(maxY);
    }
    return glyph;
}

double contourArea(const GlyphContour& contour) {
    double twice = 0;
    for (std::size_t i = 0, n = contour.size(); i < n; ++i) {
        const QPointF a = contour[i], b = contour[(i + 1) % n];
        twice += a.x() * b.y() - b.x() * a.y();
    }
    return twice / 2;
}

bool contourContains(const GlyphContour& contour, QPointF p) {
    bool inside = false;
    for (std::size_t i = 0, n = contour.size(), j = n - 1; i < n; j = i++) {
        const QPointF a = contour[i], b = contour[j];
        if ((a.y() > p.y()) != (b.y() > p.y()) &&
            p.x() < (b.x() - a.x()) * (p.y() - a.y()) / (b.y() - a.y()) + a.x())
            inside = !inside;
    }
    return inside;
}
