// The program's icon: one drawing, written as SVG for the scalable icon and painted into PNGs.
#pragma once

#include <QByteArray>
#include <QImage>

// The icon as an SVG document (a 256 × 256 canvas).
QByteArray appIconSvg();
// The same drawing painted at size × size pixels.
QImage appIconImage(int size);
