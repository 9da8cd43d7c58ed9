// Headless rendering into video files through the frame recorder, and into BMP files.
#include "cli/RenderToFile.h"

#include "export/AviWriter.h"
#include "export/BitmapFormat.h"
#include "export/VideoCodecs.h"
#include "platform/WholeFile.h"
#include "render/OffscreenTarget.h"

#include <QElapsedTimer>
#include <vector>

namespace {
QString tooSmall(int width, int height) {
    return QStringLiteral("The frame size %1x%2 is too small: frames are at least 4x4 pixels.")
        .arg(width)
        .arg(height);
}
} // namespace

void HeadlessFrameSource::renderFrame(int index) {
    render_.drawUpTo(render_.firstFrame() + index);
}

void HeadlessFrameSource::readFrame(std::uint8_t* pixels) {
    render_.target().readBgrBottomUp(pixels);
}

QString outputEncoder(const VideoOutput& output) {
    return output.encoder.isEmpty() ? defaultVideoCompression(containerForFile(output.path)).encoder
                                    : output.encoder;
}

void prepareVideoWriter(AviWriter& writer, const VideoOutput& output, int framesPerSecond,
                        int width, int height) {
    writer.setFileName(output.path);
    writer.frameRate = framesPerSecond;
    writer.setFormatFromWindow(width, height);
    writer.askForCompression = false;
    writer.comment = output.comment;
    writer.compression.encoder = outputEncoder(output);
}

bool renderToVideo(const RenderOptions& options, const VideoOutput& output, RenderReport* report,
                   QString* error, const RenderProgress& progress) {
    QElapsedTimer wall;
    wall.start();
    AviWriter writer;
    prepareVideoWriter(writer, output, options.framesPerSecond, options.width, options.height);
    const int width = writer.bitmapInfo.biWidth, height = writer.bitmapInfo.biHeight;
    if (width <= 0 || height <= 0) {
        if (error) *error = tooSmall(options.width, options.height);
        return false;
    }

    // The scene first: a sequence that cannot be read leaves no empty video behind.
    RenderOptions sized = options;
    sized.width = width;
    sized.height = height;
    HeadlessRender render;
    if (!render.open(sized, error)) return false;
    writer.soundtrack = {output.soundtrack, render.firstFrame()};
    if (writer.initialise() < 0) {
        if (error) *error = writer.errorText();
        return false;
    }

    HeadlessFrameSource source(render);
    const RecordResult recorded = recordFrames(
        source, writer, render.frameCount(),
        [&](int done, int total) {
            if (progress) progress(done, total);
            return !(output.stopRequested && output.stopRequested());
        },
        output.queueDepth);
    // Finishes the file, also after a failed write: the frames before the failure stay playable.
    const int finished = writer.release();

    RenderReport result;
    result.frames = recorded.framesWritten;
    result.width = width;
    result.height = height;
    result.renderMs = recorded.renderSeconds * 1000;
    result.readbackMs = recorded.readbackSeconds * 1000;
    result.encodeMs = recorded.encodeSeconds * 1000;
    result.seconds = wall.nsecsElapsed() / 1e9;
    if (report) *report = result;
    if (recorded.cancelled && recorded.status >= 0 && finished >= 0) {
        if (error)
            *error = QStringLiteral("Interrupted: %1 of %2 frames are in %3.")
                         .arg(recorded.framesWritten)
                         .arg(render.frameCount())
                         .arg(output.path);
        return false;
    }
    if (recorded.status < 0 || finished < 0) {
        if (error)
            *error = writeFailureText(writer, recorded.status, finished, recorded.framesWritten,
                                      render.frameCount());
        return false;
    }
    return true;
}

QString writeFailureText(const AviWriter& writer, int frameStatus, int finishStatus,
                         int framesWritten, int frameCount) {
    const int status = frameStatus < 0 ? frameStatus : finishStatus;
    const QString where =
        frameStatus < 0 ? QStringLiteral("frame %1 of %2").arg(framesWritten + 1).arg(frameCount)
                        : QStringLiteral("finishing the file");
    return QStringLiteral("%1 (%2: %3)").arg(writer.errorText(), where, ffmpegErrorText(status));
}

bool renderToBitmap(const RenderOptions& options, const QString& path, RenderReport* report,
                    QString* error) {
    QElapsedTimer wall;
    wall.start();
    const BitmapInfoHeader info = makeBitmapInfo(options.width / 4 * 4, options.height);
    if (info.biWidth <= 0) {
        if (error) *error = tooSmall(options.width, options.height);
        return false;
    }
    RenderOptions one = options;
    one.width = info.biWidth;
    one.firstFrame = one.lastFrame = options.lastFrame >= 0 ? options.lastFrame : 0;
    HeadlessRender render;
    if (!render.open(one, error)) return false;

    QElapsedTimer step;
    step.start();
    render.drawUpTo(render.lastFrame());
    RenderReport result;
    result.renderMs = step.nsecsElapsed() / 1e6;
    step.restart();
    std::vector<std::uint8_t> pixels(info.biSizeImage); // rows need no padding: width % 4 == 0
    render.target().readBgrBottomUp(pixels.data());
    result.readbackMs = step.nsecsElapsed() / 1e6;
    step.restart();

    const QByteArray bytes = encodeBmpFile(info, pixels.data());
    QString reason;
    if (!writeWholeFile(path, bytes, &reason)) {
        if (error) *error = QStringLiteral("Cannot write %1: %2").arg(path, reason);
        return false;
    }
    result.encodeMs = step.nsecsElapsed() / 1e6;
    result.frames = 1;
    result.width = info.biWidth;
    result.height = info.biHeight;
    result.seconds = wall.nsecsElapsed() / 1e9;
    if (report) *report = result;
    return true;
}
