// Finds where beats start in a soundtrack: the spectral flux (how much louder each frequency got
// since the last short window) rises sharply at an onset; its peaks above a local average are
// the beats.
#pragma once

#include <cstdint>
#include <vector>

class BeatDetector {
  public:
    BeatDetector();
    // Takes the next `samples` samples of interleaved stereo at the soundtrack rate.
    void feed(const float* interleaved, int samples);
    // The onset times found so far, in seconds, ascending.
    std::vector<double> onsetSeconds() const;
    // The onsets as timeline frames at `framesPerSecond` (nearest frame), without repeats.
    std::vector<int> onsetFrames(int framesPerSecond) const;

    static constexpr int kWindow = 1024; // samples per spectrum
    static constexpr int kHop = 256;     // samples between spectra

  private:
    void spectrum();
    std::vector<float> window_;    // the last kWindow mono samples, a ring
    int head_ = 0;                 // the next slot of window_ to write
    int filled_ = 0;               // samples in window_ so far (up to kWindow)
    int sinceLast_ = 0;            // samples since the last spectrum
    std::int64_t fed_ = 0;         // mono samples taken in all
    std::vector<float> previous_;  // magnitudes of the last spectrum
    std::vector<float> flux_;      // one value per spectrum
    std::vector<std::int64_t> at_; // the sample where each spectrum's window starts
    std::vector<float> hann_;
};
