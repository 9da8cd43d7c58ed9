// Real clock and the switch between real and virtual time.
#include "render/Clock.h"

#include <chrono>
#include <thread>

namespace {
const auto g_start = std::chrono::steady_clock::now();

std::int64_t elapsedMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() -
                                                                 g_start)
        .count();
}

RealClock g_realClock;
Clock* g_active = &g_realClock;
} // namespace

std::int32_t RealClock::clockMs() {
    return static_cast<std::int32_t>(elapsedMs());
}
std::uint32_t RealClock::tickCountMs() {
    return static_cast<std::uint32_t>(elapsedMs());
}
void RealClock::sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

Clock& activeClock() {
    return *g_active;
}

ClockOverride::ClockOverride(Clock& clock) : previous_(g_active) {
    g_active = &clock;
}
ClockOverride::~ClockOverride() {
    g_active = previous_;
}
