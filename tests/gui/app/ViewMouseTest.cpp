// Dragging the mouse over the view turns the text: half a degree per pixel, Y flipped upside down.
#include "app/ZoetraGLWidget.h"
#include "scene/CZoetraView.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TextMouse : public ::testing::Test {
  protected:
    void SetUp() override {
        widget.resize(360, 240);
        QSignalSpy initialised(&widget, &ZoetraGLWidget::sceneInitialised);
        widget.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
        if (!widget.sceneReady()) {
            ASSERT_TRUE(initialised.wait(10000));
        }
    }

    // Presses at `from`, moves in `steps` equal moves to `to`, releases there.
    void drag(Qt::MouseButton button, QPoint from, QPoint to, int steps = 1,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mousePress(&widget, button, modifiers, from);
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(&widget, from + (to - from) * i / steps);
        QTest::mouseRelease(&widget, button, modifiers, to);
    }

    ZoetraGLWidget widget;
};

} // namespace

TEST_F(TextMouse, TenPixelsRightTurnsTheTextFiveDegreesAboutY) {
    CZoetraView& v = widget.scene();
    v.textRotation = {0, 0, 0};
    drag(Qt::LeftButton, {100, 100}, {110, 100});
    EXPECT_FLOAT_EQ(v.textRotation.y, 5);
    EXPECT_FLOAT_EQ(v.textRotation.x, 0);
    EXPECT_EQ(v.buttonDown, 0);

    // Upside down, the same drag turns it back the other way.
    v.textRotation = {180, 0, 0};
    drag(Qt::LeftButton, {100, 100}, {110, 100});
    EXPECT_FLOAT_EQ(v.textRotation.y, -5);
}

TEST_F(TextMouse, DownwardDragTurnsAboutXAndRightDragAboutZ) {
    CZoetraView& v = widget.scene();
    v.textRotation = {0, 0, 0};
    drag(Qt::LeftButton, {50, 50}, {50, 90}, 4);
    EXPECT_FLOAT_EQ(v.textRotation.x, 20);
    drag(Qt::RightButton, {50, 50}, {60, 60});
    EXPECT_FLOAT_EQ(v.textRotation.z, 5);
    EXPECT_EQ(v.rightButtonDown, 0);
}
