// The soundtrack analysis on a worker thread.
#include "audio/EnvelopeWorker.h"

EnvelopeWorker::EnvelopeWorker(const QString& path, int framesPerSecond, int maxFrames)
    : path_(path) {
    thread_ = std::thread([this, framesPerSecond, maxFrames] {
        SoundtrackAnalysis analysis;
        QString error;
        const bool ok = analyseSoundtrack(
            path_, framesPerSecond, analysis, &error,
            [this](int done, int expected) {
                if (expected > 0) progress_ = std::min(1.0, double(done) / expected);
            },
            &cancel_, maxFrames);
        {
            const std::lock_guard lock(mutex_);
            ok_ = ok;
            result_ = std::move(analysis);
            error_ = error;
        }
        if (ok) progress_ = 1.0;
        finished_ = true;
    });
}

EnvelopeWorker::~EnvelopeWorker() {
    cancel_ = true;
    if (thread_.joinable()) thread_.join();
}

bool EnvelopeWorker::succeeded() const {
    const std::lock_guard lock(mutex_);
    return finished_ && ok_;
}

SoundtrackAnalysis EnvelopeWorker::result() const {
    const std::lock_guard lock(mutex_);
    return result_;
}

QString EnvelopeWorker::error() const {
    const std::lock_guard lock(mutex_);
    return error_;
}
