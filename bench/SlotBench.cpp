// Where a frame's time goes: every slot of the composer timed on its own (a glFinish after each),
// then the resolve and readback and the encode, for stored sequences at several frame sizes.
//
//   lumatoy_slot_bench [--sizes 720x480,1280x720,1920x1080] [--frames N] [--start F]
//                      [--codec NAME] [SEQUENCE.lmt ...]
//       SEQUENCE: a path or the name of a stored sequence; none: the default look. Frames
//       F...F+N-1 (default: 10 frames from the middle of the timeline) are stepped to and drawn;
//       the table gives milliseconds per frame of each part, one column per size.
#include "export/AviWriter.h"
#include "render/FrameComposer.h"
#include "render/HeadlessRender.h"
#include "render/OffscreenTarget.h"
#include "timeline/SequenceLibrary.h"

#include <GL/gl.h>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

using SteadyClock = std::chrono::steady_clock;

struct SlotTimes {
    std::vector<std::string> order;   // slots in the order first seen
    std::map<std::string, double> ms; // summed over the timed frames
    SteadyClock::time_point last;
    bool timing = false;

    void add(const std::string& slot, double value) {
        if (!ms.count(slot)) order.push_back(slot);
        ms[slot] += value;
    }
};

SlotTimes* g_times = nullptr;

void onSlot(const char* slot) {
    if (!g_times || !g_times->timing) return;
    glFinish();
    const auto now = SteadyClock::now();
    g_times->add(slot, std::chrono::duration<double, std::milli>(now - g_times->last).count());
    g_times->last = now;
}

double msSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

QString resolveSequence(const QString& name) {
    if (name.isEmpty() || QFileInfo::exists(name)) return QFileInfo(name).absoluteFilePath();
    return QDir(programSequencesFolder()).filePath(name + QStringLiteral(".lmt"));
}

// Times frames start...start+count-1 of `sequence` at width x height; false on failure.
bool timeSequence(const QString& sequence, int width, int height, int start, int count,
                  const QString& codec, SlotTimes& times) {
    RenderOptions options;
    options.sequencePath = sequence;
    options.width = width / 4 * 4;
    options.height = height / 4 * 4;
    HeadlessRender render;
    QString error;
    if (!render.open(options, &error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return false;
    }
    if (start < 0) start = std::max(0, (render.lastFrame() + 1) / 2 - count / 2);
    AviWriter writer;
    writer.setFileName(QDir::temp().filePath(QStringLiteral("lumatoy-slot-bench.avi")));
    writer.frameRate = 30;
    writer.setFormatFromWindow(options.width, options.height);
    writer.askForCompression = false;
    writer.compression.encoder = codec;
    if (writer.initialise() < 0) {
        std::fprintf(stderr, "%s\n", qPrintable(writer.errorText()));
        return false;
    }
    std::vector<std::uint8_t> pixels;
    render.drawUpTo(start - 1);
    for (int frame = start; frame < start + count; ++frame) {
        times.timing = true;
        times.last = SteadyClock::now();
        render.drawUpTo(frame);
        times.timing = false;
        auto t = SteadyClock::now();
        render.target().readBgrBottomUp(pixels);
        times.add("resolve + readback", msSince(t));
        t = SteadyClock::now();
        writer.appendFrame(pixels.data());
        times.add("encode (" + codec.toStdString() + ")", msSince(t));
    }
    writer.release();
    for (auto& [slot, ms] : times.ms)
        ms /= count;
    return true;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QStringList sizes{"720x480", "1280x720", "1920x1080"};
    int frames = 10, start = -1;
    QString codec = QStringLiteral("mjpeg");
    QStringList sequences;
    const QStringList args = app.arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == "--sizes" && i + 1 < args.size())
            sizes = args[++i].split(',');
        else if (args[i] == "--frames" && i + 1 < args.size())
            frames = std::max(1, args[++i].toInt());
        else if (args[i] == "--start" && i + 1 < args.size())
            start = args[++i].toInt();
        else if (args[i] == "--codec" && i + 1 < args.size())
            codec = args[++i];
        else
            sequences << args[i];
    }
    if (sequences.isEmpty()) sequences << QString();
    setSlotHook(onSlot);

    for (const QString& name : sequences) {
        std::vector<SlotTimes> columns(static_cast<std::size_t>(sizes.size()));
        for (int k = 0; k < sizes.size(); ++k) {
            const QStringList wh = sizes[k].split('x');
            g_times = &columns[std::size_t(k)];
            if (wh.size() != 2 || !timeSequence(resolveSequence(name), wh[0].toInt(), wh[1].toInt(),
                                                start, frames, codec, columns[std::size_t(k)]))
                return 1;
        }
        std::printf("\n%s, ms per frame (%d frames)\n",
                    name.isEmpty() ? "default look" : qPrintable(name), frames);
        std::printf("| slot |");
        for (const QString& size : sizes)
            std::printf(" %s |", qPrintable(size));
        std::printf("\n|---|");
        for (int k = 0; k < sizes.size(); ++k)
            std::printf("---|");
        std::printf("\n");
        std::vector<double> totals(columns.size(), 0.0);
        for (const std::string& slot : columns.back().order) {
            std::printf("| %s |", slot.c_str());
            for (std::size_t k = 0; k < columns.size(); ++k) {
                const double ms = columns[k].ms.count(slot) ? columns[k].ms[slot] : 0.0;
                totals[k] += ms;
                std::printf(" %.2f |", ms);
            }
            std::printf("\n");
        }
        std::printf("| **sum** |");
        for (double t : totals)
            std::printf(" **%.2f** |", t);
        std::printf("\n");
    }
    return 0;
}
