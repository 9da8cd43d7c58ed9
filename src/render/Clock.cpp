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

} // namespace

template <> Clock& ScopedOverride<Clock>::fallback() {
    static RealClock realClock;
    return realClock;
}

std::int32_t RealClock::clockMs() {
    return static_cast<std::int32_t>(elapsedMs());
}
std::uint32_t RealClock::tickCountMs() {
    return static_cast<std::uint32_t>(elapsedMs());
}
void RealClock::sleepMs(int ms) {
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}
