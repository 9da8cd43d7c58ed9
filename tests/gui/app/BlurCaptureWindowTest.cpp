// The radial blur's capture in the window (a view smaller than the 512 x 512 capture, drawing
// into the widget's own multisampled framebuffer) gives the same picture as `lumatoy render` of
// the same scene.
#include "app/ZoetraGLWidget.h"
#include "scene/CZoetraView.h"
#include "support/ProgramRun.h"
#include "support/TempProfile.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <GL/gl.h>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// Share of the pixels whose channels differ by more than `channel`.
double differingShare(const QImage& a, const QImage& b, int channel) {
    long differing = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            if (std::abs(qRed(p) - qRed(q)) > channel ||
                std::abs(qGreen(p) - qGreen(q)) > channel ||
                std::abs(qBlue(p) - qBlue(q)) > channel)
                ++differing;
        }
    return double(differing) / double(a.width() * a.height());
}

} // namespace

TEST(BlurCaptureWindow, TheWindowShowsWhatTheRenderToFileShows) {
    TempProfile profile{{"Random Sequence On Start Up", 0}, {"Lock frame rate to AVI Speed", 0}};
    QTemporaryDir dir;
    ZoetraGLWidget widget;
    widget.resize(360, 240);
    QSignalSpy initialised(&widget, &ZoetraGLWidget::sceneInitialised);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    if (!widget.sceneReady()) {
        ASSERT_TRUE(initialised.wait(20000));
    }
    CZoetraView& v = widget.scene();
    ASSERT_EQ(v.viewportWidth, 360);

    // The text with its radial blur; the window's picture first, since a save takes the scene's
    // version to that of the last file loaded (none: the older colour rule).
    widget.withContext([&] {
        v.radialBlurOn = 2;
        glClearColor(0, 0, 0, 1); // what playback clears to
    });
    // Two frames drawn after the change, however busy the machine.
    const int drawn = widget.framesDrawn();
    ASSERT_TRUE(QTest::qWaitFor([&] { return widget.framesDrawn() >= drawn + 2; }, 30000));
    const QImage window = widget.grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(window.size(), QSize(360, 240));
    // The same scene kept still by two equal keys, for the render to a file.
    const QString sequence = dir.path() + "/blur.lmt";
    widget.withContext([&] {
        addKey(v, 0);
        addKey(v, 30);
        QString error;
        ASSERT_TRUE(saveSequenceFile(v, sequence, &error)) << error.toStdString();
    });

    const QString bmp = dir.path() + "/frame.bmp";
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    const ProgramRun run =
        runLumatoy({"render", sequence, "-o", bmp, "--frames", "10", "--size", "360x240"}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QImage file = QImage(bmp).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(file.size(), window.size());

    // The glow is there in both, and the two agree within the golden tolerance.
    const QPoint above(90, 40);
    EXPECT_GT(qBlue(window.pixel(above)), 20);
    EXPECT_GT(qBlue(file.pixel(above)), 20);
    EXPECT_LE(differingShare(window, file, 12), 0.004);
    if (differingShare(window, file, 12) > 0.004) {
        window.save(dir.path() + "/window.png");
        ADD_FAILURE() << "kept in " << dir.path().toStdString();
        dir.setAutoRemove(false);
    }
}
