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

int runRenderCommand(const QStringList& args) {
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
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        auto value = [&](const char* option) -> std::optional<QString> {
            if (i + 1 >= args.size()) return std::nullopt;
            Q_UNUSED(option);
            return args[++i];
        };
        if (arg == "-o" || arg == "--output") {
            const auto v = value("-o");
            if (!v) return fail("-o needs a file or folder name.");
            out = *v;
        } else if (arg == "--format") {
            const auto v = value("--format");
            bool ok = false;
            format = v ? v->toInt(&ok) : -1;
            if (!ok || !exportFormat(format)) return fail("--format takes a number from 0 to 16.");
        } else if (arg == "--size") {
            const auto v = value("--size");
            size = v ? parseSize(*v) : std::nullopt;
            if (!size) return fail("--size takes WIDTHxHEIGHT, for example 640x360.");
        } else if (arg == "--fps") {
            const auto v = value("--fps");
            bool ok = false;
            fps = v ? v->toInt(&ok) : 0;
            if (!ok || fps < 1 || fps > 240) return fail("--fps takes a number from 1 to 240.");
        } else if (arg == "--frames") {
            const auto v = value("--frames");
            const auto range = v ? parseFrameRange(*v) : std::nullopt;
            if (!range || range->second > 9999)
                return fail("--frames takes A-B or N, frames 0 to 9999.");
            options.firstFrame = range->first;
            options.lastFrame = range->second;
            framesGiven = true;
        } else if (arg == "--audio") {
            const auto v = value("--audio");
            if (!v || v->isEmpty()) return fail("--audio needs a sound file.");
            soundtrack = absoluteUserPath(*v);
        } else if (arg == "--motion-blur") {
            options.motionBlur = true;
        } else if (arg == "--jobs") {
            const auto v = value("--jobs");
            bool ok = false;
            jobs = v ? v->toInt(&ok) : 0;
            if (!ok || jobs < 1 || jobs > 1024)
                return fail("--jobs takes a number from 1 to 1024.");
        } else if (arg == "--chunks" || arg == "--chunk") {
            const auto v = value("--chunks");
            bool ok = false;
            const int n = v ? v->toInt(&ok) : -1;
            if (!ok || n < (arg == "--chunks" ? 1 : 0) || n > 9999)
                return fail(QStringLiteral("%1 takes a number from %2 to 9999.")
                                .arg(arg, arg == "--chunks" ? "1" : "0"));
            (arg == "--chunks" ? chunkRequest.chunks : chunkRequest.chunk) = n;
        } else if (arg == "--codec") {
            const auto v = value("--codec");
            if (!v || v->isEmpty())
                return fail("--codec needs an encoder name (see lumatoy --help).");
            codec = *v;
        } else if (arg.startsWith('-')) {
            return fail(QStringLiteral("Unknown option %1 (see lumatoy --help).").arg(arg));
        } else if (options.sequencePath.isEmpty()) {
            options.sequencePath = absoluteUserPath(arg);
        } else {
            return fail(QStringLiteral("Unexpected argument %1.").arg(arg));
        }
    }
    if (out.isEmpty())
        return fail("render needs an output: -o FILE.avi, FILE.mp4, FILE.bmp or FOLDER/");

    const ExportFormat& row = *exportFormat(format);
    options.width = size ? size->first : row.labelSize.width();
    options.height = size ? size->second : row.labelSize.height();
    options.framesPerSecond = fps ? fps : row.rate;
    out = absoluteUserPath(out);

    const OutputKind kind = outputKind(out);
    if (kind == OutputKind::Unknown)
        return fail(QStringLiteral("Cannot write %1: the output must end in .avi, .mp4 or .bmp, or "
                                   "be a folder ending in /.")
                        .arg(out));
    VideoOutput video;
    video.path = out;
    if (!codec.isEmpty()) {
        if (kind != OutputKind::Video)
            return fail("--codec applies to .avi and .mp4 outputs only.");
        const QString container = containerForFile(out);
        const QList<VideoCodecChoice> codecs = availableVideoCodecs(container);
        const VideoCodecChoice* found = findVideoCodec(codecs, codec);
        if (!found)
            return fail(QStringLiteral("Unknown codec %1 for .%2 files; use one of: %3.")
                            .arg(codec, container, codecNames(container)));
        video.encoder = found->encoder;
    }
    if (!soundtrack.isEmpty()) {
        if (kind != OutputKind::Video)
            return fail("--audio applies to .avi and .mp4 outputs only.");
        QString problem;
        if (!AudioDecoder().open(soundtrack, &problem)) return fail(problem);
        video.soundtrack = soundtrack;
    }
    if (kind == OutputKind::Bitmap && framesGiven && options.firstFrame != options.lastFrame)
        return fail("A .bmp holds one frame: give --frames N.");
    std::optional<ChunkPlan> chunk;
    if (chunkRequest.given()) {
        if (kind == OutputKind::Bitmap)
            return fail("--chunks applies to videos and picture folders, not to a .bmp.");
        QString error;
        chunk =
            planChunk(chunkRequest, options, kind == OutputKind::Video ? &video : nullptr, &error);
        if (!chunk) return fail(error);
        // The range first, so that a farm task's log says what it took before it starts.
        std::printf("%s\n", qPrintable(chunkText(*chunk)));
        std::fflush(stdout);
    }

    RenderReport report;
    QString error;
    bool ok = false;
    int stoppedBy = 0; // the signal that stopped a video render
    if (kind == OutputKind::Bitmap) {
        ok = renderToBitmap(options, out, &report, &error);
    } else {
        ProgressLine progressLine;
        const RenderProgress progress = [&progressLine](int done, int total) {
            progressLine.update(done, total);
        };
        if (kind == OutputKind::Video) {
            // Ctrl-C (or a kill) stops a video cleanly: the file is finished, not cut off.
            const StopOnSignal stop;
            video.stopRequested = [] { return stopSignal != 0; };
            video.jobs = jobs;
            if (jobs > 1 && canSpreadRender(video))
                ok = renderVideoInParallel(options, video, jobs,
                                           QCoreApplication::applicationFilePath(), &report, &error,
                                           progress);
            else
                ok = renderToVideo(options, video, &report, &error, progress);
            if (!ok) stoppedBy = stopSignal;
        } else {
            PngFolderSink sink(out);
            ok = renderToSink(options, sink, &report, &error, progress);
        }
    }
    if (stoppedBy) {
        fail(error);
        return 128 + stoppedBy;
    }
    if (!ok) return fail(error);
    const double frames = std::max(1, report.frames);
    std::printf("rendered %d frames %dx%d in %.2f s: render %.2f ms/frame, readback %.2f ms/frame, "
                "encode %.2f ms/frame\n",
                report.frames, report.width, report.height, report.seconds,
                report.renderMs / frames, report.readbackMs / frames, report.encodeMs / frames);
    if (chunk)
        std::printf("%s: %d frames in %.2f s, %.2f frames per second\n",
                    qPrintable(chunkText(*chunk)), report.frames, report.seconds,
                    report.frames / std::max(report.seconds, 1e-6));
    return 0;
}
