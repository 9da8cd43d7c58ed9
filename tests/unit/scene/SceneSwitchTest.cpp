// The on/off convention of the switches and the two-click cycle of the toggle buttons.
#include "scene/Switch.h"

#include <gtest/gtest.h>

namespace {

TEST(SceneSwitch, OnIsAtLeastTwoAndOffAtMostOne) {
    EXPECT_TRUE(isOn(2.0f));
    EXPECT_TRUE(isOn(2.5f));
    EXPECT_FALSE(isOn(1.99f));
    EXPECT_TRUE(isOff(0.0f));
    EXPECT_TRUE(isOff(1.0f));
    EXPECT_TRUE(isOff(-3.0f));
    EXPECT_FALSE(isOff(1.01f));
    // 1.5 is neither: a test for on sees it off, a test for off does not see it off either.
    EXPECT_FALSE(isOn(1.5f));
    EXPECT_FALSE(isOff(1.5f));
}

TEST(SceneSwitch, ClickCounterAlternatesAndClearsOnTheSecondClick) {
    float counter = 0;
    EXPECT_EQ(advanceClickCounter(counter), Click::First);
    EXPECT_FLOAT_EQ(counter, 1);
    EXPECT_EQ(advanceClickCounter(counter), Click::Second);
    EXPECT_FLOAT_EQ(counter, 0);
    EXPECT_EQ(advanceClickCounter(counter), Click::First);

    // A counter that starts at 1 (a box synchronised as ticked) takes the second step first.
    float synced = 1;
    EXPECT_EQ(advanceClickCounter(synced), Click::Second);
    EXPECT_FLOAT_EQ(synced, 0);
}

} // namespace
