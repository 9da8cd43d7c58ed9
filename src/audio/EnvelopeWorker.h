// Runs the analysis of a soundtrack on a thread of its own, so that a long file never freezes the
// window: the owner polls the progress and the result, and may cancel.
#pragma once

#include "audio/Envelope.h"

#include <QString>
#include <atomic>
#include <mutex>
#include <thread>

class EnvelopeWorker {
  public:
    // Starts analysing `path` at once.
    EnvelopeWorker(const QString& path, int framesPerSecond,
                   int maxFrames = kLongestTimelineFrames);
    // Cancels and waits for the thread.
    ~EnvelopeWorker();
    EnvelopeWorker(const EnvelopeWorker&) = delete;
    EnvelopeWorker& operator=(const EnvelopeWorker&) = delete;

    void cancel() { cancel_ = true; }
    bool finished() const { return finished_; }
    // Progress 0 ... 1 (0 while the file's length is unknown).
    double progress() const { return progress_; }
    // Once finished: whether it worked, the analysis, and the message when not (empty when
    // cancelled).
    bool succeeded() const;
    SoundtrackAnalysis result() const;
    QString error() const;
    QString path() const { return path_; }

  private:
    const QString path_;
    std::atomic<bool> cancel_{false};
    std::atomic<bool> finished_{false};
    std::atomic<double> progress_{0};
    mutable std::mutex mutex_;
    bool ok_ = false;
    SoundtrackAnalysis result_;
    QString error_;
    std::thread thread_;
};
