// The frame loop's timing rules: the throttle, the capture pacing gate and the frame-rate count.
#include "render/FrameClock.h"
#include "render/Clock.h"
#include "render/FrameComposer.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>
#include <memory>

namespace {
struct FrameClockTest : ::testing::Test {
    VirtualClock clock{1000};
    ClockOverride use{clock};
    std::unique_ptr<CZoetraView> view = makeScene();
};
} // namespace

TEST_F(FrameClockTest, ThrottleIsStrictAndIdleWithoutLock) {
    view->lockToAviRate = 1;
    view->aviFrameRate = 25;
    view->lastFrameClock = 1000;
    clock.setNow(1040); // exactly 40 ms: not yet
    EXPECT_FALSE(frameDue(*view));
    clock.setNow(1041);
    EXPECT_TRUE(frameDue(*view));
    EXPECT_EQ(view->lastFrameClock, 1041);
    clock.setNow(1060);
    EXPECT_FALSE(frameDue(*view));

    view->aviFrameRate = 30; // 1000 / 30 = 33 ms in whole numbers
    clock.setNow(1041 + 33);
    EXPECT_FALSE(frameDue(*view));
    clock.setNow(1041 + 34);
    EXPECT_TRUE(frameDue(*view));

    view->lockToAviRate = 0;
    EXPECT_TRUE(frameDue(*view));
    EXPECT_TRUE(frameDue(*view));
}

TEST_F(FrameClockTest, ExportKeepsTheThrottleStartSoFramesFollowEachOther) {
    view->lockToAviRate = 1;
    view->aviFrameRate = 25;
    view->lastFrameClock = 1000;
    view->exportInProgress = 2.0f;
    clock.setNow(1041);
    EXPECT_TRUE(frameDue(*view));
    EXPECT_EQ(view->lastFrameClock, 1000);
    clock.setNow(1042);
    EXPECT_TRUE(frameDue(*view));
}

TEST_F(FrameClockTest, RateGateAllowsAtMostRatePerSecond) {
    resetRateGate();
    clock.setNow(5000);
    EXPECT_TRUE(rateGate(10));
    clock.setNow(5050);
    EXPECT_FALSE(rateGate(10));
    clock.setNow(5101);
    EXPECT_TRUE(rateGate(10));
    // One value shared by every caller: a faster caller's capture restarts the slower one's wait.
    clock.setNow(5150);
    EXPECT_TRUE(rateGate(100));
    clock.setNow(5210);
    EXPECT_FALSE(rateGate(10));
}

TEST_F(FrameClockTest, FrameRateWindowAndShownFigure) {
    view->fpsWindowStart = 0;
    for (int i = 0; i < 20; ++i)
        countFrame(*view);
    EXPECT_EQ(view->measuredFps, 0);
    clock.setNow(1010);
    countFrame(*view);
    EXPECT_EQ(view->measuredFps, 0); // 1010 ms is not more than 1010
    clock.setNow(1011);
    countFrame(*view);
    EXPECT_EQ(view->measuredFps, 22);
    EXPECT_EQ(view->framesThisSecond, 0);
    EXPECT_EQ(view->fpsWindowStart, 1011);
    EXPECT_STREQ(fpsText(22), "25 Fps");
}

TEST(FrameComposerRules, RadialBlurGateNeedsASourceAndABlur) {
    auto v = makeScene();
    v->blurText = 0;
    v->radialBlurOn = 2;
    EXPECT_FALSE(radialBlurGateOpen(*v)); // a blur but nothing to blur
    v->blurStars = 2;
    EXPECT_TRUE(radialBlurGateOpen(*v));
    v->radialBlurOn = 0;
    EXPECT_FALSE(radialBlurGateOpen(*v)); // something to blur but no blur
    v->modelRadialBlur[2] = 2;            // a model's own blur is both
    EXPECT_TRUE(radialBlurGateOpen(*v));
    v->blurStars = 0;
    EXPECT_TRUE(radialBlurGateOpen(*v));
    v->modelRadialBlur[2] = 1.5f; // neither on nor off counts as not on
    EXPECT_FALSE(radialBlurGateOpen(*v));
}
