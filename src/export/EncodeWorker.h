// Encodes frames on a thread of its own so that drawing the next frame overlaps compressing the
// last one. Frames travel through a small fixed pool of buffers: the drawing side blocks only when
// every buffer is waiting for the encoder.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

class EncodeWorker {
  public:
    using Buffer = std::vector<std::uint8_t>;
    // Called on the worker thread for each frame, in order; returns 0 or a negative error code.
    using EncodeFunction = std::function<int(const std::uint8_t* pixels)>;

    EncodeWorker(EncodeFunction encode, std::size_t frameBytes, int queueDepth = 3);
    // Waits for the queued frames (see finish).
    ~EncodeWorker();
    EncodeWorker(const EncodeWorker&) = delete;
    EncodeWorker& operator=(const EncodeWorker&) = delete;

    // A free buffer of frameBytes to fill; blocks while all are queued.
    Buffer* acquire();
    // Queues a buffer from acquire() for encoding. After a failed encode, frames are dropped.
    void submit(Buffer* frame);
    // Encodes everything queued and stops the thread.
    void finish();

    // The first failing status (0 while all went well), and how many frames were encoded.
    int status() const;
    int framesEncoded() const;
    // Time the encoder spent, and time acquire() spent waiting for a free buffer.
    double encodeSeconds() const;
    double waitSeconds() const { return waitSeconds_; }

  private:
    void run();

    EncodeFunction encode_;
    std::vector<Buffer> pool_;
    std::vector<Buffer*> free_;
    std::deque<Buffer*> queued_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    bool stopping_ = false;
    int status_ = 0;
    int framesEncoded_ = 0;
    double encodeSeconds_ = 0;
    double waitSeconds_ = 0; // drawing side only
    std::thread thread_;
};
