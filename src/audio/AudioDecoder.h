// Decodes the first audio stream of any file FFmpeg reads (a sound file, or the sound of a video)
// into one fixed PCM format, a block at a time, so that nothing ever holds the whole soundtrack.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

// The one PCM format every soundtrack is decoded to: interleaved 32-bit float, stereo, 48 kHz.
inline constexpr int kSoundtrackRate = 48000;
inline constexpr int kSoundtrackChannels = 2;

// The first sample (per channel) of timeline frame `frame` at `framesPerSecond`: frame boundaries
// fall on whole samples the same way wherever a range starts, so slices of a soundtrack line up.
std::int64_t firstSampleOfFrame(std::int64_t frame, int framesPerSecond);

class AudioDecoder {
  public:
    AudioDecoder();
    ~AudioDecoder();
    AudioDecoder(const AudioDecoder&) = delete;
    AudioDecoder& operator=(const AudioDecoder&) = delete;

    // Opens `path` and its first audio stream. False with a message meant for the user in
    // `error` for a missing, empty, unreadable or corrupt file and for one without sound.
    bool open(const QString& path, QString* error);
    bool isOpen() const;
    // The stream's length in seconds as the file states it (0 when it does not say).
    double durationSeconds() const;

    // Appends up to `maxSamples` decoded samples (per channel; interleaved stereo floats) to
    // `out`. Returns the number appended: 0 at the end of the stream, -1 after a read failure
    // (error() says what). Packets that do not decode are skipped.
    int read(std::vector<float>& out, int maxSamples);
    // Reads and drops `samples` samples; returns how many were dropped (fewer at the end).
    std::int64_t skip(std::int64_t samples);
    // Samples handed out (or skipped) so far.
    std::int64_t position() const { return position_; }
    QString error() const { return error_; }

  private:
    struct State;
    bool decodeMore();
    std::unique_ptr<State> state_;
    std::vector<float> pending_; // decoded but not yet handed out
    std::size_t pendingStart_ = 0;
    std::int64_t position_ = 0;
    QString path_, error_;
};
