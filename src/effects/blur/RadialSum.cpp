// The radial overlay's copies added up on the processor, row by row.
#include "effects/blur/RadialSum.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace {

// A pixel centre's place between two texels: the texels (wrapped) and the second one's weight.
struct Tap {
    int first, second;
    float weight;
};

int wrapped(double index, int size) {
    const double r = std::fmod(index, double(size));
    return int(r < 0 ? r + size : r);
}

// Where the centres of `count` pixels across the frame land among `size` texels for a copy whose
// square starts `inset` inside the texture: from inset at the frame's first edge to 1 - inset at
// its last, as the copy's quad maps its texture coordinates.
void findTaps(float inset, int count, int size, std::vector<Tap>& taps) {
    taps.resize(std::size_t(count));
    const double span = 1.0 - 2.0 * double(inset);
    for (int n = 0; n < count; ++n) {
        const double texel = (inset + (n + 0.5) / count * span) * size - 0.5;
        const double below = std::floor(texel);
        taps[std::size_t(n)] = {wrapped(below, size), wrapped(below + 1, size),
                                float(texel - below)};
    }
}

float clampUnit(float value) {
    return std::isfinite(value) ? std::clamp(value, 0.0f, 1.0f) : 0.0f;
}

// Each copy's taps across and up the frame, and its alpha.
struct CopyTaps {
    std::vector<Tap> across, up;
    float alpha;
};

// The capture's texel row `row` resampled across the frame. `levels` and `rises` are scratch
// rows of the capture's width: each texel's value and the step to the next one (wrapping).
void resampleRow(const RadialSumJob& job, const std::vector<Tap>& across, int row, float* out,
                 float* __restrict levels, float* __restrict rises) {
    const std::uint8_t* texels = job.capture + std::size_t(row) * std::size_t(job.size);
    const std::size_t size = std::size_t(job.size);
    for (std::size_t i = 0; i < size; ++i)
        levels[i] = texels[i];
    for (std::size_t i = 0; i + 1 < size; ++i)
        rises[i] = levels[i + 1] - levels[i];
    rises[size - 1] = levels[0] - levels[size - 1];
    for (std::size_t x = 0; x < across.size(); ++x) {
        const Tap& t = across[x];
        out[x] = levels[t.first] + rises[t.first] * t.weight;
    }
}

// out += alpha x (low blended toward high by w), element by element.
void addBlendedRow(float* __restrict out, const float* __restrict low, const float* __restrict high,
                   float w, float alpha, std::size_t count) {
    for (std::size_t x = 0; x < count; ++x)
        out[x] += alpha * (low[x] + (high[x] - low[x]) * w);
}

// Two resampled texel rows of one copy, reused while consecutive frame rows fall between the
// same two texel rows.
struct RowCache {
    std::vector<float> rows[2];
    std::vector<float> levels, rises;
    int texelRow[2] = {-1, -1};

    const float* row(const RadialSumJob& job, const std::vector<Tap>& across, int wanted,
                     int keep) {
        for (int i = 0; i < 2; ++i)
            if (texelRow[i] == wanted) return rows[i].data();
        const int slot = texelRow[0] == keep ? 1 : 0;
        rows[slot].resize(across.size());
        levels.resize(std::size_t(job.size));
        rises.resize(std::size_t(job.size));
        resampleRow(job, across, wanted, rows[slot].data(), levels.data(), rises.data());
        texelRow[slot] = wanted;
        return rows[slot].data();
    }
};

// Adds every copy into each frame row of [firstRow, endRow), a row at a time so that the row's
// sum stays in the cache while the copies add to it.
void sumRows(const RadialSumJob& job, const std::vector<CopyTaps>& copies, float* sum, int firstRow,
             int endRow) {
    const std::size_t width = std::size_t(job.width);
    std::vector<RowCache> caches(copies.size());
    for (int y = firstRow; y < endRow; ++y) {
        float* out = sum + std::size_t(y) * width;
        for (std::size_t k = 0; k < copies.size(); ++k) {
            const CopyTaps& copy = copies[k];
            if (copy.alpha <= 0) continue;
            const Tap& t = copy.up[std::size_t(y)];
            const float* low = caches[k].row(job, copy.across, t.first, t.second);
            const float* high =
                t.second == t.first ? low : caches[k].row(job, copy.across, t.second, t.first);
            addBlendedRow(out, low, high, t.weight, copy.alpha, width);
        }
    }
}

std::uint8_t toByte(float value) {
    return std::uint8_t(std::min(255.0f, std::floor(value + 0.5f)));
}

} // namespace

void sumRadialCopies(const RadialSumJob& job, RadialSumBuffers& buffers, int threads) {
    const std::size_t pixels =
        std::size_t(std::max(job.width, 0)) * std::size_t(std::max(job.height, 0));
    buffers.sum.assign(pixels, 0.0f);
    buffers.pixels.assign(pixels * 4, 0);
    if (pixels == 0 || !job.capture || job.size <= 0) return;

    std::vector<CopyTaps> copies(std::size_t(std::max(job.count, 0)));
    int alphaSum = 0; // what the copies add to the frame's alpha, in bytes
    for (std::size_t k = 0; k < copies.size(); ++k) {
        const RadialCopy& c = job.copies[k];
        findTaps(c.inset, job.width, job.size, copies[k].across);
        findTaps(c.inset, job.height, job.size, copies[k].up);
        copies[k].alpha = clampUnit(c.alpha);
        const int a = toByte(copies[k].alpha * 255.0f);
        alphaSum += (a * a + 127) / 255;
    }

    threads = std::clamp(threads, 1, std::max(1, job.height / 16));
    std::vector<std::thread> helpers;
    for (int t = 1; t < threads; ++t)
        helpers.emplace_back([&, t] {
            sumRows(job, copies, buffers.sum.data(), job.height * t / threads,
                    job.height * (t + 1) / threads);
        });
    sumRows(job, copies, buffers.sum.data(), 0, job.height / threads);
    for (std::thread& helper : helpers)
        helper.join();

    const float red = clampUnit(job.red), green = clampUnit(job.green), blue = clampUnit(job.blue);
    const std::uint8_t alpha = std::uint8_t(std::min(alphaSum, 255));
    std::uint8_t* out = buffers.pixels.data();
    for (std::size_t i = 0; i < pixels; ++i, out += 4) {
        const float grey = buffers.sum[i];
        out[0] = toByte(red * grey);
        out[1] = toByte(green * grey);
        out[2] = toByte(blue * grey);
        out[3] = alpha;
    }
}
