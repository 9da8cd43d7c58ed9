// Drawing of the default pictures with QPainter and per-pixel formulas (deterministic).
#include "DefaultPictures.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

// A small deterministic generator for texture noise (results 0...1).
class Noise {
  public:
    explicit Noise(uint32_t seed) : state_(seed) {}
    double next() {
        state_ = state_ * 1664525u + 1013904223u;
        return double(state_ >> 8) / double(1u << 24);
    }

  private:
    uint32_t state_;
};

int clampByte(double v) {
    return std::clamp(int(std::lround(v)), 0, 255);
}

QImage radialSprite(int size, QColor core, QColor edge, double falloff) {
    QImage img(size, size, QImage::Format_RGB32);
    const double c = (size - 1) / 2.0;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double d = std::hypot(x - c, y - c) / c;
            const double glow = std::exp(-d * d * falloff) * std::max(0.0, 1.0 - d);
            const double mix = std::clamp(d * 1.5, 0.0, 1.0);
            const double r = (core.red() * (1 - mix) + edge.red() * mix) * glow;
            const double g = (core.green() * (1 - mix) + edge.green() * mix) * glow;
            const double b = (core.blue() * (1 - mix) + edge.blue() * mix) * glow;
            img.setPixel(x, y, qRgb(clampByte(r), clampByte(g), clampByte(b)));
        }
    }
    return img;
}

} // namespace

QImage makeGoldTexture() {
    QImage img(256, 256, QImage::Format_RGB32);
    Noise noise(7);
    std::vector<double> streak(256);
    for (double& s : streak)
        s = noise.next();
    for (int y = 0; y < 256; ++y) {
        // Brushed streaks run along the rows; a slow diagonal sheen crosses them.
        const double row =
            0.8 + 0.2 * (0.6 * streak[size_t(y)] + 0.4 * streak[size_t((y + 1) % 256)]);
        for (int x = 0; x < 256; ++x) {
            const double sheen = 0.75 + 0.25 * std::sin((x + y) * 0.035) + 0.08 * noise.next();
            const double k = row * sheen;
            img.setPixel(x, y,
                         qRgb(clampByte(232 * k + 10), clampByte(180 * k), clampByte(70 * k)));
        }
    }
    return img;
}

QImage makeTunnelTexture() {
    QImage img(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            // Tiles seamlessly: every term has a whole number of periods across the image.
            const double u = x * 2 * M_PI / 256, v = y * 2 * M_PI / 256;
            const double p =
                std::sin(2 * u) + std::sin(3 * v) + std::sin(u + 2 * v) + std::sin(4 * u - v) * 0.5;
            const double t = (p + 3.5) / 7.0;
            img.setPixel(x, y,
                         qRgb(clampByte(255 * (0.5 + 0.5 * std::sin(t * 6.0))),
                              clampByte(255 * (0.5 + 0.5 * std::sin(t * 6.0 + 2.0)) * 0.7),
                              clampByte(255 * (0.5 + 0.5 * std::sin(t * 6.0 + 4.0)))));
        }
    }
    return img;
}

QImage makeBoxPanelTexture() {
    QImage img(256, 256, QImage::Format_RGB32);
    img.fill(QColor(16, 40, 110));
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Sign band across the top.
    p.fillRect(QRect(0, 0, 256, 36), QColor(10, 20, 50));
    p.fillRect(QRect(40, 10, 176, 16), QColor(235, 235, 235));
    p.fillRect(QRect(56, 15, 144, 6), QColor(20, 20, 40));
    // Frame and posts.
    p.setPen(QPen(QColor(8, 26, 80), 8));
    p.drawRect(QRect(4, 40, 248, 212));
    p.drawLine(128, 40, 128, 252);
    // Panels: windows in the top row, plain recessed panels below.
    for (int col = 0; col < 2; ++col) {
        const int x = 20 + col * 118;
        QRect window(x, 54, 98, 50);
        p.fillRect(window, QColor(225, 235, 245));
        p.setPen(QPen(QColor(16, 40, 110), 4));
        p.drawLine(window.center().x(), window.top(), window.center().x(), window.bottom());
        p.drawLine(window.left(), window.center().y(), window.right(), window.center().y());
        for (int row = 0; row < 3; ++row) {
            QRect panel(x, 116 + row * 44, 98, 34);
            p.fillRect(panel, QColor(22, 52, 135));
            p.setPen(QPen(QColor(8, 26, 80), 2));
            p.drawRect(panel);
        }
    }
    return img;
}

QImage makeStarSprite() {
    QImage img = radialSprite(64, QColor(255, 255, 255), QColor(160, 190, 255), 6.0);
    // Four soft spikes.
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            const double dx = std::abs(x - 31.5), dy = std::abs(y - 31.5);
            const double spike =
                std::exp(-std::min(dx, dy) * 0.9) * std::max(0.0, 1 - std::max(dx, dy) / 32);
            const QRgb old = img.pixel(x, y);
            img.setPixel(x, y,
                         qRgb(clampByte(qRed(old) + 255 * spike),
                              clampByte(qGreen(old) + 255 * spike),
                              clampByte(qBlue(old) + 255 * spike)));
        }
    }
    return img;
}

QImage makeFireSprite() {
    return radialSprite(64, QColor(255, 230, 140), QColor(255, 90, 10), 3.0);
}

QImage makeParticleSprite() {
    return radialSprite(64, QColor(255, 255, 255), QColor(200, 200, 255), 4.0);
}

QImage makeEnvironmentMap() {
    QImage img(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y) {
        for (int x = 0; x < 256; ++x) {
            const double v = y / 255.0;
            double r, g, b;
            if (v < 0.55) { // sky, lighter towards the horizon
                const double t = v / 0.55;
                r = 40 + 150 * t;
                g = 80 + 140 * t;
                b = 200 + 55 * t;
            } else { // ground
                const double t = (v - 0.55) / 0.45;
                r = 120 - 70 * t;
                g = 100 - 60 * t;
                b = 70 - 40 * t;
            }
            const double sun = std::exp(-(std::pow(x - 180, 2) + std::pow(y - 70, 2)) / 300.0);
            img.setPixel(
                x, y,
                qRgb(clampByte(r + 255 * sun), clampByte(g + 255 * sun), clampByte(b + 200 * sun)));
        }
    }
    return img;
}

QImage makeSleepingDog() {
    QImage img(512, 384, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient wall(0, 0, 0, 384);
    wall.setColorAt(0, QColor(250, 235, 200));
    wall.setColorAt(0.6, QColor(235, 210, 170));
    wall.setColorAt(0.61, QColor(150, 100, 60));
    wall.setColorAt(1, QColor(120, 80, 45));
    p.fillRect(img.rect(), wall);
    // Rug.
    p.setBrush(QColor(170, 40, 50));
    p.setPen(QPen(QColor(230, 200, 90), 6));
    p.drawEllipse(QRectF(60, 250, 400, 110));
    // Body, tail and legs.
    const QColor fur(150, 95, 45), dark(95, 55, 25);
    p.setPen(QPen(dark, 3));
    p.setBrush(fur);
    p.drawEllipse(QRectF(150, 200, 230, 110));
    QPainterPath tail;
    tail.moveTo(370, 260);
    tail.cubicTo(430, 250, 440, 300, 400, 310);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(fur, 16, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(tail);
    p.setPen(QPen(dark, 3));
    p.setBrush(fur);
    p.drawEllipse(QRectF(170, 285, 70, 30));
    p.drawEllipse(QRectF(300, 285, 70, 30));
    // Head resting on the paws, floppy ear, closed eye, nose.
    p.drawEllipse(QRectF(95, 215, 120, 95));
    p.drawEllipse(QRectF(70, 265, 60, 38));
    p.setBrush(dark);
    p.drawEllipse(QRectF(150, 205, 45, 85));
    p.setBrush(QColor(30, 20, 15));
    p.drawEllipse(QRectF(68, 270, 18, 14));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(30, 20, 15), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(110, 245, 30, 16), 200 * 16, 140 * 16);
    // "Z z z" drawn as strokes, rising from the head.
    const double sizes[3] = {34, 26, 18};
    double x = 120, y = 180;
    p.setPen(QPen(QColor(60, 60, 140), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    for (double s : sizes) {
        QPainterPath z;
        z.moveTo(x, y);
        z.lineTo(x + s, y);
        z.lineTo(x, y + s);
        z.lineTo(x + s, y + s);
        p.drawPath(z);
        x += s + 14;
        y -= s + 6;
    }
    return img;
}

QImage makeVideoGirl() {
    QImage img(384, 512, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, 512);
    sky.setColorAt(0, QColor(120, 190, 240));
    sky.setColorAt(0.7, QColor(200, 230, 250));
    sky.setColorAt(0.71, QColor(90, 160, 70));
    sky.setColorAt(1, QColor(60, 120, 50));
    p.fillRect(img.rect(), sky);
    const QColor skin(240, 195, 160), hair(90, 50, 25), dress(200, 50, 110);
    p.setPen(Qt::NoPen);
    // Hair behind the head, dress, legs.
    p.setBrush(hair);
    p.drawEllipse(QRectF(130, 60, 130, 170));
    p.setBrush(dress);
    QPolygonF body{{160, 210}, {230, 210}, {285, 430}, {105, 430}};
    p.drawPolygon(body);
    p.setBrush(skin);
    p.drawRect(QRectF(150, 430, 22, 60));
    p.drawRect(QRectF(215, 430, 22, 60));
    // Head with a face.
    p.drawEllipse(QRectF(145, 85, 100, 120));
    p.setBrush(hair);
    p.drawChord(QRectF(140, 70, 110, 80), 0, 180 * 16);
    p.setBrush(QColor(40, 40, 60));
    p.drawEllipse(QRectF(172, 135, 10, 12));
    p.drawEllipse(QRectF(208, 135, 10, 12));
    p.setPen(QPen(QColor(170, 60, 60), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(178, 160, 34, 20), 200 * 16, 140 * 16);
    // Arms holding a video camera out to the right.
    p.setPen(QPen(skin, 18, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(225, 240), QPointF(290, 280));
    p.drawLine(QPointF(165, 240), QPointF(270, 300));
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(50, 50, 55));
    p.drawRoundedRect(QRectF(265, 255, 90, 55), 8, 8);
    p.setBrush(QColor(20, 20, 25));
    p.drawRect(QRectF(345, 265, 30, 35));
    p.setBrush(QColor(90, 140, 220));
    p.drawEllipse(QRectF(352, 272, 20, 20));
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(QRectF(272, 262, 12, 12));
    return img;
}

QImage makeSplashBitmap() {
    QImage img(416, 176, QImage::Format_RGB32);
    img.fill(QColor(255, 0, 255)); // the key colour: cut out of the window's shape
    QPainter p(&img);
    // No antialiasing on the outline: a blended edge would leave pink fringes around the shape.
    QLinearGradient panel(0, 0, 0, 176);
    panel.setColorAt(0, QColor(30, 40, 90));
    panel.setColorAt(1, QColor(8, 10, 30));
    p.setBrush(panel);
    p.setPen(QPen(QColor(230, 190, 80), 3));
    p.drawRoundedRect(QRect(8, 8, 400, 160), 28, 28);
    // A spray of stars on the left.
    p.setRenderHint(QPainter::Antialiasing);
    Noise noise(3);
    for (int i = 0; i < 40; ++i) {
        const double x = 24 + noise.next() * 80, y = 24 + noise.next() * 128;
        const double r = 1 + noise.next() * 3;
        p.setPen(Qt::NoPen);
        p.setBrush(
            QColor(255, clampByte(200 + 55 * noise.next()), clampByte(120 + 135 * noise.next())));
        p.drawEllipse(QPointF(x, y), r, r);
    }
    // The panel behind the text line (125, 60) - (291, 104).
    p.setBrush(QColor(0, 0, 0, 160));
    p.setPen(QPen(QColor(230, 190, 80), 1));
    p.drawRoundedRect(QRectF(118, 54, 180, 56), 10, 10);
    QFont font(QStringLiteral("Sans"), 16, QFont::Bold);
    p.setFont(font);
    p.setPen(QColor(230, 190, 80));
    p.drawText(QRect(118, 16, 280, 32), Qt::AlignCenter, QStringLiteral("Lumatoy"));
    p.setFont(QFont(QStringLiteral("Sans"), 9));
    p.setPen(QColor(180, 190, 220));
    p.drawText(QRect(118, 120, 280, 30), Qt::AlignCenter, QStringLiteral("loading a 3DS model"));
    return img;
}

QImage makeToolbarStrip(int variant) {
    const QColor mask(255, 0, 255);
    QImage img(5 * 48, 48, QImage::Format_RGB32);
    img.fill(mask);
    QPainter p(&img);
    const bool hot = variant == 1;
    const auto tone = [&](QColor c) {
        if (variant == 2) {
            const int g = 110 + qGray(c.rgb()) / 3;
            return QColor(g, g, g);
        }
        return hot ? c.lighter(125) : c;
    };
    const QPen outline(tone(QColor(30, 30, 30)), 2);
    // New: a page with a folded corner.
    p.setPen(outline);
    p.setBrush(tone(QColor(250, 250, 250)));
    p.drawPolygon(QPolygon({{12, 6}, {30, 6}, {38, 14}, {38, 42}, {12, 42}}));
    p.drawPolyline(QPolygon({{30, 6}, {30, 14}, {38, 14}}));
    // Open: a folder.
    p.translate(48, 0);
    p.setBrush(tone(QColor(235, 185, 50)));
    p.drawPolygon(QPolygon({{5, 12}, {18, 12}, {22, 16}, {42, 16}, {42, 40}, {5, 40}}));
    p.setBrush(tone(QColor(250, 210, 90)));
    p.drawPolygon(QPolygon({{5, 40}, {11, 22}, {46, 22}, {42, 40}}));
    // Save: a disk.
    p.translate(48, 0);
    p.setBrush(tone(QColor(50, 80, 170)));
    p.drawRect(QRect(8, 6, 32, 36));
    p.setBrush(tone(QColor(230, 230, 230)));
    p.drawRect(QRect(14, 6, 20, 12));
    p.setBrush(tone(QColor(200, 200, 200)));
    p.drawRect(QRect(13, 26, 22, 16));
    // Control deck: three sliders.
    p.translate(48, 0);
    for (int i = 0; i < 3; ++i) {
        const int y = 12 + i * 12;
        p.setPen(QPen(tone(QColor(60, 60, 60)), 3));
        p.drawLine(8, y, 40, y);
        p.setPen(outline);
        p.setBrush(tone(QColor(220, 80, 40)));
        p.drawRect(QRect(12 + i * 9, y - 5, 7, 10));
    }
    // About: an "i" in a blue disc.
    p.translate(48, 0);
    p.setPen(outline);
    p.setBrush(tone(QColor(40, 110, 210)));
    p.drawEllipse(QRect(6, 6, 36, 36));
    p.setPen(Qt::NoPen);
    p.setBrush(tone(QColor(255, 255, 255)));
    p.drawEllipse(QRect(21, 12, 6, 6));
    p.drawRect(QRect(21, 21, 6, 15));
    return img;
}
