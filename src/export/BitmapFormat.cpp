// Serialising 24-bit bitmaps: headers, BMP files and conversion to QImage.
#include "export/BitmapFormat.h"

#include <QtEndian>
#include <cstring>
#include <utility>

namespace {
template <typename T> void put(QByteArray& out, T value) {
    char bytes[sizeof(T)];
    qToLittleEndian(value, bytes);
    out.append(bytes, sizeof(T));
}
} // namespace

BitmapInfoHeader makeBitmapInfo(int width, int height) {
    BitmapInfoHeader info;
    info.biSize = kBitmapInfoHeaderSize;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = 0; // BI_RGB
    info.biSizeImage = bitmapRowBytes(width) * static_cast<std::uint32_t>(height);
    return info;
}

QByteArray serialiseBitmapInfo(const BitmapInfoHeader& info) {
    QByteArray out;
    out.reserve(kBitmapInfoHeaderSize);
    put(out, info.biSize);
    put(out, info.biWidth);
    put(out, info.biHeight);
    put(out, info.biPlanes);
    put(out, info.biBitCount);
    put(out, info.biCompression);
    put(out, info.biSizeImage);
    put(out, info.biXPelsPerMeter);
    put(out, info.biYPelsPerMeter);
    put(out, info.biClrUsed);
    put(out, info.biClrImportant);
    return out;
}

QByteArray encodeBmpFile(const BitmapInfoHeader& info, const std::uint8_t* pixels) {
    const std::uint32_t offBits = kBitmapFileHeaderSize + kBitmapInfoHeaderSize;
    QByteArray out;
    out.reserve(static_cast<qsizetype>(offBits + info.biSizeImage));
    put<std::uint16_t>(out, 0x4D42); // "BM"
    put<std::uint32_t>(out, offBits + info.biSizeImage);
    put<std::uint16_t>(out, 0);
    put<std::uint16_t>(out, 0);
    put<std::uint32_t>(out, offBits);
    out.append(serialiseBitmapInfo(info));
    out.append(reinterpret_cast<const char*>(pixels), static_cast<qsizetype>(info.biSizeImage));
    return out;
}

QImage imageFromBottomUpBgr(const std::uint8_t* pixels, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    const std::uint32_t stride = bitmapRowBytes(width);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = pixels + static_cast<std::size_t>(height - 1 - y) * stride;
        std::uint8_t* dst = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            dst[3 * x + 0] = src[3 * x + 2];
            dst[3 * x + 1] = src[3 * x + 1];
            dst[3 * x + 2] = src[3 * x + 0];
        }
    }
    return image;
}

void swapRedAndBlue(std::uint8_t* pixels, std::size_t pixelCount) {
    for (std::size_t i = 0; i < pixelCount; ++i)
        std::swap(pixels[3 * i], pixels[3 * i + 2]);
}
