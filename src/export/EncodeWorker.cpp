// The encoder thread and its buffer pool.
#include "export/EncodeWorker.h"

#include <chrono>

namespace {
double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
} // namespace

EncodeWorker::EncodeWorker(EncodeFunction encode, std::size_t frameBytes, int queueDepth)
    : encode_(std::move(encode)), pool_(static_cast<std::size_t>(queueDepth < 1 ? 1 : queueDepth)) {
    for (Buffer& b : pool_) {
        b.resize(frameBytes);
        free_.push_back(&b);
    }
    thread_ = std::thread([this] { run(); });
}

EncodeWorker::~EncodeWorker() {
    finish();
}

EncodeWorker::Buffer* EncodeWorker::acquire() {
    const auto start = std::chrono::steady_clock::now();
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return !free_.empty(); });
    Buffer* b = free_.back();
    free_.pop_back();
    waitSeconds_ += secondsSince(start);
    return b;
}

void EncodeWorker::submit(Buffer* frame) {
    {
        std::lock_guard lock(mutex_);
        if (status_ < 0 || stopping_) {
            free_.push_back(frame);
            return;
        }
        queued_.push_back(frame);
    }
    wake_.notify_all();
}

void EncodeWorker::finish() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

int EncodeWorker::status() const {
    std::lock_guard lock(mutex_);
    return status_;
}

int EncodeWorker::framesEncoded() const {
    std::lock_guard lock(mutex_);
    return framesEncoded_;
}

double EncodeWorker::encodeSeconds() const {
    std::lock_guard lock(mutex_);
    return encodeSeconds_;
}

void EncodeWorker::run() {
    for (;;) {
        Buffer* frame = nullptr;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !queued_.empty(); });
            if (queued_.empty()) return; // stopping, and nothing left
            frame = queued_.front();
            queued_.pop_front();
        }
        const auto start = std::chrono::steady_clock::now();
        const int result = encode_(frame->data());
        const double spent = secondsSince(start);
        {
            std::lock_guard lock(mutex_);
            encodeSeconds_ += spent;
            if (result < 0) {
                status_ = result;
                // Nothing after a failed frame is written: give the rest of the queue back.
                for (Buffer* b : queued_)
                    free_.push_back(b);
                queued_.clear();
            } else {
                ++framesEncoded_;
            }
            free_.push_back(frame);
        }
        wake_.notify_all();
    }
}
