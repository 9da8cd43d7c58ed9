// Spectral-flux onset detection with a small radix-2 FFT of its own.
#include "audio/BeatDetector.h"

#include "audio/AudioDecoder.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <numbers>

namespace {
// In-place iterative radix-2 FFT; data.size() is a power of two.
void fft(std::vector<std::complex<float>>& data) {
    const std::size_t n = data.size();
    for (std::size_t i = 1, j = 0; i < n; ++i) {
        std::size_t bit = n >> 1;
        for (; j & bit; bit >>= 1)
            j ^= bit;
        j ^= bit;
        if (i < j) std::swap(data[i], data[j]);
    }
    for (std::size_t length = 2; length <= n; length <<= 1) {
        const float angle = -2.0f * std::numbers::pi_v<float> / static_cast<float>(length);
        const std::complex<float> step(std::cos(angle), std::sin(angle));
        for (std::size_t i = 0; i < n; i += length) {
            std::complex<float> w(1.0f, 0.0f);
            for (std::size_t k = 0; k < length / 2; ++k) {
                const std::complex<float> u = data[i + k];
                const std::complex<float> v = data[i + k + length / 2] * w;
                data[i + k] = u + v;
                data[i + k + length / 2] = u - v;
                w *= step;
            }
        }
    }
}

constexpr int kMeanSpan = 40;   // spectra on each side for the local average (~0.2 s)
constexpr int kPeakSpan = 6;    // a peak is the largest within this many spectra each side
constexpr double kMinGap = 0.1; // seconds between two beats at least
} // namespace

BeatDetector::BeatDetector() : window_(kWindow, 0.0f), hann_(kWindow) {
    for (int i = 0; i < kWindow; ++i)
        hann_[std::size_t(i)] =
            0.5f - 0.5f * std::cos(2.0f * std::numbers::pi_v<float> * float(i) / float(kWindow));
}

void BeatDetector::feed(const float* interleaved, int samples) {
    for (int i = 0; i < samples; ++i) {
        // window_ is a ring: head_ is where the oldest sample sits once it is full.
        window_[std::size_t(head_)] = 0.5f * (interleaved[2 * i] + interleaved[2 * i + 1]);
        head_ = (head_ + 1) % kWindow;
        ++fed_;
        if (filled_ < kWindow) ++filled_;
        if (filled_ < kWindow) continue;
        if (fed_ == kWindow || ++sinceLast_ >= kHop) {
            sinceLast_ = 0;
            spectrum();
        }
    }
}

void BeatDetector::spectrum() {
    std::vector<std::complex<float>> bins(kWindow);
    for (int i = 0; i < kWindow; ++i)
        bins[std::size_t(i)] = {window_[std::size_t((head_ + i) % kWindow)] * hann_[std::size_t(i)],
                                0.0f};
    fft(bins);
    std::vector<float> magnitude(kWindow / 2);
    for (int k = 0; k < kWindow / 2; ++k)
        magnitude[std::size_t(k)] = std::log1p(100.0f * std::abs(bins[std::size_t(k)]));
    float flux = 0;
    if (!previous_.empty())
        for (int k = 0; k < kWindow / 2; ++k)
            flux += std::max(0.0f, magnitude[std::size_t(k)] - previous_[std::size_t(k)]);
    previous_ = std::move(magnitude);
    flux_.push_back(flux);
    at_.push_back(fed_ - kWindow);
}

std::vector<double> BeatDetector::onsetSeconds() const {
    std::vector<double> onsets;
    const int n = static_cast<int>(flux_.size());
    if (n == 0) return onsets;
    const float loudest = *std::max_element(flux_.begin(), flux_.end());
    if (loudest <= 0) return onsets;
    double lastOnset = -1e9;
    for (int i = 0; i < n; ++i) {
        const float f = flux_[std::size_t(i)];
        bool peak = true;
        for (int j = std::max(0, i - kPeakSpan); j <= std::min(n - 1, i + kPeakSpan) && peak; ++j)
            peak = j == i || flux_[std::size_t(j)] < f || (flux_[std::size_t(j)] == f && j > i);
        if (!peak) continue;
        double sum = 0;
        int count = 0;
        for (int j = std::max(0, i - kMeanSpan); j <= std::min(n - 1, i + kMeanSpan); ++j, ++count)
            sum += flux_[std::size_t(j)];
        if (f < 1.5 * sum / count + 0.1 * loudest) continue;
        // The flux grows fastest while the onset crosses the first quarter of the window.
        const double seconds = double(at_[std::size_t(i)] + kWindow / 4) / double(kSoundtrackRate);
        if (seconds - lastOnset < kMinGap) continue;
        onsets.push_back(seconds);
        lastOnset = seconds;
    }
    return onsets;
}

std::vector<int> BeatDetector::onsetFrames(int framesPerSecond) const {
    std::vector<int> frames;
    for (double seconds : onsetSeconds()) {
        const int frame = static_cast<int>(std::lround(seconds * framesPerSecond));
        if (frames.empty() || frames.back() != frame) frames.push_back(frame);
    }
    return frames;
}
