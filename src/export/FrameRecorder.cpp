// Drawing on the calling thread, encoding on a worker: the two overlap.
#include "export/FrameRecorder.h"

#include "export/AviWriter.h"
#include "export/EncodeWorker.h"

#include <chrono>

namespace {
using SteadyClock = std::chrono::steady_clock;

double secondsBetween(SteadyClock::time_point a, SteadyClock::time_point b) {
    return std::chrono::duration<double>(b - a).count();
}
} // namespace

RecordResult recordFrames(FrameSource& source, AviWriter& writer, int frameCount,
                          const RecordProgress& progress, int queueDepth) {
    RecordResult result;
    const auto start = SteadyClock::now();
    EncodeWorker worker(
        [&writer](const std::uint8_t* pixels) { return writer.appendFrame(pixels); },
        writer.bitmapInfo.biSizeImage, queueDepth);
    for (int i = 0; i < frameCount; ++i) {
        if (worker.status() < 0) break;
        const auto t0 = SteadyClock::now();
        source.renderFrame(i);
        const auto t1 = SteadyClock::now();
        EncodeWorker::Buffer* frame = worker.acquire();
        const auto t2 = SteadyClock::now();
        source.readFrame(frame->data());
        const auto t3 = SteadyClock::now();
        worker.submit(frame);
        result.renderSeconds += secondsBetween(t0, t1);
        result.readbackSeconds += secondsBetween(t2, t3);
        if (progress && !progress(i + 1, frameCount)) {
            result.cancelled = true;
            break;
        }
    }
    worker.finish();
    result.status = worker.status();
    result.framesWritten = worker.framesEncoded();
    result.encodeSeconds = worker.encodeSeconds();
    result.wallSeconds = secondsBetween(start, SteadyClock::now());
    return result;
}
