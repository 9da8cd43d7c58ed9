// The one source of time for the frame loop: a real clock for the window, a virtual one for files.
#pragma once

#include "platform/ScopedOverride.h"

#include <cstdint>

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds, as clock() gives them to the frame throttle and the frame-rate counter.
    virtual std::int32_t clockMs() = 0;
    // Milliseconds, as the tick count read by rateGate.
    virtual std::uint32_t tickCountMs() = 0;
    // The frame composer's sleep.
    virtual void sleepMs(int ms) = 0;
};

// Wall-clock time since the process started; sleeps really sleep.
class RealClock : public Clock {
  public:
    std::int32_t clockMs() override;
    std::uint32_t tickCountMs() override;
    void sleepMs(int ms) override;
};

// Time that moves only when told: rendering to a file advances it by exactly one frame period per
// frame, and a sleep advances it instead of waiting, so every run produces the same frames.
class VirtualClock : public Clock {
  public:
    explicit VirtualClock(double startMs = 0) : nowMs_(startMs) {}
    std::int32_t clockMs() override { return static_cast<std::int32_t>(nowMs_); }
    std::uint32_t tickCountMs() override { return static_cast<std::uint32_t>(nowMs_); }
    void sleepMs(int ms) override { nowMs_ += ms; }
    void advance(double ms) { nowMs_ += ms; }
    void setNow(double ms) { nowMs_ = ms; }
    double now() const { return nowMs_; }

  private:
    double nowMs_;
};

// Makes a clock the active clock for the lifetime of this object.
using ClockOverride = ScopedOverride<Clock>;

// The clock everything reads; a RealClock unless a ClockOverride is in force.
inline Clock& activeClock() {
    return ClockOverride::inForce();
}
