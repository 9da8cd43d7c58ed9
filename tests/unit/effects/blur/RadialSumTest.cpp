// The radial overlay's processor sum against a plain per-pixel reference: every copy sampled
// bilinearly with wrapping at each pixel's centre, whatever the insets, sizes and thread counts.
#include "effects/blur/RadialSum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <vector>

namespace {

// The capture sampled as a GL_REPEAT, GL_LINEAR texture at (u, v), texel rows bottom-up.
double sampleWrapped(const std::vector<std::uint8_t>& capture, int size, double u, double v) {
    auto texel = [&](long x, long y) {
        const long wx = ((x % size) + size) % size, wy = ((y % size) + size) % size;
        return double(capture[std::size_t(wy * size + wx)]);
    };
    const double tx = u * size - 0.5, ty = v * size - 0.5;
    const double fx = std::floor(tx), fy = std::floor(ty);
    const double ax = tx - fx, ay = ty - fy;
    const long x0 = long(fx), y0 = long(fy);
    const double low = texel(x0, y0) * (1 - ax) + texel(x0 + 1, y0) * ax;
    const double high = texel(x0, y0 + 1) * (1 - ax) + texel(x0 + 1, y0 + 1) * ax;
    return low * (1 - ay) + high * ay;
}

// The grey each pixel gets: the copies' alpha-weighted samples, added one by one.
std::vector<double> referenceSum(const RadialSumJob& job,
                                 const std::vector<std::uint8_t>& capture) {
    std::vector<double> sum(std::size_t(job.width) * job.height, 0.0);
    for (int k = 0; k < job.count; ++k) {
        const RadialCopy c = job.copies[k];
        const double span = 1.0 - 2.0 * c.inset;
        for (int y = 0; y < job.height; ++y)
            for (int x = 0; x < job.width; ++x) {
                const double u = c.inset + (x + 0.5) / job.width * span;
                const double v = c.inset + (y + 0.5) / job.height * span;
                sum[std::size_t(y) * job.width + x] +=
                    c.alpha * sampleWrapped(capture, job.size, u, v);
            }
    }
    return sum;
}

std::vector<std::uint8_t> randomCapture(int size, unsigned seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> capture(std::size_t(size) * size);
    for (std::uint8_t& texel : capture)
        texel = std::uint8_t(random() & 0xff);
    return capture;
}

} // namespace

TEST(RadialSum, MatchesSamplingEveryCopyAtEveryPixel) {
    const int size = 16;
    const std::vector<std::uint8_t> capture = randomCapture(size, 7);
    // Copies magnified and shrunk, one mirrored (an inset past the middle), some reaching past
    // the texture's edges where the wrap decides what they show.
    const std::vector<RadialCopy> copies = {{0.0f, 0.30f}, {0.12f, 0.25f}, {0.31f, 0.2f},
                                            {0.6f, 0.15f}, {-0.35f, 0.1f}, {1.7f, 0.05f}};
    RadialSumJob job;
    job.capture = capture.data();
    job.size = size;
    job.copies = copies.data();
    job.count = int(copies.size());
    job.red = 0.25f;
    job.green = 0.5f;
    job.blue = 1.0f;
    job.width = 37; // neither a multiple nor a divisor of the capture's size
    job.height = 23;

    RadialSumBuffers buffers;
    sumRadialCopies(job, buffers, 1);
    const std::vector<double> expected = referenceSum(job, capture);
    ASSERT_EQ(buffers.sum.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        ASSERT_NEAR(buffers.sum[i], expected[i], 1e-3 * 255) << "pixel " << i;

    // The bytes are colour x sum, rounded and held at 255, with the copies' alpha x alpha.
    int alphaBytes = 0;
    for (const RadialCopy& c : copies) {
        const int a = int(std::floor(c.alpha * 255 + 0.5));
        alphaBytes += (a * a + 127) / 255;
    }
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const std::uint8_t* p = &buffers.pixels[i * 4];
        EXPECT_NEAR(p[0], std::min(255.0, 0.25 * expected[i]), 1.0);
        EXPECT_NEAR(p[1], std::min(255.0, 0.5 * expected[i]), 1.0);
        EXPECT_NEAR(p[2], std::min(255.0, expected[i]), 1.0);
        EXPECT_EQ(p[3], alphaBytes);
    }
}

TEST(RadialSum, TheResultDoesNotDependOnTheThreadsOrTheBuffersLastUse) {
    const int size = 64;
    const std::vector<std::uint8_t> capture = randomCapture(size, 11);
    std::vector<RadialCopy> copies;
    for (int k = 0; k < 45; ++k)
        copies.push_back({0.004f * k, 0.02f * (45 - k) / 45.0f});
    RadialSumJob job;
    job.capture = capture.data();
    job.size = size;
    job.copies = copies.data();
    job.count = int(copies.size());
    job.red = job.green = job.blue = 1.0f;
    job.width = 200;
    job.height = 150;

    RadialSumBuffers one, many;
    sumRadialCopies(job, one, 1);
    // A larger frame first leaves the buffers bigger and full of another picture.
    job.width = 300;
    sumRadialCopies(job, many, 3);
    job.width = 200;
    sumRadialCopies(job, many, 5);
    EXPECT_EQ(one.pixels, many.pixels);
}

TEST(RadialSum, BrightCopiesSaturateAndNothingIsReadWithoutACapture) {
    const std::vector<std::uint8_t> white(8 * 8, 255);
    const std::vector<RadialCopy> copies = {{0.1f, 1.0f}, {0.2f, 1.0f}, {0.3f, 2.0f}};
    RadialSumJob job;
    job.capture = white.data();
    job.size = 8;
    job.copies = copies.data();
    job.count = 3;
    job.red = 1.0f;
    job.width = 10;
    job.height = 6;
    RadialSumBuffers buffers;
    sumRadialCopies(job, buffers, 2);
    ASSERT_EQ(buffers.pixels.size(), 10u * 6 * 4);
    for (std::size_t i = 0; i < buffers.pixels.size(); i += 4) {
        EXPECT_EQ(buffers.pixels[i], 255);     // three full copies held at full intensity
        EXPECT_EQ(buffers.pixels[i + 1], 0);   // no green asked for
        EXPECT_EQ(buffers.pixels[i + 3], 255); // alpha above 1 counts as 1, the sum held too
    }

    job.capture = nullptr; // a capture that could not be read adds nothing
    sumRadialCopies(job, buffers, 2);
    for (std::uint8_t byte : buffers.pixels)
        ASSERT_EQ(byte, 0);
}
