// What the timeline shows of a soundtrack: the peak level of each frame, and the frames where
// beats start.
#pragma once

#include <QString>
#include <atomic>
#include <cstdint>
#include <functional>
#include <vector>

// The longest timeline there is: nothing of a soundtrack after this many frames is looked at.
inline constexpr int kLongestTimelineFrames = 10000;

struct SoundtrackAnalysis {
    int framesPerSecond = 30;
    std::vector<float> peaks;    // per timeline frame, 0 ... 1 (the louder channel)
    std::vector<int> beatFrames; // ascending timeline frames where an onset was found
    double fileSeconds = 0;      // the length the file states (0 when unknown)
    bool cutShort = false;       // the file goes on past the longest timeline
};

// Called now and then with the frames done and the frames expected (0 when unknown).
using AnalysisProgress = std::function<void(int done, int expected)>;

// Decodes `path` once and measures the peak of each timeline frame at `framesPerSecond` and the
// beat onsets, looking at no more than `maxFrames` frames. Memory stays bounded by `maxFrames`,
// whatever the file's length. Returns false with a message for the user in `error` when the file
// cannot be read, has no sound, or `cancel` was set (then `error` is empty).
bool analyseSoundtrack(const QString& path, int framesPerSecond, SoundtrackAnalysis& result,
                       QString* error, const AnalysisProgress& progress = {},
                       const std::atomic<bool>* cancel = nullptr,
                       int maxFrames = kLongestTimelineFrames);
