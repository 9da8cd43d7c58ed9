// Worker processes drawing chunks of a render, and the join of their files.
#include "cli/ParallelRender.h"

#include "export/AviWriter.h"
#include "export/VideoCodecs.h"
#include "export/VideoJoin.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <algorithm>
#include <memory>

namespace {

struct Worker {
    std::unique_ptr<QProcess> process;
    QString file;
    int frames = 0; // in its chunk
    int done = 0;   // as its progress lines tell
    QString errors;
};

// The worker's own summary: "rendered 150 frames 720x480 in 4.10 s: render 20.31 ms/frame,
// readback 3.10 ms/frame, encode 5.20 ms/frame"; adds its totals to `sum`.
void addSummary(const QString& out, RenderReport& sum) {
    static const QRegularExpression summary(QStringLiteral(
        "rendered (\\d+) frames .* render ([0-9.]+) ms/frame, readback ([0-9.]+) ms/frame, "
        "encode ([0-9.]+) ms/frame"));
    const auto match = summary.match(out);
    if (!match.hasMatch()) return;
    const int frames = match.captured(1).toInt();
    sum.renderMs += frames * match.captured(2).toDouble();
    sum.readbackMs += frames * match.captured(3).toDouble();
    sum.encodeMs += frames * match.captured(4).toDouble();
}

// Reads what a worker wrote on stderr: progress lines ("frame 30 of 150, ...") and messages.
void readProgress(Worker& w) {
    static const QRegularExpression frameLine(QStringLiteral("frame (\\d+) of (\\d+)"));
    const QString text = QString::fromLocal8Bit(w.process->readAllStandardError());
    for (const QString& line :
         text.split(QRegularExpression(QStringLiteral("[\\r\\n]")), Qt::SkipEmptyParts)) {
        const auto match = frameLine.match(line);
        if (match.hasMatch())
            w.done = std::max(w.done, match.captured(1).toInt());
        else
            w.errors += line + '\n';
    }
}

QString lastLine(const QString& text) {
    const QStringList lines = text.split('\n', Qt::SkipEmptyParts);
    return lines.isEmpty() ? QString() : lines.last().trimmed();
}

} // namespace

std::vector<std::pair<int, int>> splitFrameRange(int first, int count, int jobs) {
    std::vector<std::pair<int, int>> chunks;
    jobs = std::clamp(jobs, 1, std::max(1, count));
    int start = first;
    for (int k = 0; k < jobs && count > 0; ++k) {
        const int length = count / jobs + (k < count % jobs ? 1 : 0);
        chunks.emplace_back(start, start + length - 1);
        start += length;
    }
    return chunks;
}

bool canSpreadRender(const VideoOutput& output) {
    const QString encoder = output.encoder.isEmpty()
                                ? defaultVideoCompression(containerForFile(output.path)).encoder
                                : output.encoder;
    return isIntraOnlyEncoder(encoder);
}

QStringList workerArguments(const RenderOptions& options, const VideoOutput& output,
                            const QString& chunkFile, int first, int last) {
    QStringList args{QStringLiteral("render")};
    if (!options.sequencePath.isEmpty()) args << options.sequencePath;
    args << QStringLiteral("-o") << chunkFile << QStringLiteral("--frames")
         << QStringLiteral("%1-%2").arg(first).arg(last) << QStringLiteral("--size")
         << QStringLiteral("%1x%2").arg(options.width).arg(options.height)
         << QStringLiteral("--fps") << QString::number(options.framesPerSecond)
         << QStringLiteral("--jobs") << QStringLiteral("1");
    if (!output.encoder.isEmpty()) args << QStringLiteral("--codec") << output.encoder;
    if (options.motionBlur) args << QStringLiteral("--motion-blur");
    return args;
}

bool renderVideoInParallel(const RenderOptions& options, const VideoOutput& output, int jobs,
                           const QString& program, RenderReport* report, QString* error,
                           const RenderProgress& progress) {
    QElapsedTimer wall;
    wall.start();
    // The scene once here: a sequence that cannot be read fails before any worker starts, and the
    // range is known.
    int first = 0, last = -1, width = 0, height = 0;
    {
        AviWriter probe;
        probe.setFormatFromWindow(options.width, options.height);
        RenderOptions sized = options;
        sized.width = probe.bitmapInfo.biWidth;
        sized.height = probe.bitmapInfo.biHeight;
        if (sized.width <= 0 || sized.height <= 0)
            return renderToVideo(options, output, report, error, progress);
        HeadlessRender render;
        if (!render.open(sized, error)) return false;
        first = render.firstFrame();
        last = render.lastFrame();
        width = sized.width;
        height = sized.height;
    }
    const int total = last - first + 1;

    // The output first, as a single process opens it (with the sound: the workers draw silent
    // chunks, and the soundtrack is encoded here as their frames are joined): a file that cannot be
    // written fails before anything is drawn.
    AviWriter writer;
    writer.setFileName(output.path);
    writer.frameRate = options.framesPerSecond;
    writer.setFormatFromWindow(width, height);
    writer.askForCompression = false;
    writer.comment = output.comment;
    writer.compression.encoder =
        output.encoder.isEmpty() ? defaultVideoCompression(containerForFile(output.path)).encoder
                                 : output.encoder;
    writer.soundtrack = {output.soundtrack, first};
    if (writer.initialise() < 0) {
        if (error) *error = writer.errorText();
        return false;
    }
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        if (error)
            *error = QStringLiteral("Cannot make a folder for the chunks of %1.").arg(output.path);
        return false;
    }

    // The workers, one chunk each, rendering at once.
    const QString suffix = QFileInfo(output.path).suffix();
    std::vector<Worker> workers;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("LP_NUM_THREADS")))
        env.insert(QStringLiteral("LP_NUM_THREADS"), QStringLiteral("1"));
    for (const auto& [a, b] : splitFrameRange(first, total, jobs)) {
        Worker w;
        w.file = folder.filePath(QStringLiteral("chunk-%1.%2").arg(workers.size()).arg(suffix));
        w.frames = b - a + 1;
        w.process = std::make_unique<QProcess>();
        w.process->setProcessEnvironment(env);
        w.process->start(program, workerArguments(options, output, w.file, a, b));
        workers.push_back(std::move(w));
    }
    bool stopped = false;
    for (;;) {
        bool running = false;
        int done = 0;
        for (Worker& w : workers) {
            if (w.process->state() != QProcess::NotRunning) {
                w.process->waitForFinished(50);
                running = running || w.process->state() != QProcess::NotRunning;
            }
            readProgress(w);
            done += w.done;
        }
        if (progress && running) progress(std::min(done, total - 1), total);
        if (!running) break;
        if (!stopped && output.stopRequested && output.stopRequested()) {
            stopped = true; // each worker finishes its file with the frames it has
            for (Worker& w : workers)
                w.process->terminate();
        }
    }

    // The join: the chunks in order, up to the first that did not finish.
    QElapsedTimer joinTime;
    joinTime.start();
    int written = 0, status = 0;
    QString failure;
    for (Worker& w : workers) {
        const bool finished =
            w.process->exitStatus() == QProcess::NormalExit && w.process->exitCode() == 0;
        if (QFileInfo::exists(w.file)) {
            int frames = 0;
            status = appendVideoFile(writer, w.file, &frames, &failure);
            written += frames;
            if (status < 0) break;
        }
        if (!finished) {
            failure = lastLine(w.errors).remove(QRegularExpression(QStringLiteral("^lumatoy: ")));
            if (failure.isEmpty())
                failure = QStringLiteral("A worker process of the render failed.");
            break;
        }
    }
    const int finished = writer.release();
    if (progress && written == total) progress(total, total);

    // The drawing, reading back and encoding the workers did, summed over them (they overlap in
    // time), and the join as encoding.
    RenderReport result;
    for (Worker& w : workers)
        addSummary(QString::fromLocal8Bit(w.process->readAllStandardOutput()), result);
    result.frames = written;
    result.width = width;
    result.height = height;
    result.encodeMs += joinTime.nsecsElapsed() / 1e6;
    result.seconds = wall.nsecsElapsed() / 1e9;
    if (report) *report = result;
    if (stopped && finished >= 0) {
        if (error)
            *error = QStringLiteral("Interrupted: %1 of %2 frames are in %3.")
                         .arg(written)
                         .arg(total)
                         .arg(output.path);
        return false;
    }
    if (status < 0 || finished < 0) {
        if (error) *error = writeFailureText(writer, status, finished, written, total);
        return false;
    }
    if (written != total) {
        if (error) *error = failure;
        return false;
    }
    return true;
}
