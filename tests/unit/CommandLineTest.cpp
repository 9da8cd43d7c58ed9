// Parsing of the command line's frame ranges and sizes.
#include "cli/Commands.h"

#include <gtest/gtest.h>

TEST(CommandLine, FrameRanges) {
    EXPECT_EQ(parseFrameRange("0-4"), std::make_pair(0, 4));
    EXPECT_EQ(parseFrameRange("7"), std::make_pair(7, 7));
    EXPECT_FALSE(parseFrameRange("4-0"));
    EXPECT_FALSE(parseFrameRange("-3"));
    EXPECT_FALSE(parseFrameRange("a-b"));
    EXPECT_FALSE(parseFrameRange("1-2-3"));
}

TEST(CommandLine, Sizes) {
    EXPECT_EQ(parseSize("640x360"), std::make_pair(640, 360));
    EXPECT_FALSE(parseSize("0x10"));
    EXPECT_FALSE(parseSize("640"));
    EXPECT_FALSE(parseSize("99999x2"));
}
