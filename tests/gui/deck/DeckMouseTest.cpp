// Mouse drags in the view with the Control Deck open: the last activated page picks the layer,
// its selected entry the values, and its sliders and edits follow each change.
#include "support/gui/DeckFixture.h"

#include "controls/PageModel.h"
#include "effects/Effects.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

class DeckMouse : public OpenDeckFixture {
  protected:
    QWidget* viewWidget() { return frame->viewWidget(); }

    // A move event as the window system sends it while `buttons` are held.
    void moveTo(QPoint to, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
        QWidget* w = viewWidget();
        QMouseEvent move(QEvent::MouseMove, QPointF(to), QPointF(w->mapToGlobal(to)), Qt::NoButton,
                         buttons, modifiers);
        QApplication::sendEvent(w, &move);
    }

    // Presses at `from`, moves to `to` in one move, releases there.
    void drag(Qt::MouseButton button, QPoint from, QPoint to,
              Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::mousePress(viewWidget(), button, modifiers, from);
        moveTo(to, button, modifiers);
        QTest::mouseRelease(viewWidget(), button, modifiers, to);
    }
};

} // namespace

TEST_F(DeckMouse, TenPixelsRightTurnsTheTextFiveDegreesAndThePageFollows) {
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    scene().textRotation = {0, 0, 0};
    drag(Qt::LeftButton, {100, 100}, {110, 100});
    EXPECT_FLOAT_EQ(scene().textRotation.y, 5);
    EXPECT_FLOAT_EQ(scene().textRotation.x, 0);
    EXPECT_EQ(text->slider(1)->value(), 5);
    EXPECT_EQ(text->edit(1)->text(), "5");
    // Down turns it about X.
    drag(Qt::LeftButton, {100, 100}, {100, 120});
    EXPECT_FLOAT_EQ(scene().textRotation.x, 10);
    EXPECT_EQ(text->edit(0)->text(), "10");
}

TEST_F(DeckMouse, ARightDragAddsHalfTheMovementOrAllOfIt) {
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    scene().textRotation = {0, 0, 0};
    scene().textPosition = {0, 0, 0};
    // "Text Rotate" moves by half: 10 + 10 pixels give 5.
    drag(Qt::RightButton, {100, 100}, {110, 110});
    EXPECT_FLOAT_EQ(scene().textRotation.z, 5);
    EXPECT_EQ(text->slider(2)->value(), 5);
    // "Text Pan and Zoom" by the whole: 10.
    chooseEntry(text->entryCombo(), 1);
    drag(Qt::RightButton, {100, 100}, {110, 110});
    EXPECT_FLOAT_EQ(scene().textPosition.z, 10);
    EXPECT_FLOAT_EQ(scene().textRotation.z, 5);
    EXPECT_EQ(text->edit(2)->text(), "10");
    // A left drag pans it: right is +X, down is -Y.
    drag(Qt::LeftButton, {100, 100}, {120, 110});
    EXPECT_FLOAT_EQ(scene().textPosition.x, 10);
    EXPECT_FLOAT_EQ(scene().textPosition.y, -5);
    EXPECT_EQ(text->slider(1)->value(), -5);
}

TEST_F(DeckMouse, HoldingControlChangesNothing) {
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    scene().textRotation = {0, 0, 0};
    drag(Qt::LeftButton, {100, 100}, {150, 140}, Qt::ControlModifier);
    drag(Qt::RightButton, {100, 100}, {150, 140}, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(scene().textRotation.x, 0);
    EXPECT_FLOAT_EQ(scene().textRotation.y, 0);
    EXPECT_FLOAT_EQ(scene().textRotation.z, 0);
    EXPECT_EQ(text->edit(1)->text(), "0");
}

TEST_F(DeckMouse, TheKeyframeAndBlurTabsKeepThePreviousTarget) {
    clickTab(sheet, DeckPage::Text);
    EXPECT_FLOAT_EQ(scene().mouseTargetText, 2);
    EXPECT_FLOAT_EQ(scene().mousePage, 1);
    // Another layer's target, as a page that routes the mouse leaves it.
    scene().mouseTargetText = 0;
    scene().mouseTargetPictures = 2;
    scene().mousePage = 9;
    for (DeckPage keeping : {DeckPage::Keyframes, DeckPage::Blur}) {
        clickTab(sheet, keeping);
        EXPECT_FLOAT_EQ(scene().mouseTargetText, 0);
        EXPECT_FLOAT_EQ(scene().mouseTargetPictures, 2);
        EXPECT_FLOAT_EQ(scene().mousePage, 9);
    }
    // The text tab takes the mouse back.
    clickTab(sheet, DeckPage::Text);
    EXPECT_FLOAT_EQ(scene().mouseTargetText, 2);
    EXPECT_FLOAT_EQ(scene().mouseTargetPictures, 0);
    scene().textRotation = {0, 0, 0};
    drag(Qt::LeftButton, {100, 100}, {110, 100});
    EXPECT_FLOAT_EQ(scene().textRotation.y, 5);
}

// One left drag on every page that takes the mouse: its first entry's rule moves the values and
// the page shows them.
TEST_F(DeckMouse, OneDragPerLayer) {
    for (const ControlPage* table : allControlPages()) {
        SCOPED_TRACE(table->caption);
        if (!table->leftDragGate) continue;
        CEffectPage* page = clickTab(sheet, table->page);
        chooseEntry(page->entryCombo(), 0);
        scene().textRotation = {0, 0, 0};
        // A page that leaves the mouse target alone (the blur) has no drag of its own.
        if (!table->routesMouse) {
            EXPECT_FALSE(table->leftDragGate(scene(), table->instance));
            continue;
        }
        EXPECT_TRUE(table->leftDragGate(scene(), table->instance));
        const ControlEntry& selected = table->entries[0];
        const DragRule& rule = selected.leftDrag;
        if (rule.move == DragMove::None) continue;
        const ControlEntry& moved = table->entries[size_t(rule.entry >= 0 ? rule.entry : 0)];
        float before[3];
        for (int n = 0; n < 3; ++n) {
            const ValueHandle value = controlValue(scene(), *table, moved.values[n]);
            before[n] = value ? value.get() : 0;
        }
        // h = 5, v = 3.
        drag(Qt::LeftButton, {100, 100}, {110, 106});
        const float f = rule.factor;
        float expected[3] = {before[0], before[1], before[2]};
        if (rule.move == DragMove::TurnXY) {
            expected[0] += 3 * f;
            expected[1] += 5 * f;
        } else if (rule.move == DragMove::PanXY) {
            expected[0] += 5 * f;
            expected[1] -= 3 * f;
        } else if (rule.move == DragMove::AlongZ) {
            expected[2] += 8 * f;
        }
        for (int n = 0; n < 3; ++n) {
            const ValueHandle value = controlValue(scene(), *table, moved.values[n]);
            if (!value) continue;
            EXPECT_NEAR(value.get(), expected[n], 1e-4) << n;
            if (&moved == &selected && selected.enabled[n]) {
                EXPECT_EQ(page->edit(n)->text(),
                          QString::number(valuePosition(value.get(), selected.scale)))
                    << n;
            }
        }
    }
}
