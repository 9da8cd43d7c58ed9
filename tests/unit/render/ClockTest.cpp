// The virtual clock makes file renders independent of machine speed.
#include "render/Clock.h"

#include <gtest/gtest.h>

TEST(Clock, VirtualClockMovesOnlyWhenToldAndOverridesNest) {
    VirtualClock outer(100), inner(5000);
    {
        ClockOverride o(outer);
        EXPECT_EQ(activeClock().clockMs(), 100);
        activeClock().sleepMs(10);
        EXPECT_EQ(activeClock().clockMs(), 110);
        {
            ClockOverride i(inner);
            EXPECT_EQ(activeClock().tickCountMs(), 5000u);
        }
        outer.advance(1000.0 / 30);
        EXPECT_EQ(activeClock().clockMs(), 143);
    }
    EXPECT_NE(&activeClock(), &outer);
}
