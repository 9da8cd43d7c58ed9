// Mouse drags: without a Control Deck left turns the text about X and Y, right about Z; with the
// Text page the selected entry decides, and the page is told to show its values again.
#include "controls/MouseControl.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingDeck.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

void drag(CZoetraView& v, Qt::MouseButton button, int dx, int dy,
          Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    mousePress(v, button, 100, 100);
    mouseMove(v, 100 + dx, 100 + dy, modifiers);
    mouseRelease(v, button);
}

} // namespace

TEST(MouseControl, LeftDragTurnsTheTextByHalfTheMovement) {
    auto v = makeScene();
    drag(*v, Qt::LeftButton, 10, 0);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 0));
    drag(*v, Qt::LeftButton, 0, -6);
    EXPECT_EQ(v->textRotation, Vec3(-3, 5, 0));
    EXPECT_FLOAT_EQ(v->dragStepY, -3);
    EXPECT_EQ(v->buttonDown, 0);
}

TEST(MouseControl, UpsideDownTextTurnsTheOtherWay) {
    auto v = makeScene();
    v->textRotation = {180, 0, 0};
    drag(*v, Qt::LeftButton, 10, 0);
    EXPECT_FLOAT_EQ(v->textRotation.y, -5);
    // The test uses the angle brought into range: 540 is -180, still upside down.
    v->textRotation = {540, 0, 0};
    drag(*v, Qt::LeftButton, 10, 0);
    EXPECT_FLOAT_EQ(v->textRotation.x, -180);
    EXPECT_FLOAT_EQ(v->textRotation.y, -5);
    // At exactly 90 the text is not yet upside down.
    v->textRotation = {90, 0, 0};
    drag(*v, Qt::LeftButton, 10, 0);
    EXPECT_FLOAT_EQ(v->textRotation.y, 5);
}

TEST(MouseControl, RightDragTurnsAboutZByHalfTheSum) {
    auto v = makeScene();
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 0, 5));
    EXPECT_EQ(v->rightButtonDown, 0);
}

TEST(MouseControl, ControlHeldOnlyMovesTheAnchor) {
    auto v = makeScene();
    mousePress(*v, Qt::LeftButton, 10, 10);
    mouseMove(*v, 30, 50, Qt::ControlModifier);
    EXPECT_EQ(v->textRotation, Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(v->dragStepX, 10);
    // The next move counts from the point where Control was held.
    mouseMove(*v, 34, 50, Qt::NoModifier);
    EXPECT_EQ(v->textRotation, Vec3(0, 2, 0));
}

TEST(MouseControl, StepsAccumulateFromTheLastPointAndNeedAButton) {
    auto v = makeScene();
    mouseMove(*v, 50, 50, Qt::NoModifier); // no button: ignored
    EXPECT_EQ(v->textRotation, Vec3(0, 0, 0));
    mousePress(*v, Qt::LeftButton, 0, 0);
    for (int x = 1; x <= 4; ++x)
        mouseMove(*v, x * 3, 0, Qt::NoModifier); // odd pixel steps give half degrees
    EXPECT_FLOAT_EQ(v->textRotation.y, 6);
    mouseRelease(*v, Qt::LeftButton);
    mouseMove(*v, 100, 0, Qt::NoModifier);
    EXPECT_FLOAT_EQ(v->textRotation.y, 6);
}

TEST(MouseControl, NoTargetNoChange) {
    auto v = makeScene();
    v->mouseTargetText = 0;
    drag(*v, Qt::LeftButton, 10, 10);
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 0, 0));
}

TEST(MouseControl, TheTextPagesSelectedEntryDecidesWhatADragMoves) {
    auto v = makeScene();
    RecordingDeck deck;
    v->deck = &deck;
    v->pageCreated[pageIndex(DeckPage::Text)] = true;
    auto select = [&](int entry) { v->selectedEntry[pageIndex(DeckPage::Text)] = entry; };

    select(1); // Text Pan and Zoom: across is X, up is Y, the right button zooms
    drag(*v, Qt::LeftButton, 10, 4);
    EXPECT_EQ(v->textPosition, Vec3(5, -2, 0));
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_EQ(v->textPosition, Vec3(5, -2, 10)); // a full sum, not half
    EXPECT_EQ(v->textRotation, Vec3(0, 0, 0));
    EXPECT_EQ(deck.calls, (QStringList{"values 1", "values 1"}));

    select(3); // Colour Background: the left button still turns the text, the right does nothing
    drag(*v, Qt::LeftButton, 10, 0);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 0));
    EXPECT_EQ(v->backgroundColour, Vec3(0, 0, 0));
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 0));

    select(0); // Text Rotate: half the sum about Z
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 5));

    select(10); // Fade Alpha has no drag at all
    deck.calls.clear();
    drag(*v, Qt::LeftButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 5));
    EXPECT_FLOAT_EQ(v->textFade, 255);
    EXPECT_TRUE(deck.calls.isEmpty());

    select(-1); // the page selects nothing: no drag either
    drag(*v, Qt::LeftButton, 10, 10);
    EXPECT_EQ(v->textRotation, Vec3(0, 5, 5));
    v->deck = nullptr;
}

TEST(TextAngles, BroughtIntoRangeByWholeDoubleTurns) {
    Vec3 a{400, -400, 360};
    normaliseTextAngles(a);
    EXPECT_EQ(a, Vec3(-320, 320, 360));
    a = {1e30f, -1080, 1081};
    normaliseTextAngles(a);
    EXPECT_LE(std::abs(a.x), 360);
    EXPECT_EQ(a.y, -360);
    EXPECT_EQ(a.z, 361 - 720);
    a = {std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN(), 0};
    normaliseTextAngles(a);
    EXPECT_EQ(a, Vec3(0, 0, 0));
}
