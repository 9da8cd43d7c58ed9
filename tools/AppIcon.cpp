// The program's icon: a night-blue tile with a spiral of glowing sparks around a white star. Both
// the SVG and the painted PNGs come from the one list of shapes below, so they cannot drift apart.
#include "AppIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QString>
#include <QTextStream>

#include <cmath>
#include <vector>

namespace {

constexpr double kCanvas = 256.0;

struct Spark {
    double x, y, radius;
    QColor colour;
};

// Sparks on a two-turn spiral, shrinking and cooling from gold to red as they leave the centre.
std::vector<Spark> sparks() {
    std::vector<Spark> list;
    const int count = 24;
    for (int i = 0; i < count; ++i) {
        const double t = double(i + 1) / count;
        const double angle = -0.6 + t * 3.2 * M_PI;
        const double distance = 30.0 + t * 78.0;
        const double radius = 10.0 - t * 6.5;
        const QColor colour(255, int(222 - t * 150), int(90 - t * 70));
        list.push_back({128.0 + distance * std::cos(angle), 128.0 + distance * std::sin(angle),
                        radius, colour});
    }
    return list;
}

// The four-pointed star in the centre, as a closed polygon.
std::vector<QPointF> starOutline() {
    std::vector<QPointF> points;
    for (int i = 0; i < 8; ++i) {
        const double angle = i * M_PI / 4.0 - M_PI / 2.0;
        const double radius = (i % 2 == 0) ? 46.0 : 11.0;
        points.emplace_back(128.0 + radius * std::cos(angle), 128.0 + radius * std::sin(angle));
    }
    return points;
}

QString colourText(const QColor& c) {
    return c.name(QColor::HexRgb);
}

} // namespace

QByteArray appIconSvg() {
    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
           "viewBox=\"0 0 256 256\">\n"
        << "  <defs>\n"
        << "    <linearGradient id=\"night\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        << "      <stop offset=\"0\" stop-color=\"#2a1f6e\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#07051a\"/>\n"
        << "    </linearGradient>\n"
        << "    <radialGradient id=\"glow\" cx=\"0.5\" cy=\"0.5\" r=\"0.5\">\n"
        << "      <stop offset=\"0\" stop-color=\"#ffd27a\" stop-opacity=\"0.85\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"#ff6a00\" stop-opacity=\"0\"/>\n"
        << "    </radialGradient>\n"
        << "  </defs>\n"
        << "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"52\" fill=\"url(#night)\"/>\n"
        << "  <circle cx=\"128\" cy=\"128\" r=\"84\" fill=\"url(#glow)\"/>\n";
    for (const Spark& s : sparks())
        out << "  <circle cx=\"" << QString::number(s.x, 'f', 2) << "\" cy=\""
            << QString::number(s.y, 'f', 2) << "\" r=\"" << QString::number(s.radius, 'f', 2)
            << "\" fill=\"" << colourText(s.colour) << "\"/>\n";
    out << "  <polygon fill=\"#ffffff\" points=\"";
    bool first = true;
    for (const QPointF& p : starOutline()) {
        if (!first) out << ' ';
        first = false;
        out << QString::number(p.x(), 'f', 2) << ',' << QString::number(p.y(), 'f', 2);
    }
    out << "\"/>\n</svg>\n";
    return svg.toUtf8();
}

QImage appIconImage(int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / kCanvas, size / kCanvas);
    painter.setPen(Qt::NoPen);

    QLinearGradient night(0, 8, 0, 248);
    night.setColorAt(0, QColor(0x2a, 0x1f, 0x6e));
    night.setColorAt(1, QColor(0x07, 0x05, 0x1a));
    painter.setBrush(night);
    painter.drawRoundedRect(QRectF(8, 8, 240, 240), 52, 52);

    QRadialGradient glow(QPointF(128, 128), 84);
    glow.setColorAt(0, QColor(0xff, 0xd2, 0x7a, int(0.85 * 255)));
    glow.setColorAt(1, QColor(0xff, 0x6a, 0x00, 0));
    painter.setBrush(glow);
    painter.drawEllipse(QPointF(128, 128), 84, 84);

    for (const Spark& s : sparks()) {
        painter.setBrush(s.colour);
        painter.drawEllipse(QPointF(s.x, s.y), s.radius, s.radius);
    }
    const std::vector<QPointF> star = starOutline();
    painter.setBrush(Qt::white);
    painter.drawPolygon(star.data(), int(star.size()));
    painter.end();
    return image;
}
