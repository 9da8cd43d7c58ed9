// The sound of an exported video: the soundtrack's slice that matches the video's frames,
// decoded a block at a time and encoded beside the pictures (16-bit PCM in AVI, AAC in MP4),
// cut or padded with silence to the length of the video.
#pragma once

#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

struct AVFormatContext;

// Which sound goes with a video: the file, and the timeline frame the video's first frame is.
struct SoundtrackSlice {
    QString path; // empty: a silent video
    int firstFrame = 0;
    bool isSet() const { return !path.isEmpty(); }
};

class SoundtrackEncoder {
  public:
    SoundtrackEncoder();
    ~SoundtrackEncoder();
    SoundtrackEncoder(const SoundtrackEncoder&) = delete;
    SoundtrackEncoder& operator=(const SoundtrackEncoder&) = delete;

    // Opens the soundtrack and adds its stream to `format` (before its header is written), for a
    // video of `framesPerSecond`. Returns 0, or a negative status with the reason in `error`.
    int open(AVFormatContext* format, const SoundtrackSlice& slice, int framesPerSecond,
             QString* error);
    // Writes the sound that belongs under the first `videoFrames` frames of the video (what is
    // not written yet). Returns 0 or a negative FFmpeg status.
    int writeUntil(int videoFrames);
    // Writes the rest up to `videoFrames` and drains the encoder.
    int finish(int videoFrames);

  private:
    struct State;
    int encodeSamples(const float* interleaved, int samples);
    int sendFrame(bool flush);
    int drain();
    std::unique_ptr<State> state_;
};

// The audio codec a container's videos carry their soundtrack in: "pcm_s16le" or "aac".
QString soundtrackCodecFor(const QString& container);
