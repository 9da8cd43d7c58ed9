// The classic 15-bit linear congruential generator the effects' formulas are tuned for.
#pragma once

#include <cstdint>

constexpr int kCrandMax = 32767;

// Returns 0...32767: state = state * 214013 + 2531011, result = (state >> 16) & 0x7FFF.
int crand();
// Seeds the generator; the state starts at 1 until the first call.
void csrand(std::uint32_t seed);
