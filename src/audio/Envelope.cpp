// One pass over the decoded soundtrack: peaks per timeline frame and the beat onsets.
#include "audio/Envelope.h"

#include "audio/AudioDecoder.h"
#include "audio/BeatDetector.h"

#include <algorithm>
#include <cmath>

bool analyseSoundtrack(const QString& path, int framesPerSecond, SoundtrackAnalysis& result,
                       QString* error, const AnalysisProgress& progress,
                       const std::atomic<bool>* cancel, int maxFrames) {
    if (error) error->clear();
    if (framesPerSecond <= 0 || maxFrames <= 0) {
        if (error) *error = QStringLiteral("The timeline has no frame rate.");
        return false;
    }
    AudioDecoder decoder;
    if (!decoder.open(path, error)) return false;

    SoundtrackAnalysis analysis;
    analysis.framesPerSecond = framesPerSecond;
    analysis.fileSeconds = decoder.durationSeconds();
    const int expected =
        analysis.fileSeconds > 0
            ? std::min(maxFrames,
                       static_cast<int>(std::ceil(analysis.fileSeconds * framesPerSecond)))
            : 0;
    const std::int64_t lastSample = firstSampleOfFrame(maxFrames, framesPerSecond);
    BeatDetector beats;
    std::vector<float> block;
    int frame = 0;
    std::int64_t frameEnd = firstSampleOfFrame(1, framesPerSecond);
    float peak = 0;
    bool inFrame = false; // the current frame has samples
    int reported = 0;
    for (;;) {
        if (cancel && cancel->load()) return false;
        block.clear();
        const std::int64_t position = decoder.position();
        const int want = static_cast<int>(std::min<std::int64_t>(4800, lastSample - position));
        if (want <= 0) {
            analysis.cutShort = decoder.read(block, 1) > 0;
            break;
        }
        const int got = decoder.read(block, want);
        if (got < 0) {
            if (error) *error = decoder.error();
            return false;
        }
        if (got == 0) break;
        beats.feed(block.data(), got);
        for (int i = 0; i < got; ++i) {
            if (position + i >= frameEnd) {
                analysis.peaks.push_back(std::min(peak, 1.0f));
                peak = 0;
                ++frame;
                frameEnd = firstSampleOfFrame(frame + 1, framesPerSecond);
            }
            inFrame = true;
            peak = std::max({peak, std::abs(block[std::size_t(2 * i)]),
                             std::abs(block[std::size_t(2 * i + 1)])});
        }
        if (progress && frame - reported >= framesPerSecond * 10) {
            reported = frame;
            progress(frame, expected);
        }
    }
    if (inFrame) analysis.peaks.push_back(std::min(peak, 1.0f));
    if (analysis.peaks.empty()) {
        if (error) *error = QStringLiteral("%1 holds no sound that can be decoded.").arg(path);
        return false;
    }
    analysis.beatFrames = beats.onsetFrames(framesPerSecond);
    if (progress) progress(static_cast<int>(analysis.peaks.size()), expected);
    result = std::move(analysis);
    return true;
}
