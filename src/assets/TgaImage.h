// TGA files: the reader of the two accepted layouts, and the pixel preparation of a TGA texture.
#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>
#include <vector>

struct TgaImage {
    std::vector<uint8_t> pixels; // rows bottom-up as stored, bytes in file order (blue first)
    int bitsPerPixel = 0;
    int width = 0;
    int height = 0;
};

// The widest and tallest TGA read (a 8192 x 8192 true-colour file is 256 MB of pixels); a
// larger one is refused from its header, before its pixels are read.
constexpr int kMaxTgaSide = 8192;

// Accepts uncompressed true-colour files and colour-mapped files with a 256-entry 24-bit map
// (the map is skipped). Returns false for any other header, a zero size, a side above
// kMaxTgaSide, pixel data the file does not hold, or a file that is no regular file; `why` then
// says which in a few words.
bool readTga(const char* path, TgaImage& image, QString* why = nullptr);
bool readTgaBytes(const uint8_t* data, size_t size, TgaImage& image, QString* why = nullptr);

enum class TgaFormat { Rgb, Rgba, Alpha };

// What a TGA texture uploads: pixels in red-green-blue(-alpha) order, or alpha bytes.
struct TgaPixels {
    std::vector<uint8_t> pixels;
    TgaFormat format = TgaFormat::Rgb;
    int width = 0;
    int height = 0;
    int components = 3;
};

// The file-reading half of TgaTexture::load: either file may be null. On failure `message` holds
// "Failed to load Texture (colour, alpha). Reason: ..." and false is returned.
bool prepareTgaPixels(const char* colourFile, const char* alphaFile, TgaPixels& out,
                      QString& message);
// The same from images already read (null: no such file); used by the tests and the fuzzer.
bool combineTgaImages(const TgaImage* colour, const TgaImage* alpha, TgaPixels& out,
                      const char*& reason);
