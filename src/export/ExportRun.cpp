// The export run and the screenshot commands of the window, on an offscreen framebuffer.
#include "export/ExportRun.h"

#include "export/AviWriter.h"
#include "export/FormatTable.h"
#include "export/FrameRecorder.h"
#include "export/Screenshot.h"
#include "platform/Platform.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "render/FrameComposer.h"
#include "render/OffscreenTarget.h"
#include "scene/CZoetraView.h"

#include <QFileInfo>
#include <QSize>
#include <cstring>

namespace {

QString recordingText(int frame, int frameCount) {
    return QStringLiteral("Recording frame %1 of %2").arg(frame).arg(frameCount);
}

// Hides an open deck for the length of a command and shows it again afterwards.
class DeckHidden {
  public:
    explicit DeckHidden(CZoetraView& v) : v_(v), wasOpen_(v.deckOpen != 0) {
        if (wasOpen_) v_.deckUi().setVisible(false);
    }
    ~DeckHidden() {
        if (wasOpen_) v_.deckUi().setVisible(true);
    }
    DeckHidden(const DeckHidden&) = delete;
    DeckHidden& operator=(const DeckHidden&) = delete;

  private:
    CZoetraView& v_;
    bool wasOpen_;
};

// The view's clock and frame-rate counters, put back after a run on virtual time.
struct FrameClockState {
    int lastFrameClock, framesThisSecond, measuredFps, fpsWindowStart;

    explicit FrameClockState(const CZoetraView& v)
        : lastFrameClock(v.lastFrameClock), framesThisSecond(v.framesThisSecond),
          measuredFps(v.measuredFps), fpsWindowStart(v.fpsWindowStart) {}
    void restore(CZoetraView& v) const {
        v.lastFrameClock = lastFrameClock;
        v.framesThisSecond = framesThisSecond;
        v.measuredFps = measuredFps;
        v.fpsWindowStart = fpsWindowStart;
    }
};

// Timeline frames drawn by the playback composer into the offscreen target, one frame period of
// virtual time apart.
class PlaybackFrameSource : public FrameSource {
  public:
    PlaybackFrameSource(CZoetraView& v, OffscreenTarget& target, VirtualClock& clock, int rate,
                        const ViewContextRunner& inViewContext, const RecordedFrameViewer& show)
        : v_(v), target_(target), clock_(clock), periodMs_(1000.0 / rate),
          inViewContext_(inViewContext), show_(show) {}

    void renderFrame(int index) override {
        // Showing progress lets the window's paints run, and they change the current context.
        inViewContext_([&] {
            clock_.setNow(index * periodMs_);
            v_.exportInProgress = 2.0f;
            target_.bind();
            composeFrame(v_);
        });
    }

    void readFrame(std::uint8_t* pixels) override {
        inViewContext_([&] { target_.readBgrBottomUp(rows_); });
        std::memcpy(pixels, rows_.data(), rows_.size());
        if (show_) show_(rows_.data(), target_.width(), target_.height());
    }

  private:
    CZoetraView& v_;
    OffscreenTarget& target_;
    VirtualClock& clock_;
    double periodMs_;
    const ViewContextRunner& inViewContext_;
    const RecordedFrameViewer& show_;
    std::vector<std::uint8_t> rows_;
};

// Records `frameCount` frames drawn into `target` into the initialised `writer`. Returns what
// reached the file.
ExportOutcome recordTimeline(CZoetraView& v, AviWriter& writer, int frameCount,
                             OffscreenTarget& target, const ViewContextRunner& inViewContext,
                             const RecordedFrameViewer& showFrame) {
    ExportOutcome outcome;
    outcome.started = true;
    const int savedWidth = v.viewportWidth, savedHeight = v.viewportHeight;
    const FrameClockState savedClock(v);
    inViewContext([&] {
        v.viewportWidth = target.width();
        v.viewportHeight = target.height();
        setPerspective(target.width(), target.height());
    });

    v.exportRunning = true;
    {
        // Video time: every run gives the same frames, and the composer's sleep costs nothing.
        VirtualClock clock;
        ClockOverride videoTime(clock);
        resetRateGate();
        v.playFrame = 0;
        v.timelinePlaying = true;

        PlaybackFrameSource source(v, target, clock, writer.frameRate, inViewContext, showFrame);
        platform().showProgress(recordingText(1, frameCount), frameCount);
        const RecordResult result =
            recordFrames(source, writer, frameCount, [](int done, int total) {
                if (done < total) platform().setProgressText(recordingText(done + 1, total));
                return platform().setProgress(done);
            });
        platform().hideProgress();
        outcome.framesWritten = result.framesWritten;
        outcome.cancelled = result.cancelled;
        outcome.writeFailed = result.status < 0;
        if (outcome.writeFailed)
            platform().inform(writer.errorText(), QString(), MessageIcon::Error);
        resetRateGate();
    }
    v.exportRunning = false;

    inViewContext([&] {
        v.viewportWidth = savedWidth;
        v.viewportHeight = savedHeight;
        setPerspective(savedWidth, savedHeight);
    });
    savedClock.restore(v);
    return outcome;
}
} // namespace

bool exportRunning(const CZoetraView& v) {
    return v.exportRunning;
}

ExportOutcome exportVideo(CZoetraView& v, const ViewContextRunner& inViewContext,
                          const RecordedFrameViewer& showFrame) {
    if (v.exportRunning) return {};
    // An open deck is hidden for the run (and stays hidden when nothing is recorded).
    float deckWasOpen = 0.0f;
    if (v.deckOpen) {
        v.deckUi().setVisible(false);
        v.deckOpen = 0;
        deckWasOpen = 2.0f;
    }

    const int frameCount = v.keyCount > 0 ? v.keyFrames[v.keyCount] : 0;
    if (v.timelineLength == 0 || frameCount <= 0) {
        platform().inform(QString::fromLatin1(kNothingToRecordText));
        return {};
    }

    AviWriter writer;
    const QString chosen = platform().chooseSaveFile(
        {QString::fromLatin1(kVideoSaveTitle), QStringLiteral("AVI Files (*.avi);;All Files (*)"),
         QStringLiteral("avi"), QString()});
    if (chosen.isEmpty()) return {};
    writer.setFileName(chosen);
    writer.ensureAviExtension();
    // The name the file really got, so that the player is given a file that exists.
    const QString exportedPath = writer.fileName();

    const ExportFormat* format = exportFormat(v.exportPreset);
    if (!format) format = exportFormat(0);
    const QSize size = recordedFrameSize(format->labelSize);
    v.aviFrameRate = format->rate;
    writer.frameRate = v.aviFrameRate;
    writer.setFormatFromWindow(size.width(), size.height());
    writer.soundtrack = {v.soundtrackPath, 0}; // the recording starts at frame 0

    platform().setBusy(true);
    ExportOutcome outcome;
    // The framebuffer first: without one there is no point in creating the file.
    OffscreenTarget target;
    QString targetError;
    bool targetReady = false;
    inViewContext([&] { targetReady = target.create(size.width(), size.height(), &targetError); });
    if (!targetReady) {
        platform().inform(targetError, QString(), MessageIcon::Error);
    } else if (writer.initialise() < 0) {
        // The writer says what went wrong; saying nothing would pass a failure off as done.
        platform().inform(writer.errorText(), QString(), MessageIcon::Error);
    } else if (!writer.compressionCancelled) {
        outcome = recordTimeline(v, writer, frameCount, target, inViewContext, showFrame);
    }
    inViewContext([&] { target.release(); });
    // Finishing writes the last frames and the index: a file that cannot be finished is no video.
    const bool finished = writer.release() >= 0;
    if (!finished && !outcome.writeFailed)
        platform().inform(writer.errorText(), QString(), MessageIcon::Error);
    v.exportInProgress = 0.0f;
    platform().setBusy(false);

    const bool frameRecorded = finished && outcome.framesWritten > 0;
    if (frameRecorded && QFileInfo::exists(exportedPath) &&
        platform().askYesNo(QString::fromLatin1(kViewVideoQuestion)))
        platform().openUrl(exportedPath);

    if (deckWasOpen >= 2.0f) {
        v.deckUi().setVisible(true);
        v.deckOpen = 1;
    }
    return outcome;
}

std::vector<std::uint8_t> captureClientArea(CZoetraView& v) {
    const int width = v.viewportWidth, height = v.viewportHeight;
    OffscreenTarget target;
    if (!target.create(width, height, nullptr)) return {};
    composeFrame(v);
    std::vector<std::uint8_t> rgb;
    target.readBgrBottomUp(rgb);
    for (std::size_t i = 0; i + 2 < rgb.size(); i += 3)
        std::swap(rgb[i], rgb[i + 2]);
    return rgb;
}

namespace {
// Draws and reads the client area with the deck out of the way, then hands the pixels on; a
// frame that cannot be read is reported instead.
void withClientArea(CZoetraView& v, const ViewContextRunner& inViewContext,
                    void (*use)(const std::uint8_t* rgb, int width, int height)) {
    DeckHidden deck(v);
    const int width = v.viewportWidth;
    const int height = v.viewportHeight;
    std::vector<std::uint8_t> rgb;
    platform().setBusy(true);
    inViewContext([&] { rgb = captureClientArea(v); });
    platform().setBusy(false);
    if (rgb.empty()) {
        platform().inform(QStringLiteral("The frame could not be read from OpenGL."), QString(),
                          MessageIcon::Error);
        return;
    }
    use(rgb.data(), width, height);
}
} // namespace

void saveBitmapCommand(CZoetraView& v, const ViewContextRunner& inViewContext) {
    withClientArea(v, inViewContext, [](const std::uint8_t* rgb, int width, int height) {
        saveBitmap(rgb, width, height);
    });
}

void copyToClipboardCommand(CZoetraView& v, const ViewContextRunner& inViewContext) {
    withClientArea(v, inViewContext, copyFrameToClipboard);
}
