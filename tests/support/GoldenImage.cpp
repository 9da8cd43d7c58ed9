// Golden-image checks for render tests: compare, report, or regenerate on request.
#include "support/GoldenImage.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cstdlib>

namespace {

bool updateRequested() {
    return qEnvironmentVariableIntValue("LUMATOY_UPDATE_GOLDEN") == 1;
}

int channelDelta(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

QString failureFolder() {
    const QString dir = QDir::temp().filePath(QStringLiteral("lumatoy-golden-failures"));
    QDir().mkpath(dir);
    return dir;
}

} // namespace

::testing::AssertionResult matchesGolden(const QImage& frame, const QString& name,
                                         GoldenTolerance tolerance) {
    const QImage actual = frame.convertToFormat(QImage::Format_RGB888);
    const QString path = QDir(goldenDir()).filePath(name + QStringLiteral(".png"));
    if (updateRequested()) {
        QDir().mkpath(goldenDir());
        if (!actual.save(path))
            return ::testing::AssertionFailure() << "cannot write " << path.toStdString();
        return ::testing::AssertionSuccess() << "golden image rewritten: " << path.toStdString();
    }

    const QImage golden = QImage(path).convertToFormat(QImage::Format_RGB888);
    if (golden.isNull())
        return ::testing::AssertionFailure()
               << "no golden image " << path.toStdString()
               << " (make it with LUMATOY_UPDATE_GOLDEN=1 ctest --preset dev -R Render)";
    if (golden.size() != actual.size())
        return ::testing::AssertionFailure()
               << name.toStdString() << ": frame is " << actual.width() << "x" << actual.height()
               << ", golden image " << golden.width() << "x" << golden.height();

    QImage diff(actual.size(), QImage::Format_RGB888);
    diff.fill(Qt::black);
    long differing = 0;
    int worst = 0;
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x) {
            const int d = channelDelta(actual.pixel(x, y), golden.pixel(x, y));
            worst = std::max(worst, d);
            if (d > tolerance.channel) {
                ++differing;
                diff.setPixel(x, y, qRgb(255, std::min(255, d * 4), 0));
            }
        }
    const long allowed =
        static_cast<long>(tolerance.differingFraction * actual.width() * actual.height());
    if (differing <= allowed) return ::testing::AssertionSuccess();

    const QString folder = failureFolder();
    actual.save(QDir(folder).filePath(name + QStringLiteral(".actual.png")));
    diff.save(QDir(folder).filePath(name + QStringLiteral(".diff.png")));
    return ::testing::AssertionFailure()
           << name.toStdString() << ": " << differing << " pixels differ by more than "
           << tolerance.channel << " (at most " << allowed << " may; largest difference " << worst
           << "); frame and difference written to " << folder.toStdString();
}

QRect inkBounds(const QImage& frame, QRgb background, int threshold) {
    QRect bounds;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x)
            if (channelDelta(frame.pixel(x, y), background) > threshold)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

QRgb meanInk(const QImage& frame, QRect area, QRgb background, int threshold) {
    long r = 0, g = 0, b = 0, n = 0;
    area &= frame.rect();
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = frame.pixel(x, y);
            if (channelDelta(p, background) > threshold) {
                r += qRed(p);
                g += qGreen(p);
                b += qBlue(p);
                ++n;
            }
        }
    if (n == 0) return background;
    return qRgb(static_cast<int>(r / n), static_cast<int>(g / n), static_cast<int>(b / n));
}
