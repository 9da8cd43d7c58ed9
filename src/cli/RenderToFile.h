// `lumatoy render` into a video file or a BMP picture: drawing headlessly, reading frames back and
// handing them to the video writer or the bitmap format.
#pragma once

#include "export/FrameRecorder.h"
#include "render/HeadlessRender.h"

#include <QString>
#include <functional>

class AviWriter;

struct VideoOutput {
    QString path;       // ends in .avi or .mp4; the container follows the name
    QString encoder;    // an encoder name from availableVideoCodecs; empty: the container's default
    int queueDepth = 3; // frames that may wait for the encoder at a time
    int jobs = 1;       // worker processes (see ParallelRender.h); 1: drawn in this process
    // Asked after each frame; true stops the render early, keeping the frames so far in a
    // finished file (renderToVideo then fails with an "Interrupted" message).
    std::function<bool()> stopRequested;
    QString comment = {}; // stored in the file's header (a render part's tag); empty: none
    // A sound file whose slice under the frame range goes into the video (empty: none).
    QString soundtrack = QString();
};

// The encoder an output is written with: its own, or its container's default.
QString outputEncoder(const VideoOutput& output);

// Sets up `writer` for `output` at this frame rate and size (rounded down to multiples of 4),
// with the output's encoder and comment, without the compression dialog. The soundtrack and
// initialise() are the caller's.
void prepareVideoWriter(AviWriter& writer, const VideoOutput& output, int framesPerSecond,
                        int width, int height);

// The frames of an opened headless render, in its frame range, read back as the writer takes
// them (24-bit BGR rows, bottom row first).
class HeadlessFrameSource : public FrameSource {
  public:
    explicit HeadlessFrameSource(HeadlessRender& render) : render_(render) {}
    void renderFrame(int index) override;
    void readFrame(std::uint8_t* pixels) override;

  private:
    HeadlessRender& render_;
};

// Renders options' frame range into a video file. The frame size is rounded down to multiples
// of 4 and the scene is drawn at that size. Drawing and encoding overlap: the encoder runs on a
// worker thread fed through a small queue. On a writer failure `error` holds the writer's text
// and the frames written so far stay in a finished, playable file.
bool renderToVideo(const RenderOptions& options, const VideoOutput& output, RenderReport* report,
                   QString* error, const RenderProgress& progress = {});

// The message of a failed video write: the writer's text, where it failed (the frame after the
// `framesWritten` of `frameCount`, or finishing the file) and FFmpeg's words for the status.
QString writeFailureText(const AviWriter& writer, int frameStatus, int finishStatus,
                         int framesWritten, int frameCount);

// Renders one frame (options.lastFrame, or frame 0 when it is -1) into a 24-bit bottom-up BMP
// file, its width rounded down to a multiple of 4 as every bitmap the program writes.
bool renderToBitmap(const RenderOptions& options, const QString& path, RenderReport* report,
                    QString* error);
