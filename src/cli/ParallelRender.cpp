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
    return isIntraOnlyEncoder(outputEncoder(output));
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

namespace {

// The frames and the frame size of a render, as the writer will round the size.
struct RenderShape {
    int first = 0, last = -1, width = 0, height = 0;
    int total() const { return last - first + 1; }
};

// The options with the frame size the writer will use.
RenderOptions writerSized(const RenderOptions& options) {
    AviWriter probe;
    probe.setFormatFromWindow(options.width, options.height);
    RenderOptions sized = options;
    sized.width = probe.bitmapInfo.biWidth;
    sized.height = probe.bitmapInfo.biHeight;
    return sized;
}

// The scene once here: a sequence that cannot be read fails before any worker starts, and the
// range is known.
bool probeRender(const RenderOptions& sized, RenderShape& shape, QString* error) {
    HeadlessRender render;
    if (!render.open(sized, error)) return false;
    shape = {render.firstFrame(), render.lastFrame(), sized.width, sized.height};
    return true;
}

// The output, opened as a single process opens it, with the sound: the workers draw silent
// chunks, and the soundtrack is encoded here as their frames are joined.
bool openJoinedOutput(AviWriter& writer, const RenderOptions& options, const VideoOutput& output,
                      const RenderShape& shape, QString* error) {
    prepareVideoWriter(writer, output, options.framesPerSecond, shape.width, shape.height);
    writer.soundtrack = {output.soundtrack, shape.first};
    if (writer.initialise() >= 0) return true;
    if (error) *error = writer.errorText();
    return false;
}

// The workers, one chunk each, rendering at once.
std::vector<Worker> startWorkers(const QString& program, const RenderOptions& options,
                                 const VideoOutput& output, const RenderShape& shape, int jobs,
                                 const QTemporaryDir& folder) {
    const QString suffix = QFileInfo(output.path).suffix();
    std::vector<Worker> workers;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains(QStringLiteral("LP_NUM_THREADS")))
        env.insert(QStringLiteral("LP_NUM_THREADS"), QStringLiteral("1"));
    for (const auto& [a, b] : splitFrameRange(shape.first, shape.total(), jobs)) {
        Worker w;
        w.file = folder.filePath(QStringLiteral("chunk-%1.%2").arg(workers.size()).arg(suffix));
        w.frames = b - a + 1;
        w.process = std::make_unique<QProcess>();
        w.process->setProcessEnvironment(env);
        w.process->start(program, workerArguments(options, output, w.file, a, b));
        workers.push_back(std::move(w));
    }
    return workers;
}

// Waits for the workers, reporting their progress; a stop request makes each finish its file
// with the frames it has. Returns whether the render was stopped.
bool waitForWorkers(std::vector<Worker>& workers, const VideoOutput& output, int total,
                    const RenderProgress& progress) {
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
        if (!running) return stopped;
        if (!stopped && output.stopRequested && output.stopRequested()) {
            stopped = true;
            for (Worker& w : workers)
                w.process->terminate();
        }
    }
}

struct JoinResult {
    int written = 0; // frames in the output
    int status = 0;  // the writer's, negative when a chunk could not be appended
    QString failure;
};

// The join: the chunks in order, up to the first that did not finish.
JoinResult joinChunks(AviWriter& writer, std::vector<Worker>& workers) {
    JoinResult join;
    for (Worker& w : workers) {
        const bool finished =
            w.process->exitStatus() == QProcess::NormalExit && w.process->exitCode() == 0;
        if (QFileInfo::exists(w.file)) {
            int frames = 0;
            join.status = appendVideoFile(writer, w.file, &frames, &join.failure);
            join.written += frames;
            if (join.status < 0) break;
        }
        if (!finished) {
            join.failure =
                lastLine(w.errors).remove(QRegularExpression(QStringLiteral("^lumatoy: ")));
            if (join.failure.isEmpty())
                join.failure = QStringLiteral("A worker process of the render failed.");
            break;
        }
    }
    return join;
}

// The drawing, reading back and encoding the workers did, summed over them (they overlap in
// time), and the join as encoding.
RenderReport parallelReport(std::vector<Worker>& workers, const RenderShape& shape, int written,
                            double joinMs, double seconds) {
    RenderReport result;
    for (Worker& w : workers)
        addSummary(QString::fromLocal8Bit(w.process->readAllStandardOutput()), result);
    result.frames = written;
    result.width = shape.width;
    result.height = shape.height;
    result.encodeMs += joinMs;
    result.seconds = seconds;
    return result;
}

} // namespace

bool renderVideoInParallel(const RenderOptions& options, const VideoOutput& output, int jobs,
                           const QString& program, RenderReport* report, QString* error,
                           const RenderProgress& progress) {
    QElapsedTimer wall;
    wall.start();
    const RenderOptions sized = writerSized(options);
    if (sized.width <= 0 || sized.height <= 0)
        return renderToVideo(options, output, report, error, progress);
    RenderShape shape;
    if (!probeRender(sized, shape, error)) return false;
    const int total = shape.total();

    // A file that cannot be written fails before anything is drawn.
    AviWriter writer;
    if (!openJoinedOutput(writer, options, output, shape, error)) return false;
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        if (error)
            *error = QStringLiteral("Cannot make a folder for the chunks of %1.").arg(output.path);
        return false;
    }

    std::vector<Worker> workers = startWorkers(program, options, output, shape, jobs, folder);
    const bool stopped = waitForWorkers(workers, output, total, progress);

    QElapsedTimer joinTime;
    joinTime.start();
    const JoinResult join = joinChunks(writer, workers);
    const int finished = writer.release();
    const int written = join.written;
    if (progress && written == total) progress(total, total);
    if (report)
        *report = parallelReport(workers, shape, written, joinTime.nsecsElapsed() / 1e6,
                                 wall.nsecsElapsed() / 1e9);
    if (stopped && finished >= 0) {
        if (error)
            *error = QStringLiteral("Interrupted: %1 of %2 frames are in %3.")
                         .arg(written)
                         .arg(total)
                         .arg(output.path);
        return false;
    }
    if (join.status < 0 || finished < 0) {
        if (error) *error = writeFailureText(writer, join.status, finished, written, total);
        return false;
    }
    if (written != total) {
        if (error) *error = join.failure;
        return false;
    }
    return true;
}
