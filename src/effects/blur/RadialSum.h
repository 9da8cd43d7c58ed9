// The radial overlay's copies added up on the processor, for software renderers: every copy
// is the capture stretched over the frame along both axes, so each copy's bilinear samples
// separate into a resampling of the capture's rows and a blend between two of them. The sum
// costs a few milliseconds where sampling the capture per copy and pixel costs tens.
#pragma once

#include "effects/blur/RadialSumProgram.h"

#include <cstdint>
#include <vector>

// What one overlay needs: the capture (size x size grey bytes, rows bottom-up, sampled with
// wrapping as a GL_REPEAT texture is), the copies, their colour and the frame's size.
struct RadialSumJob {
    const std::uint8_t* capture = nullptr;
    int size = 0;
    const RadialCopy* copies = nullptr;
    int count = 0;
    float red = 0, green = 0, blue = 0;
    int width = 0, height = 0;
};

// Working memory kept from one overlay to the next.
struct RadialSumBuffers {
    std::vector<float> sum;           // width x height: the copies' alpha-weighted grey
    std::vector<std::uint8_t> pixels; // width x height x 4: what the frame gets added
};

// Fills `buffers.pixels` with the sum of the copies, rows bottom-up, RGBA: each channel is
// colour x sum over the copies of alpha x (the capture sampled bilinearly where that copy lands
// on the pixel's centre), rounded to a byte and held at 255; alpha is the copies' alpha x alpha
// summed, as blending each copy with (GL_SRC_ALPHA, GL_ONE) adds it. The rows are shared out
// over `threads` threads; the result does not depend on how many.
void sumRadialCopies(const RadialSumJob& job, RadialSumBuffers& buffers, int threads = 2);
