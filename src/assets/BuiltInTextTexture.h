// The built-in 64 x 64 text texture, drawn by the program itself.
#pragma once

#include <cstdint>
#include <vector>

constexpr int kBuiltInTextSize = 64;

// 24-bit blue-green-red pixels, rows bottom-up, 64 x 64 (rows are 4-byte aligned as they are).
std::vector<uint8_t> builtInTextBitmap();
