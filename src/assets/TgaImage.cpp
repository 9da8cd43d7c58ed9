// TGA reading bounded by the file, and the colour/alpha combination of the particle sprite.
#include "assets/TgaImage.h"

#include "assets/AssetPaths.h"

#include <QFile>

#include <cstring>

namespace {
constexpr uint8_t kTrueColourHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kColourMappedHeader[12] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};
constexpr size_t kColourMapBytes = 768;
} // namespace

bool readTgaBytes(const uint8_t* data, size_t size, TgaImage& image) {
    if (size < 18) return false;
    if (std::memcmp(data, kTrueColourHeader, 12) != 0 &&
        std::memcmp(data, kColourMappedHeader, 12) != 0)
        return false;
    const uint8_t* info = data + 12;
    const int width = info[0] + 256 * info[1];
    const int height = info[2] + 256 * info[3];
    const int bitsPerPixel = info[4]; // info[5], the image descriptor, is ignored: no flip
    const size_t bytesPerPixel = size_t(bitsPerPixel / 8);
    size_t at = 18;
    if (bytesPerPixel == 1) at += kColourMapBytes;
    const size_t needed = size_t(width) * size_t(height) * bytesPerPixel;
    if (needed == 0 || at > size || size - at < needed) return false;
    image.pixels.assign(data + at, data + at + needed);
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    return true;
}

bool readTga(const char* path, TgaImage& image) {
    if (!path) return false;
    QFile file(resolveAssetFile(QString::fromLocal8Bit(path)));
    if (!file.open(QIODevice::ReadOnly)) return false;
    // Largest a TGA can describe: 65535 x 65535 x 4 bytes plus header and colour map.
    constexpr qint64 kLargest = 18 + 768 + qint64(65535) * 65535 * 4;
    if (file.size() > kLargest) return false;
    const QByteArray bytes = file.readAll();
    return readTgaBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                        image);
}

bool combineTgaImages(const TgaImage* colour, const TgaImage* alpha, TgaPixels& out,
                      const char*& reason) {
    out = TgaPixels();
    out.format = colour ? TgaFormat::Rgb : TgaFormat::Alpha;
    if (colour) {
        out.width = colour->width;
        out.height = colour->height;
        if (colour->bitsPerPixel == 32) {
            out.format = TgaFormat::Rgba;
            out.pixels = colour->pixels;
        }
    }
    if (out.format != TgaFormat::Rgba) {
        if (alpha) {
            if (colour && colour->bitsPerPixel != 24) {
                reason = "RGB file not in 8 Bit format!";
                return false;
            }
            if (alpha->bitsPerPixel != 8) {
                reason = "Alpha file not in 8 bit format.";
                return false;
            }
            if (colour && (alpha->width != colour->width || alpha->height != colour->height)) {
                reason = "Alpha size does not eqal RGB size.";
                return false;
            }
            if (colour) {
                const size_t count = size_t(out.width) * size_t(out.height);
                out.pixels.resize(count * 4);
                for (size_t i = 0; i < count; ++i) {
                    std::memcpy(&out.pixels[i * 4], &colour->pixels[i * 3], 3);
                    out.pixels[i * 4 + 3] = alpha->pixels[i];
                }
                out.format = TgaFormat::Rgba;
            } else {
                out.width = alpha->width;
                out.height = alpha->height;
                out.pixels = alpha->pixels;
            }
        } else if (colour) {
            // Used as they are: only 24-bit pixels fit the three-component upload.
            if (colour->bitsPerPixel != 24) {
                reason = "RGB file not in 8 Bit format!";
                return false;
            }
            out.pixels = colour->pixels;
        } else {
            reason = "Failed to load RGB file.";
            return false;
        }
    }
    out.components = out.format == TgaFormat::Rgba ? 4 : out.format == TgaFormat::Alpha ? 1 : 3;
    if (out.components > 1) {
        const size_t count = size_t(out.width) * size_t(out.height);
        const size_t step = size_t(out.components);
        for (size_t i = 0; i < count; ++i)
            std::swap(out.pixels[i * step], out.pixels[i * step + 2]);
    }
    return true;
}

bool prepareTgaPixels(const char* colourFile, const char* alphaFile, TgaPixels& out,
                      QString& message) {
    const auto fail = [&](const char* reason) {
        message =
            QStringLiteral("Failed to load Texture (%1, %2). Reason: %3")
                .arg(colourFile ? QString::fromLocal8Bit(colourFile) : QStringLiteral("(null)"),
                     alphaFile ? QString::fromLocal8Bit(alphaFile) : QStringLiteral("(null)"),
                     QString::fromLatin1(reason));
        return false;
    };
    TgaImage colour;
    TgaImage alpha;
    if (colourFile && !readTga(colourFile, colour)) return fail("Failed to load RGB file.");
    const bool colourIsRgba = colourFile && colour.bitsPerPixel == 32;
    if (alphaFile && !colourIsRgba && !readTga(alphaFile, alpha))
        return fail("Failed to load alpha file.");
    const char* reason = nullptr;
    try {
        if (!combineTgaImages(colourFile ? &colour : nullptr,
                              alphaFile && !colourIsRgba ? &alpha : nullptr, out, reason))
            return fail(reason);
    } catch (const std::bad_alloc&) {
        return fail("Out of memory.");
    }
    return true;
}
