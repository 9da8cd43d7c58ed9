// Rendering frames of a scene headlessly: the engine of `lumatoy render`.
#pragma once

#include "render/Clock.h"

#include <QString>
#include <functional>
#include <memory>

class CZoetraView;
class FrameSink;
class HeadlessContext;
class OffscreenTarget;
class VirtualClock;
class FramePlayer;

struct RenderOptions {
    QString sequencePath; // empty: the default look
    int width = 720;
    int height = 480;
    int framesPerSecond = 30;
    int firstFrame = 0;
    int lastFrame = -1; // -1: the whole timeline, or 300 frames when there are no keys
    // Motion blur on for the render: a sequence file has no switch for it, only its values.
    bool motionBlur = false;
};

struct RenderReport {
    int frames = 0;
    int width = 0, height = 0;
    double seconds = 0;
    double renderMs = 0, readbackMs = 0, encodeMs = 0;
};

// Called after each written frame with (frames written, frames to write).
using RenderProgress = std::function<void(int done, int total)>;

// A scene drawn headlessly into an offscreen framebuffer on a virtual clock: frame n is drawn at
// n * 1000 / fps milliseconds, so every run gives the same pictures.
class HeadlessRender {
  public:
    HeadlessRender();
    ~HeadlessRender();
    HeadlessRender(const HeadlessRender&) = delete;
    HeadlessRender& operator=(const HeadlessRender&) = delete;

    // Creates the GL context and the framebuffer, sets up the scene and loads the sequence, and
    // works out the frame range. False with `error` set on any failure.
    bool open(const RenderOptions& options, QString* error);

    int firstFrame() const { return first_; }
    int lastFrame() const { return last_; }
    int frameCount() const { return last_ - first_ + 1; }

    // Brings the scene to `frame` and draws it, then waits until the GPU is done with it. The
    // frames before it that are still to come are stepped without being drawn, so a range late in
    // a sequence costs little more than the same range at its start.
    void drawUpTo(int frame);
    // The frames stepped without drawing and the frames drawn so far.
    int framesStepped() const;
    int framesDrawn() const;

    OffscreenTarget& target() { return *target_; }
    CZoetraView& scene() { return *view_; }

  private:
    std::unique_ptr<HeadlessContext> context_;
    std::unique_ptr<OffscreenTarget> target_;
    std::unique_ptr<VirtualClock> clock_;
    std::unique_ptr<ClockOverride> useClock_;
    std::unique_ptr<CZoetraView> view_;
    std::unique_ptr<FramePlayer> player_;
    double framePeriodMs_ = 0;
    int first_ = 0, last_ = -1;
};

// Plays frames 0...lastFrame headlessly and hands frames firstFrame...lastFrame to `sink`. False
// with `error` set on any failure.
bool renderToSink(const RenderOptions& options, FrameSink& sink, RenderReport* report,
                  QString* error, const RenderProgress& progress = {});

// The frames a render draws when no range is given: the whole timeline, else 300 frames.
int defaultLastFrame(const CZoetraView& v);
