// Headless rendering of a frame range on a virtual clock.
#include "render/RenderJob.h"

#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "render/FrameSink.h"
#include "render/HeadlessContext.h"
#include "render/OffscreenTarget.h"
#include "scene/CZoetraView.h"
#include "scene/SceneInit.h"
#include "timeline/SequenceLibrary.h"
#include <algorithm>

#include <QElapsedTimer>
#include <memory>

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

bool renderToSink(const RenderOptions& options, FrameSink& sink, RenderReport* report,
                  QString* error, const RenderProgress& progress) {
    QElapsedTimer wall;
    wall.start();
    auto context = HeadlessContext::create(error);
    if (!context) return false;
    OffscreenTarget target;
    if (!target.create(options.width, options.height, error)) return false;
    multisampleAvailable = target.samples() > 0;

    VirtualClock clock;
    ClockOverride useVirtualTime(clock);
    resetRateGate();

    auto view = std::make_unique<CZoetraView>();
    view->viewportWidth = options.width;
    view->viewportHeight = options.height;
    setPerspective(options.width, options.height);
    initialiseScene(*view, StartMode::CommandLine);
    if (!options.sequencePath.isEmpty() &&
        !loadSequenceFile(*view, options.sequencePath, error))
        return false;
    view->viewportWidth = options.width;
    view->viewportHeight = options.height;
    setPerspective(options.width, options.height);

    const int last = options.lastFrame >= 0 ? options.lastFrame : defaultLastFrame(*view);
    const int first = std::max(0, options.firstFrame);
    if (last < first) {
        if (error) *error = QStringLiteral("The frame range %1-%2 is empty.").arg(first).arg(last);
        return false;
    }
    if (!sink.open(options.width, options.height, options.framesPerSecond, error)) return false;

    RenderReport result;
    result.width = options.width;
    result.height = options.height;
    QElapsedTimer step;
    step.start();
    bool ok = true;
    const double framePeriodMs = 1000.0 / options.framesPerSecond;
    for (int frame = 0; frame <= last && ok; ++frame) {
        clock.setNow(frame * framePeriodMs);
        target.bind();
        composeFrame(*view);
        if (frame < first) continue;
        glFinish();
        result.renderMs += elapsedMs(step);
        const QImage image = target.readImage();
        result.readbackMs += elapsedMs(step);
        ok = sink.write(image, frame, error);
        step.restart();
        ++result.frames;
        if (progress) progress(result.frames, last - first + 1);
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
