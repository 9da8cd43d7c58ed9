// The recording loop shared by the Export Video command, `lumatoy render` and the benchmark: draw a
// frame, read it back, hand it to the encoder thread, repeat.
#pragma once

#include <cstdint>
#include <functional>

class AviWriter;

// Something that draws numbered frames and reads them back.
class FrameSource {
  public:
    virtual ~FrameSource() = default;
    // Draws frame `index` (the frames come in ascending order, one call each).
    virtual void renderFrame(int index) = 0;
    // Reads the frame just drawn into `pixels`: 24-bit BGR rows, bottom row first, of the
    // writer's frame size.
    virtual void readFrame(std::uint8_t* pixels) = 0;
};

struct RecordResult {
    int status = 0;        // 0, or the first negative status of the writer
    int framesWritten = 0; // frames the writer accepted
    bool cancelled = false;
    double renderSeconds = 0, readbackSeconds = 0, encodeSeconds = 0, wallSeconds = 0;
};

// Called after each frame is handed over with (frames done, frames in total); false stops the
// recording (the frames handed over so far are still written).
using RecordProgress = std::function<bool(int done, int total)>;

// Records `frameCount` frames from `source` into an initialised `writer` (at most `queueDepth`
// frames wait for the encoder at a time). Does not release the writer.
RecordResult recordFrames(FrameSource& source, AviWriter& writer, int frameCount,
                          const RecordProgress& progress = {}, int queueDepth = 3);
