// Golden-image checks for render tests: compare a frame with its checked-in PNG, or rewrite the
// PNG when LUMATOY_UPDATE_GOLDEN=1 is set
// (regenerate all: LUMATOY_UPDATE_GOLDEN=1 ctest --preset dev -R Render).
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <gtest/gtest.h>

struct GoldenTolerance {
    int channel = 12;                 // a pixel differs when one channel moves by more than this
    double differingFraction = 0.004; // share of the pixels that may differ
};

// Compares `frame` with goldenDir()/name.png. On a mismatch the frame and a difference picture
// are written beside each other in the system's temporary folder (lumatoy-golden-failures/) and
// the message says where.
::testing::AssertionResult matchesGolden(const QImage& frame, const QString& name,
                                         GoldenTolerance tolerance = {});

// The smallest rectangle holding every pixel that differs from `background` by more than
// `threshold` in some channel; empty when there is none.
QRect inkBounds(const QImage& frame, QRgb background = qRgb(0, 0, 0), int threshold = 24);

// Mean red, green and blue of the pixels of `area` that differ from `background`.
QRgb meanInk(const QImage& frame, QRect area, QRgb background = qRgb(0, 0, 0), int threshold = 24);
