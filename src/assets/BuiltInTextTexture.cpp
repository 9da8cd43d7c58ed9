// A brushed silver-blue pattern for the text when no texture file is in force.
#include "assets/BuiltInTextTexture.h"

#include <algorithm>
#include <cmath>

std::vector<uint8_t> builtInTextBitmap() {
    std::vector<uint8_t> bits(size_t(kBuiltInTextSize) * kBuiltInTextSize * 3);
    uint32_t noise = 12345;
    for (int row = 0; row < kBuiltInTextSize; ++row) {
        // Horizontal bands brighten towards the top, like light falling on polished metal.
        const double band = 0.55 + 0.35 * std::sin(row * 0.2) * std::sin(row * 0.05 + 1.0);
        for (int x = 0; x < kBuiltInTextSize; ++x) {
            noise = noise * 1103515245u + 12345u;
            const double grain = ((noise >> 16) & 0xFF) / 255.0 * 0.12;
            const double k = std::clamp(band + grain + 0.1 * std::sin((x + row) * 0.1), 0.0, 1.0);
            uint8_t* p = &bits[size_t(row * kBuiltInTextSize + x) * 3];
            p[0] = uint8_t(std::lround(255 * k)); // blue
            p[1] = uint8_t(std::lround(215 * k)); // green
            p[2] = uint8_t(std::lround(190 * k)); // red
        }
    }
    return bits;
}
