// Headless rendering of a frame range on a virtual clock.
#include "render/HeadlessRender.h"

#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "render/FramePlayer.h"
#include "render/FrameSink.h"
#include "render/HeadlessContext.h"
#include "render/OffscreenTarget.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "scene/Switch.h"
#include "startup/SceneStart.h"
#include "timeline/SequenceLibrary.h"
#include <algorithm>

#include <QElapsedTimer>

namespace {
double elapsedMs(QElapsedTimer& timer) {
    const double ms = timer.nsecsElapsed() / 1e6;
    timer.restart();
    return ms;
}
} // namespace

int defaultLastFrame(const CZoetraView& v) {
    const int length = sequenceFrameCount(v);
    return v.keyCount > 0 && length > 0 ? length - 1 : 299;
}

HeadlessRender::HeadlessRender() = default;

HeadlessRender::~HeadlessRender() {
    // The scene's GL objects go while the context still exists; the clock override ends before
    // the clock it points at.
    player_.reset();
    view_.reset();
    target_.reset();
    useClock_.reset();
    clock_.reset();
    context_.reset();
}

bool HeadlessRender::open(const RenderOptions& options, QString* error) {
    context_ = HeadlessContext::create(error);
    if (!context_) return false;
    target_ = std::make_unique<OffscreenTarget>();
    if (!target_->create(options.width, options.height, error)) return false;

    clock_ = std::make_unique<VirtualClock>();
    useClock_ = std::make_unique<ClockOverride>(*clock_);
    resetRateGate();
    // The effects' random numbers start where they do in a new process, so a second render in
    // the same process gives the same pictures as the first.
    csrand(1);
    framePeriodMs_ = 1000.0 / std::max(1, options.framesPerSecond);

    view_ = makeScene();
    CZoetraView& view = *view_;
    view.multisampleAvailable = target_->samples() > 0;
    view.viewportWidth = options.width;
    view.viewportHeight = options.height;
    setPerspective(options.width, options.height);
    initialiseScene(view);
    if (!options.sequencePath.isEmpty() && !loadSequenceFile(view, options.sequencePath, error))
        return false;
    if (options.motionBlur) view.motionBlurOn = kSwitchOn;
    view.viewportWidth = options.width;
    view.viewportHeight = options.height;
    setPerspective(options.width, options.height);

    last_ = options.lastFrame >= 0 ? options.lastFrame : defaultLastFrame(view);
    first_ = std::max(0, options.firstFrame);
    player_ = std::make_unique<FramePlayer>(view, *clock_, framePeriodMs_);
    if (last_ < first_) {
        if (error)
            *error = QStringLiteral("The frame range %1-%2 is empty.").arg(first_).arg(last_);
        return false;
    }
    return true;
}

void HeadlessRender::drawUpTo(int frame) {
    player_->drawUpTo(frame, [this] { target_->bind(); });
    glFinish();
}

int HeadlessRender::framesStepped() const {
    return player_ ? player_->framesStepped() : 0;
}

int HeadlessRender::framesDrawn() const {
    return player_ ? player_->framesDrawn() : 0;
}

bool renderToSink(const RenderOptions& options, FrameSink& sink, RenderReport* report,
                  QString* error, const RenderProgress& progress) {
    QElapsedTimer wall;
    wall.start();
    HeadlessRender render;
    if (!render.open(options, error)) return false;
    if (!sink.open(options.width, options.height, options.framesPerSecond, error)) return false;

    RenderReport result;
    result.width = options.width;
    result.height = options.height;
    QElapsedTimer step;
    step.start();
    bool ok = true;
    for (int frame = render.firstFrame(); frame <= render.lastFrame() && ok; ++frame) {
        render.drawUpTo(frame);
        result.renderMs += elapsedMs(step);
        const QImage image = render.target().readImage();
        result.readbackMs += elapsedMs(step);
        ok = sink.write(image, frame, error);
        step.restart();
        ++result.frames;
        if (progress) progress(result.frames, render.frameCount());
    }
    QString closeError;
    const bool closed = sink.close(&closeError);
    if (ok && !closed) {
        ok = false;
        if (error) *error = closeError;
    }
    result.encodeMs = sink.encodeMs();
    result.seconds = wall.nsecsElapsed() / 1e9;
    if (report) *report = result;
    return ok;
}
