// Random and extreme values for the fuzz-style tests of the layer blocks: NaN, infinities,
// the largest floats, zero, negative and ordinary values.
#pragma once

#include <climits>
#include <limits>
#include <random>

class ExtremeValues {
  public:
    explicit ExtremeValues(unsigned seed) : random_(seed) {}

    // An ordinary value one time in three, an extreme one otherwise.
    float real() {
        static constexpr float kExtremes[] = {
            std::numeric_limits<float>::quiet_NaN(),
            std::numeric_limits<float>::infinity(),
            -std::numeric_limits<float>::infinity(),
            std::numeric_limits<float>::max(),
            -std::numeric_limits<float>::max(),
            std::numeric_limits<float>::denorm_min(),
            0.0f,
            -1.0f,
            1.5f, // neither on nor off
            2.0f,
            116.0f,
            1e9f,
            -1e9f,
        };
        if (pick(3) == 0) return std::uniform_real_distribution<float>(-1000, 1000)(random_);
        return kExtremes[pick(sizeof(kExtremes) / sizeof(kExtremes[0]))];
    }
    // A count: extremes of an int, around zero, and around `bound`.
    int count(int bound) {
        const int choices[] = {INT_MIN, -1, 0, 1, 300, 800, bound - 1, bound, bound + 1, INT_MAX};
        return choices[pick(sizeof(choices) / sizeof(choices[0]))];
    }
    bool chance(unsigned in) { return pick(in) == 0; }

  private:
    unsigned pick(unsigned n) { return std::uniform_int_distribution<unsigned>(0, n - 1)(random_); }
    std::mt19937 random_;
};
