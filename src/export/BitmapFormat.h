// The 24-bit device-independent bitmap layout shared by video frames, BMP files and the clipboard.
#pragma once

#include <QByteArray>
#include <QImage>
#include <cstdint>

// BITMAPINFOHEADER: 40 bytes, little-endian on disk.
struct BitmapInfoHeader {
    std::uint32_t biSize = 0;
    std::int32_t biWidth = 0;
    std::int32_t biHeight = 0;
    std::uint16_t biPlanes = 0;
    std::uint16_t biBitCount = 0;
    std::uint32_t biCompression = 0;
    std::uint32_t biSizeImage = 0;
    std::int32_t biXPelsPerMeter = 0;
    std::int32_t biYPelsPerMeter = 0;
    std::uint32_t biClrUsed = 0;
    std::uint32_t biClrImportant = 0;
};

inline constexpr int kBitmapInfoHeaderSize = 40;
inline constexpr int kBitmapFileHeaderSize = 14;

// Bytes in one row of 24-bit pixels, padded to a multiple of 4.
inline constexpr std::uint32_t bitmapRowBytes(int width) {
    return static_cast<std::uint32_t>((24 * width + 31) / 32 * 4);
}

// The header of a bottom-up 24-bit BI_RGB picture of width x height.
BitmapInfoHeader makeBitmapInfo(int width, int height);

// The 40 header bytes as they are stored.
QByteArray serialiseBitmapInfo(const BitmapInfoHeader& info);

// A complete BMP file: file header, info header, then `pixels` (biSizeImage bytes, bottom-up BGR).
QByteArray encodeBmpFile(const BitmapInfoHeader& info, const std::uint8_t* pixels);

// A top-down RGB image from bottom-up BGR rows of the given size.
QImage imageFromBottomUpBgr(const std::uint8_t* pixels, int width, int height);

// Turns RGB triples into BGR ones in place (glReadPixels gives RGB, bitmaps store BGR).
void swapRedAndBlue(std::uint8_t* pixels, std::size_t pixelCount);
