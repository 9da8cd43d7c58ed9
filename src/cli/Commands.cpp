// The command line: help text and the render sub-command.
#include "cli/Commands.h"

#include "audio/AudioDecoder.h"
#include "cli/FarmCommands.h"
#include "cli/ParallelRender.h"
#include "cli/ProgressLine.h"
#include "cli/RenderToFile.h"
#include "export/FormatTable.h"
#include "export/PngFolderSink.h"
#include "export/VideoCodecs.h"
#include "render/HeadlessRender.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <signal.h>

namespace {
int fail(const QString& message) {
    std::fprintf(stderr, "lumatoy: %s\n", qPrintable(message));
    return 1;
}

volatile std::sig_atomic_t stopSignal = 0;

// While it lives, SIGINT and SIGTERM only note that the user wants the render to stop.
class StopOnSignal {
  public:
    StopOnSignal() {
        stopSignal = 0;
        struct sigaction action = {};
        action.sa_handler = [](int signal) { stopSignal = signal; };
        sigemptyset(&action.sa_mask);
        sigaction(SIGINT, &action, &previousInt_);
        sigaction(SIGTERM, &action, &previousTerm_);
    }
    ~StopOnSignal() {
        sigaction(SIGINT, &previousInt_, nullptr);
        sigaction(SIGTERM, &previousTerm_, nullptr);
    }
    StopOnSignal(const StopOnSignal&) = delete;
    StopOnSignal& operator=(const StopOnSignal&) = delete;

  private:
    struct sigaction previousInt_ = {}, previousTerm_ = {};
};

enum class OutputKind { Folder, Video, Bitmap, Unknown };

OutputKind outputKind(const QString& out) {
    if (out.endsWith('/') || QFileInfo(out).isDir()) return OutputKind::Folder;
    if (out.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive) ||
        out.endsWith(QLatin1String(".mp4"), Qt::CaseInsensitive))
        return OutputKind::Video;
    if (out.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) return OutputKind::Bitmap;
    return OutputKind::Unknown;
}

// "mjpeg (default), ffv1, huffyuv": the encoders a container takes, as --codec accepts them.
QString codecNames(const QString& container) {
    const QString preferred = defaultVideoCompression(container).encoder;
    QStringList names;
    for (const VideoCodecChoice& codec : availableVideoCodecs(container))
        names << (codec.encoder == preferred ? codec.encoder + QStringLiteral(" (default)")
                                             : codec.encoder);
    return names.join(QStringLiteral(", "));
}
// Breaks a comma-separated list into lines of at most 90 columns, continued `indent` columns in.
QString wrapList(const QString& list, int indent) {
    QString wrapped;
    int column = indent;
    for (const QString& item : list.split(QStringLiteral(", "))) {
        if (!wrapped.isEmpty()) {
            wrapped += ',';
            if (column + 2 + item.size() > 90) {
                wrapped += '\n' + QString(indent, ' ');
                column = indent;
            } else {
                wrapped += ' ';
                column += 2;
            }
        }
        wrapped += item;
        column += static_cast<int>(item.size());
    }
    return wrapped;
}
} // namespace

QString usageText() {
    return QStringLiteral(
               "Usage:\n"
               "  lumatoy [SEQUENCE.lmt]                  open the main window, optionally with a "
               "sequence\n"
               "  lumatoy render [SEQUENCE.lmt] -o OUT [options]\n"
               "      OUT: FILE.avi or FILE.mp4 (a video), FILE.bmp (one frame), or a folder "
               "ending\n"
               "           in / (numbered PNG frames)\n"
               "      --format N     video format 0-16 (default 1: 720x480 at 30 frames per "
               "second)\n"
               "      --size WxH     frame size instead of the format's (videos round it down to\n"
               "                     multiples of 4, pictures their width)\n"
               "      --fps N        frames per second instead of the format's\n"
               "      --frames A-B   frame range (default: the whole timeline, or 300 frames "
               "without\n"
               "                     keys); --frames N for a .bmp (default: frame 0)\n"
               "      --codec NAME   video encoder (or its label as the compression dialog shows "
               "it)\n"
               "                     .avi: %1\n"
               "                     .mp4: %2\n"
               "      --audio FILE   a soundtrack (any sound file FFmpeg reads, or the sound of a "
               "video):\n"
               "                     its slice under the frames, cut or padded with silence; "
               "16-bit\n"
               "                     PCM in .avi, AAC in .mp4\n"
               "      --motion-blur  motion blur on, with the values the sequence's keys give it "
               "(a\n"
               "                     sequence file has no switch for it)\n"
               "      --jobs N       worker processes for a video (default: the cores, %3); the "
               "file is\n"
               "                     the same as with --jobs 1; encoders that predict frames "
               "from\n"
               "                     earlier ones (H.264, MPEG-4) use one\n"
               "      --chunks N --chunk K\n"
               "                     render only chunk K (from 0) of N equal parts of the frame "
               "range,\n"
               "                     for machines of a render farm; lumatoy join puts them "
               "together\n"
               "  lumatoy join PART... -o VIDEO           the chunks of a render joined into one "
               "video\n"
               "                                          in frame order, not encoded again\n"
               "  lumatoy convert IN OUT                  .lmt <-> .json\n"
               "  lumatoy info FILE [--json]              what a .lmt, .3ds, .tga or picture file "
               "holds\n"
               "  lumatoy --help | --version\n")
        .arg(wrapList(codecNames(QStringLiteral("avi")), 27),
             wrapList(codecNames(QStringLiteral("mp4")), 27), QString::number(defaultJobs()));
}

int defaultJobs() {
    return std::max(1, QThread::idealThreadCount());
}

QString absoluteUserPath(const QString& path) {
    if (path.isEmpty()) return path;
    QString absolute = QDir::current().absoluteFilePath(path);
    if (path.endsWith('/') && !absolute.endsWith('/')) absolute += '/';
    return absolute;
}

std::optional<std::pair<int, int>> parseFrameRange(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,4})(?:-(\\d{1,4}))?$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const int first = match.captured(1).toInt();
    const int last = match.captured(2).isEmpty() ? first : match.captured(2).toInt();
    if (last < first) return std::nullopt;
    return std::make_pair(first, last);
}

std::optional<std::pair<int, int>> parseSize(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const auto match = pattern.match(text);
    if (!match.hasMatch()) return std::nullopt;
    const int width = match.captured(1).toInt(), height = match.captured(2).toInt();
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192) return std::nullopt;
    return std::make_pair(width, height);
}

namespace {

// What the render command line asks for.
struct RenderRequest {
    RenderOptions options;
    QString out;
    int format = 1;
    std::optional<std::pair<int, int>> size;
    int fps = 0;
    QString codec;
    int jobs = defaultJobs();
    bool framesGiven = false;
    ChunkRequest chunkRequest;
    QString soundtrack;
};

// A whole number from `min` to `max`, or nullopt for a missing or other value.
std::optional<int> numberIn(const std::optional<QString>& text, int min, int max) {
    bool ok = false;
    const int n = text ? text->toInt(&ok) : 0;
    if (!ok || n < min || n > max) return std::nullopt;
    return n;
}

// Reads one option or the sequence path; `value` takes the option's value (nullopt when the
// arguments end). Returns what is wrong, or nothing.
QString readRenderArgument(const QString& arg, const std::function<std::optional<QString>()>& value,
                           RenderRequest& r) {
    if (arg == "-o" || arg == "--output") {
        const auto v = value();
        if (!v) return QStringLiteral("-o needs a file or folder name.");
        r.out = *v;
    } else if (arg == "--format") {
        const auto v = value();
        bool ok = false;
        r.format = v ? v->toInt(&ok) : -1;
        if (!ok || !exportFormat(r.format))
            return QStringLiteral("--format takes a number from 0 to 16.");
    } else if (arg == "--size") {
        const auto v = value();
        r.size = v ? parseSize(*v) : std::nullopt;
        if (!r.size) return QStringLiteral("--size takes WIDTHxHEIGHT, for example 640x360.");
    } else if (arg == "--fps") {
        const auto n = numberIn(value(), 1, 240);
        if (!n) return QStringLiteral("--fps takes a number from 1 to 240.");
        r.fps = *n;
    } else if (arg == "--frames") {
        const auto v = value();
        const auto range = v ? parseFrameRange(*v) : std::nullopt;
        if (!range || range->second > 9999)
            return QStringLiteral("--frames takes A-B or N, frames 0 to 9999.");
        r.options.firstFrame = range->first;
        r.options.lastFrame = range->second;
        r.framesGiven = true;
    } else if (arg == "--audio") {
        const auto v = value();
        if (!v || v->isEmpty()) return QStringLiteral("--audio needs a sound file.");
        r.soundtrack = absoluteUserPath(*v);
    } else if (arg == "--motion-blur") {
        r.options.motionBlur = true;
    } else if (arg == "--jobs") {
        const auto n = numberIn(value(), 1, 1024);
        if (!n) return QStringLiteral("--jobs takes a number from 1 to 1024.");
        r.jobs = *n;
    } else if (arg == "--chunks" || arg == "--chunk") {
        const bool count = arg == "--chunks";
        const auto n = numberIn(value(), count ? 1 : 0, 9999);
        if (!n)
            return QStringLiteral("%1 takes a number from %2 to 9999.").arg(arg, count ? "1" : "0");
        (count ? r.chunkRequest.chunks : r.chunkRequest.chunk) = *n;
    } else if (arg == "--codec") {
        const auto v = value();
        if (!v || v->isEmpty())
            return QStringLiteral("--codec needs an encoder name (see lumatoy --help).");
        r.codec = *v;
    } else if (arg.startsWith('-')) {
        return QStringLiteral("Unknown option %1 (see lumatoy --help).").arg(arg);
    } else if (r.options.sequencePath.isEmpty()) {
        r.options.sequencePath = absoluteUserPath(arg);
    } else {
        return QStringLiteral("Unexpected argument %1.").arg(arg);
    }
    return {};
}

QString readRenderArguments(const QStringList& args, RenderRequest& r) {
    for (int i = 0; i < args.size(); ++i) {
        const auto value = [&]() -> std::optional<QString> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        const QString problem = readRenderArgument(args[i], value, r);
        if (!problem.isEmpty()) return problem;
    }
    if (r.out.isEmpty())
        return QStringLiteral("render needs an output: -o FILE.avi, FILE.mp4, FILE.bmp or FOLDER/");
    return {};
}

// The video's encoder and soundtrack as the request names them; what is wrong, or nothing.
QString chooseVideoOptions(const RenderRequest& r, OutputKind kind, VideoOutput& video) {
    if (!r.codec.isEmpty()) {
        if (kind != OutputKind::Video)
            return QStringLiteral("--codec applies to .avi and .mp4 outputs only.");
        const QString container = containerForFile(r.out);
        const QList<VideoCodecChoice> codecs = availableVideoCodecs(container);
        const VideoCodecChoice* found = findVideoCodec(codecs, r.codec);
        if (!found)
            return QStringLiteral("Unknown codec %1 for .%2 files; use one of: %3.")
                .arg(r.codec, container, codecNames(container));
        video.encoder = found->encoder;
    }
    if (!r.soundtrack.isEmpty()) {
        if (kind != OutputKind::Video)
            return QStringLiteral("--audio applies to .avi and .mp4 outputs only.");
        QString problem;
        if (!AudioDecoder().open(r.soundtrack, &problem)) return problem;
        video.soundtrack = r.soundtrack;
    }
    return {};
}

// The output after the checks that need its kind: a .bmp holds one frame and takes no chunks;
// a chunk narrows the frame range. What is wrong, or nothing.
QString planOutput(RenderRequest& r, OutputKind kind, VideoOutput& video,
                   std::optional<ChunkPlan>& chunk) {
    if (kind == OutputKind::Unknown)
        return QStringLiteral("Cannot write %1: the output must end in .avi, .mp4 or .bmp, or be a "
                              "folder ending in /.")
            .arg(r.out);
    video.path = r.out;
    if (const QString problem = chooseVideoOptions(r, kind, video); !problem.isEmpty())
        return problem;
    if (kind == OutputKind::Bitmap && r.framesGiven && r.options.firstFrame != r.options.lastFrame)
        return QStringLiteral("A .bmp holds one frame: give --frames N.");
    if (!r.chunkRequest.given()) return {};
    if (kind == OutputKind::Bitmap)
        return QStringLiteral("--chunks applies to videos and picture folders, not to a .bmp.");
    QString error;
    chunk =
        planChunk(r.chunkRequest, r.options, kind == OutputKind::Video ? &video : nullptr, &error);
    return chunk ? QString() : error;
}

// Renders a video, in worker processes where the encoder allows; Ctrl-C (or a kill) stops it
// cleanly: the file is finished, not cut off. `stoppedBy` is the signal that stopped it.
bool renderVideo(const RenderRequest& r, VideoOutput& video, RenderReport& report, QString& error,
                 const RenderProgress& progress, int& stoppedBy) {
    const StopOnSignal stop;
    video.stopRequested = [] { return stopSignal != 0; };
    video.jobs = r.jobs;
    bool ok;
    if (r.jobs > 1 && canSpreadRender(video))
        ok =
            renderVideoInParallel(r.options, video, r.jobs, QCoreApplication::applicationFilePath(),
                                  &report, &error, progress);
    else
        ok = renderToVideo(r.options, video, &report, &error, progress);
    if (!ok) stoppedBy = stopSignal;
    return ok;
}

bool renderOutput(const RenderRequest& r, OutputKind kind, VideoOutput& video, RenderReport& report,
                  QString& error, int& stoppedBy) {
    if (kind == OutputKind::Bitmap) return renderToBitmap(r.options, r.out, &report, &error);
    ProgressLine progressLine;
    const RenderProgress progress = [&progressLine](int done, int total) {
        progressLine.update(done, total);
    };
    if (kind == OutputKind::Video) return renderVideo(r, video, report, error, progress, stoppedBy);
    PngFolderSink sink(r.out);
    return renderToSink(r.options, sink, &report, &error, progress);
}

void printRenderReport(const RenderReport& report, const std::optional<ChunkPlan>& chunk) {
    const double frames = std::max(1, report.frames);
    std::printf("rendered %d frames %dx%d in %.2f s: render %.2f ms/frame, readback %.2f ms/frame, "
                "encode %.2f ms/frame\n",
                report.frames, report.width, report.height, report.seconds,
                report.renderMs / frames, report.readbackMs / frames, report.encodeMs / frames);
    if (chunk)
        std::printf("%s: %d frames in %.2f s, %.2f frames per second\n",
                    qPrintable(chunkText(*chunk)), report.frames, report.seconds,
                    report.frames / std::max(report.seconds, 1e-6));
}

} // namespace

int runRenderCommand(const QStringList& args) {
    RenderRequest request;
    if (const QString problem = readRenderArguments(args, request); !problem.isEmpty())
        return fail(problem);

    const ExportFormat& row = *exportFormat(request.format);
    RenderOptions& options = request.options;
    options.width = request.size ? request.size->first : row.labelSize.width();
    options.height = request.size ? request.size->second : row.labelSize.height();
    options.framesPerSecond = request.fps ? request.fps : row.rate;
    request.out = absoluteUserPath(request.out);

    const OutputKind kind = outputKind(request.out);
    VideoOutput video;
    std::optional<ChunkPlan> chunk;
    if (const QString problem = planOutput(request, kind, video, chunk); !problem.isEmpty())
        return fail(problem);
    if (chunk) {
        // The range first, so that a farm task's log says what it took before it starts.
        std::printf("%s\n", qPrintable(chunkText(*chunk)));
        std::fflush(stdout);
    }

    RenderReport report;
    QString error;
    int stoppedBy = 0;
    const bool ok = renderOutput(request, kind, video, report, error, stoppedBy);
    if (stoppedBy) {
        fail(error);
        return 128 + stoppedBy;
    }
    if (!ok) return fail(error);
    printRenderReport(report, chunk);
    return 0;
}
