// While a model loads, its splash waits keep the window responsive but no frame is drawn.
#include "app/ZoetraGLWidget.h"
#include "effects/models/ModelEffect.h"
#include "scene/CZoetraView.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A platform whose waits really let the event loop run, as the window's do. A frame drawn during
// a wait would bring the text angle of 400 into range (the composer folds it to -320).
class SpinningPlatform : public ScriptedPlatform {
  public:
    explicit SpinningPlatform(CZoetraView& v) : v_(v) {}
    void wait(int ms) override {
        ScriptedPlatform::wait(ms);
        v_.textRotation.x = 400;
        QTest::qWait(150);
        anglesSeenDuringWaits.push_back(v_.textRotation.x);
    }
    std::vector<float> anglesSeenDuringWaits;

  private:
    CZoetraView& v_;
};

} // namespace

TEST(ModelLoad, NoFrameIsDrawnWhileTheSplashWaits) {
    // No stored sequence playing: nothing but the composer moves the angle.
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    ZoetraGLWidget widget;
    widget.resize(320, 240);
    QSignalSpy initialised(&widget, &ZoetraGLWidget::sceneInitialised);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    if (!widget.sceneReady()) {
        ASSERT_TRUE(initialised.wait(20000));
    }
    CZoetraView& v = widget.scene();
    SpinningPlatform spinning(v);
    const PlatformOverride useSpinning(spinning);
    widget.withContext([&] {
        EXPECT_TRUE(importModelMesh(
            v, 1, QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath("model/Tardis.3ds")));
    });
    ASSERT_EQ(spinning.anglesSeenDuringWaits.size(), 3u);
    for (float angle : spinning.anglesSeenDuringWaits)
        EXPECT_EQ(angle, 400);
    // Once the model is in, frames are drawn again.
    QTest::qWait(300);
    EXPECT_FLOAT_EQ(v.textRotation.x, -320);
}
