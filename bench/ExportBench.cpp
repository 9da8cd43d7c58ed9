// Measures the video export pipeline headless: how long drawing, readback and encoding take, and
// how well drawing on this thread overlaps encoding on the worker.
//
//   lumatoy_export_bench [--frames N] [--size WxH] [--codec NAME] [--queue N] [--out FILE]
//       renders N frames (default 300 at 720x480, Motion JPEG) into FILE and prints the totals
//       and wall / max(render + readback, encode), which is 1.0 for a perfect overlap
//   lumatoy_export_bench --dump-raw FILE [--frames N] [--size WxH]
//       writes the read-back frames (bgr24, bottom row first) into FILE, no encoding
//   lumatoy_export_bench --encode-raw FILE [--size WxH] [--codec NAME] [--out FILE]
//       encodes such frames with the writer alone, on this thread
#include "cli/RenderToFile.h"
#include "export/AviWriter.h"
#include "export/FrameRecorder.h"
#include "render/OffscreenTarget.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {
struct Settings {
    int frames = 300, width = 720, height = 480, queue = 3;
    QString codec = QStringLiteral("mjpeg");
    QString out = QDir::temp().filePath(QStringLiteral("lumatoy-bench.avi"));
    QString dumpRaw, encodeRaw;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

bool openWriter(AviWriter& writer, const Settings& s) {
    writer.setFileName(s.out);
    writer.frameRate = 30;
    writer.setFormatFromWindow(s.width, s.height);
    writer.askForCompression = false;
    writer.compression.encoder = s.codec;
    if (writer.initialise() >= 0) return true;
    std::fprintf(stderr, "%s\n", qPrintable(writer.errorText()));
    return false;
}

bool openRender(HeadlessRender& render, const Settings& s) {
    RenderOptions options;
    options.width = s.width;
    options.height = s.height;
    options.lastFrame = s.frames - 1;
    QString error;
    if (render.open(options, &error)) return true;
    std::fprintf(stderr, "%s\n", qPrintable(error));
    return false;
}

int recordBenchmark(const Settings& s) {
    HeadlessRender render;
    AviWriter writer;
    if (!openRender(render, s) || !openWriter(writer, s)) return 1;
    HeadlessFrameSource source(render);
    const RecordResult r = recordFrames(source, writer, render.frameCount(), {}, s.queue);
    writer.release();
    if (r.status < 0) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorText()));
        return 1;
    }
    const double drawing = r.renderSeconds + r.readbackSeconds;
    const double n = r.framesWritten;
    std::printf("%d frames %dx%d, %s, queue %d\n", r.framesWritten, s.width, s.height,
                qPrintable(s.codec), s.queue);
    std::printf("render            %7.3f s  (%6.2f ms/frame)\n", r.renderSeconds,
                1000 * r.renderSeconds / n);
    std::printf("readback          %7.3f s  (%6.2f ms/frame)\n", r.readbackSeconds,
                1000 * r.readbackSeconds / n);
    std::printf("render + readback %7.3f s\n", drawing);
    std::printf("encode            %7.3f s  (%6.2f ms/frame)\n", r.encodeSeconds,
                1000 * r.encodeSeconds / n);
    std::printf("wall              %7.3f s\n", r.wallSeconds);
    std::printf("ratio wall / max(render + readback, encode) = %.3f\n",
                r.wallSeconds / std::max(drawing, r.encodeSeconds));
    return 0;
}

int dumpRaw(const Settings& s) {
    HeadlessRender render;
    if (!openRender(render, s)) return 1;
    QFile file(s.dumpRaw);
    if (!file.open(QIODevice::WriteOnly)) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(s.dumpRaw));
        return 1;
    }
    HeadlessFrameSource source(render);
    std::vector<std::uint8_t> pixels(std::size_t(s.width) * s.height * 3);
    for (int i = 0; i < render.frameCount(); ++i) {
        source.renderFrame(i);
        source.readFrame(pixels.data());
        file.write(reinterpret_cast<const char*>(pixels.data()), qint64(pixels.size()));
    }
    std::printf("%d frames %dx%d bgr24 (bottom row first) in %s\n", render.frameCount(), s.width,
                s.height, qPrintable(s.dumpRaw));
    return 0;
}

int encodeRaw(const Settings& s) {
    QFile file(s.encodeRaw);
    AviWriter writer;
    if (!file.open(QIODevice::ReadOnly) || !openWriter(writer, s)) return 1;
    std::vector<std::uint8_t> pixels(writer.bitmapInfo.biSizeImage);
    const auto start = std::chrono::steady_clock::now();
    int frames = 0;
    while (file.read(reinterpret_cast<char*>(pixels.data()), qint64(pixels.size())) ==
           qint64(pixels.size())) {
        if (writer.appendFrame(pixels.data()) < 0) {
            std::fprintf(stderr, "%s\n", qPrintable(writer.errorText()));
            return 1;
        }
        ++frames;
    }
    writer.release();
    const double seconds = secondsSince(start);
    std::printf("encoded %d frames %dx%d with %s in %.3f s (%.2f ms/frame, %.0f fps)\n", frames,
                s.width, s.height, qPrintable(s.codec), seconds, 1000 * seconds / frames,
                frames / seconds);
    return 0;
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Settings s;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); i += 2) {
        const QString& name = args[i];
        const QString& value = args[i + 1];
        if (name == "--frames")
            s.frames = value.toInt();
        else if (name == "--size") {
            s.width = value.section('x', 0, 0).toInt() / 4 * 4;
            s.height = value.section('x', 1, 1).toInt() / 4 * 4;
        } else if (name == "--codec")
            s.codec = value;
        else if (name == "--queue")
            s.queue = value.toInt();
        else if (name == "--out")
            s.out = QDir::current().absoluteFilePath(value);
        else if (name == "--dump-raw")
            s.dumpRaw = QDir::current().absoluteFilePath(value);
        else if (name == "--encode-raw")
            s.encodeRaw = QDir::current().absoluteFilePath(value);
        else {
            std::fprintf(stderr, "unknown option %s\n", qPrintable(name));
            return 2;
        }
    }
    if (s.frames < 1 || s.width < 4 || s.height < 4) {
        std::fprintf(stderr, "bad --frames or --size\n");
        return 2;
    }
    if (!s.dumpRaw.isEmpty()) return dumpRaw(s);
    if (!s.encodeRaw.isEmpty()) return encodeRaw(s);
    return recordBenchmark(s);
}
