// Rendering frames of a scene headlessly into a frame sink: the engine of `lumatoy render`.
#pragma once

#include <QString>
#include <functional>

class CZoetraView;
class FrameSink;

struct RenderOptions {
    QString sequencePath; // empty: the default look
    int width = 720;
    int height = 480;
    int framesPerSecond = 30;
    int firstFrame = 0;
    int lastFrame = -1; // -1: the whole timeline, or 300 frames when there are no keys
};

struct RenderReport {
    int frames = 0;
    int width = 0, height = 0;
    double seconds = 0;
    double renderMs = 0, readbackMs = 0, encodeMs = 0;
};

// Called after each written frame with (frames written, frames to write).
using RenderProgress = std::function<void(int done, int total)>;

// Creates a headless GL context, sets up the scene, plays frames 0...lastFrame and hands frames
// firstFrame...lastFrame to `sink`. False with `error` set on any failure.
bool renderToSink(const RenderOptions& options, FrameSink& sink, RenderReport* report,
                  QString* error, const RenderProgress& progress = {});

// The frames a render draws when no range is given: the whole timeline, else 300 frames.
int defaultLastFrame(const CZoetraView& v);
