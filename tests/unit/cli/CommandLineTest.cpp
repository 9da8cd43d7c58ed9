// Parsing of the command line's frame ranges and sizes, and what a spread render hands its workers.
#include "cli/Commands.h"
#include "cli/ParallelRender.h"

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

// A spread render's chunks: contiguous, in order, covering the range once, their lengths at most
// one apart, never empty even with more jobs than frames.
TEST(CommandLine, ChunksOfASpreadRender) {
    using Chunks = std::vector<std::pair<int, int>>;
    EXPECT_EQ(splitFrameRange(0, 10, 3), (Chunks{{0, 3}, {4, 6}, {7, 9}}));
    EXPECT_EQ(splitFrameRange(100, 4, 2), (Chunks{{100, 101}, {102, 103}}));
    EXPECT_EQ(splitFrameRange(5, 2, 8), (Chunks{{5, 5}, {6, 6}}));
    EXPECT_EQ(splitFrameRange(0, 7, 1), (Chunks{{0, 6}}));
    EXPECT_TRUE(splitFrameRange(0, 0, 4).empty());
}

// Only encoders whose frames stand alone are spread; a worker renders its chunk alone, at the
// run's size, rate and encoder.
TEST(CommandLine, WhatASpreadRenderHandsItsWorkers) {
    VideoOutput mjpeg{"/out/a.avi", "", 3, 2, {}};
    EXPECT_TRUE(canSpreadRender(mjpeg));
    EXPECT_TRUE(canSpreadRender({"/out/a.avi", "huffyuv", 3, 2, {}}));
    EXPECT_FALSE(canSpreadRender({"/out/a.avi", "mpeg4", 3, 2, {}}));
    EXPECT_FALSE(canSpreadRender({"/out/a.mp4", "", 3, 2, {}})); // H.264 or MPEG-4

    RenderOptions options;
    options.sequencePath = "/seq/Fire Ring.lmt";
    options.width = 320;
    options.height = 240;
    options.framesPerSecond = 25;
    EXPECT_EQ(
        workerArguments(options, {"/out/a.avi", "ffv1", 3, 2, {}}, "/tmp/chunk-1.avi", 40, 79),
        (QStringList{"render", "/seq/Fire Ring.lmt", "-o", "/tmp/chunk-1.avi", "--frames", "40-79",
                     "--size", "320x240", "--fps", "25", "--jobs", "1", "--codec", "ffv1"}));
    // Switches that change the pictures go to every worker.
    options.motionBlur = true;
    EXPECT_TRUE(workerArguments(options, mjpeg, "/tmp/chunk-0.avi", 0, 39)
                    .contains(QStringLiteral("--motion-blur")));
}
