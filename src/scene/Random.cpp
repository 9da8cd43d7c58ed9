// The process-wide state of crand().
#include "scene/Random.h"

namespace {
// One random stream for the whole program, as every layer draws from it in drawing order: seeded
// with csrand, a render repeats exactly; a stream per scene would not change that, but every
// caller would then need the scene to hand it.
std::uint32_t g_state = 1;
} // namespace

int crand() {
    g_state = g_state * 214013u + 2531011u;
    return static_cast<int>((g_state >> 16) & 0x7FFF);
}

void csrand(std::uint32_t seed) {
    g_state = seed;
}
