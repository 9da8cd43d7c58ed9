// Chunks of a render for farm machines, and the join of their files.
#include "cli/FarmCommands.h"

#include "cli/Commands.h"
#include "cli/ParallelRender.h"
#include "export/VideoCodecs.h"
#include "export/VideoParts.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <cstdio>

namespace {
int fail(const QString& message) {
    std::fprintf(stderr, "lumatoy: %s\n", qPrintable(message));
    return 1;
}

// The render's whole frame range: --frames when given, else the timeline's (the scene is opened
// once to learn it).
bool wholeRange(const RenderOptions& options, int* first, int* last, QString* error) {
    if (options.lastFrame >= 0) {
        *first = options.firstFrame;
        *last = options.lastFrame;
        return true;
    }
    RenderOptions probe = options;
    probe.width = std::max(4, options.width / 4 * 4);
    probe.height = std::max(4, options.height / 4 * 4);
    HeadlessRender render;
    if (!render.open(probe, error)) return false;
    *first = render.firstFrame();
    *last = render.lastFrame();
    return true;
}
} // namespace

QString renderIdentity(const RenderOptions& options, QString* error) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!options.sequencePath.isEmpty()) {
        QFile file(options.sequencePath);
        if (!file.open(QIODevice::ReadOnly)) {
            if (error)
                *error = QStringLiteral("Cannot read the sequence %1: %2")
                             .arg(options.sequencePath, file.errorString());
            return {};
        }
        hash.addData(file.readAll());
    }
    hash.addData(options.motionBlur ? QByteArrayView("\nmotion-blur") : QByteArrayView("\n"));
    return QString::fromLatin1(hash.result().toHex());
}

QString chunkText(const ChunkPlan& plan) {
    return QStringLiteral("chunk %1 of %2: frames %3-%4 of %5-%6")
        .arg(plan.chunk)
        .arg(plan.chunks)
        .arg(plan.first)
        .arg(plan.last)
        .arg(plan.rangeFirst)
        .arg(plan.rangeLast);
}

std::optional<ChunkPlan> planChunk(const ChunkRequest& request, RenderOptions& options,
                                   VideoOutput* video, QString* error) {
    auto refuse = [&](const QString& text) -> std::optional<ChunkPlan> {
        if (error) *error = text;
        return std::nullopt;
    };
    if (request.chunks == 0 || request.chunk < 0)
        return refuse(QStringLiteral("--chunks N and --chunk K go together: render chunk K "
                                     "(from 0) of N equal parts."));
    if (request.chunk >= request.chunks)
        return refuse(QStringLiteral("--chunk %1 is out of range: with --chunks %2 the chunks "
                                     "are 0 to %3.")
                          .arg(request.chunk)
                          .arg(request.chunks)
                          .arg(request.chunks - 1));
    ChunkPlan plan;
    plan.chunk = request.chunk;
    plan.chunks = request.chunks;
    if (!wholeRange(options, &plan.rangeFirst, &plan.rangeLast, error)) return std::nullopt;
    const int count = plan.rangeLast - plan.rangeFirst + 1;
    if (request.chunks > count)
        return refuse(QStringLiteral("--chunks %1 is more than the %2 frames of the render "
                                     "(frames %3-%4): every chunk needs a frame.")
                          .arg(request.chunks)
                          .arg(count)
                          .arg(plan.rangeFirst)
                          .arg(plan.rangeLast));
    const QString identity = renderIdentity(options, error);
    if (identity.isEmpty()) return std::nullopt;
    const auto range = splitFrameRange(plan.rangeFirst, count, request.chunks)[request.chunk];
    plan.first = range.first;
    plan.last = range.second;
    options.firstFrame = plan.first;
    options.lastFrame = plan.last;

    if (video) {
        VideoPartTag tag;
        tag.first = plan.first;
        tag.last = plan.last;
        tag.rangeFirst = plan.rangeFirst;
        tag.rangeLast = plan.rangeLast;
        tag.chunk = plan.chunk;
        tag.chunks = plan.chunks;
        tag.sequence = QFileInfo(options.sequencePath).fileName();
        tag.identity = identity;
        tag.width = options.width / 4 * 4;
        tag.height = options.height / 4 * 4;
        tag.framesPerSecond = options.framesPerSecond;
        tag.codec = video->encoder.isEmpty()
                        ? defaultVideoCompression(containerForFile(video->path)).encoder
                        : video->encoder;
        video->comment = encodePartTag(tag);
    }
    return plan;
}

int runJoinCommand(const QStringList& args) {
    QStringList parts;
    QString out;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == "-o" || arg == "--output") {
            if (i + 1 >= args.size()) return fail("-o needs a file name.");
            out = absoluteUserPath(args[++i]);
        } else if (arg.startsWith('-')) {
            return fail(QStringLiteral("Unknown option %1 (see lumatoy --help).").arg(arg));
        } else {
            parts << absoluteUserPath(arg);
        }
    }
    if (out.isEmpty()) return fail("join needs an output: -o FILE.avi or FILE.mp4");
    if (!out.endsWith(QLatin1String(".avi"), Qt::CaseInsensitive) &&
        !out.endsWith(QLatin1String(".mp4"), Qt::CaseInsensitive))
        return fail(
            QStringLiteral("Cannot write %1: the output must end in .avi or .mp4.").arg(out));
    if (parts.isEmpty()) return fail("join needs the parts: lumatoy join PART... -o VIDEO");
    JoinReport report;
    QString error;
    if (!joinVideoParts(parts, out, &report, &error)) return fail(error);
    std::printf("joined %d parts into %s: frames %d-%d (%d frames), %d stream%s copied\n",
                report.parts, qPrintable(out), report.first, report.last,
                report.last - report.first + 1, report.streams, report.streams == 1 ? "" : "s");
    return 0;
}
