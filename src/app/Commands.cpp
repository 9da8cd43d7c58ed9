// The command line: help text and the render sub-command.
#include "app/Commands.h"

#include "export/FormatTable.h"
#include "render/FrameSink.h"
#include "render/RenderJob.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <cstdio>
#include <memory>

namespace {
int fail(const QString& message) {
    std::fprintf(stderr, "lumatoy: %s\n", qPrintable(message));
    return 1;
}

bool isFolderTarget(const QString& out) {
    return out.endsWith('/') || QFileInfo(out).isDir();
}
} // namespace

QString usageText() {
    return QStringLiteral(
        "Usage:\n"
        "  lumatoy [SEQUENCE.lmt]                  open the main window, optionally with a "
        "sequence\n"
        "  lumatoy render [SEQUENCE.lmt] -o OUT [options]\n"
        "      OUT: a folder ending in / (numbered PNG frames)\n"
        "      --format N     video format 0-16 (default 1: 720x480 at 30 frames per second)\n"
        "      --size WxH     frame size instead of the format's\n"
        "      --fps N        frames per second instead of the format's\n"
        "      --frames A-B   frame range (default: the whole timeline, or 300 frames without "
        "keys)\n"
        "  lumatoy convert IN OUT                  .lmt <-> .json\n"
        "  lumatoy info FILE [--json]              what a .lmt, .3ds, .tga or picture file holds\n"
        "  lumatoy --help | --version\n");
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
        } else if (arg.startsWith('-')) {
            return fail(QStringLiteral("Unknown option %1 (see lumatoy --help).").arg(arg));
        } else if (options.sequencePath.isEmpty()) {
            options.sequencePath = absoluteUserPath(arg);
        } else {
            return fail(QStringLiteral("Unexpected argument %1.").arg(arg));
        }
    }
    if (out.isEmpty()) return fail("render needs an output: -o FOLDER/");

    const ExportFormat& row = *exportFormat(format);
    options.width = size ? size->first : row.labelSize.width();
    options.height = size ? size->second : row.labelSize.height();
    options.framesPerSecond = fps ? fps : row.rate;
    out = absoluteUserPath(out);

    std::unique_ptr<FrameSink> sink;
    if (isFolderTarget(out)) {
        sink = std::make_unique<PngFolderSink>(out);
    } else {
        return fail(
            QStringLiteral("Cannot write %1: the output must be a folder ending in /.").arg(out));
    }

    RenderReport report;
    QString error;
    const bool ok = renderToSink(options, *sink, &report, &error, [](int done, int total) {
        std::fprintf(stderr, "\rframe %d of %d", done, total);
        if (done == total) std::fprintf(stderr, "\n");
    });
    if (!ok) return fail(error);
    const double frames = std::max(1, report.frames);
    std::printf("rendered %d frames %dx%d in %.2f s: render %.2f ms/frame, readback %.2f ms/frame, "
                "encode %.2f ms/frame\n",
                report.frames, report.width, report.height, report.seconds,
                report.renderMs / frames, report.readbackMs / frames, report.encodeMs / frames);
    return 0;
}
