// TGA reading bounded by the file, and the colour/alpha combination of the particle sprite.
#include "assets/TgaImage.h"

#include "assets/AssetPaths.h"
#include "platform/WholeFile.h"

#include <cstring>

namespace {
constexpr uint8_t kTrueColourHeader[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
constexpr uint8_t kColourMappedHeader[12] = {0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};
constexpr size_t kColourMapBytes = 768;
} // namespace

namespace {
bool refuse(QString* why, const QString& reason) {
    if (why) *why = reason;
    return false;
}

// The header's fault, or an empty text when the layout is one the program reads.
QString headerFault(const uint8_t* data, size_t size) {
    if (size < 18)
        return QStringLiteral("it is %1 bytes long, shorter than a TGA header (18 bytes)")
            .arg(size);
    if (std::memcmp(data, kTrueColourHeader, 12) != 0 &&
        std::memcmp(data, kColourMappedHeader, 12) != 0)
        return QStringLiteral(
            "it is not an uncompressed true-colour or 256-colour mapped TGA file");
    const int width = data[12] + 256 * data[13];
    const int height = data[14] + 256 * data[15];
    if (width == 0 || height == 0 || data[16] / 8 == 0)
        return QStringLiteral("its header gives %1 x %2 pixels of %3 bits")
            .arg(width)
            .arg(height)
            .arg(data[16]);
    if (width > kMaxTgaSide || height > kMaxTgaSide)
        return QStringLiteral(
                   "it is %1 x %2 pixels, larger than the largest texture read (%3 x %3)")
            .arg(width)
            .arg(height)
            .arg(kMaxTgaSide);
    return {};
}
} // namespace

bool readTgaBytes(const uint8_t* data, size_t size, TgaImage& image, QString* why) {
    const QString fault = headerFault(data, size);
    if (!fault.isEmpty()) return refuse(why, fault);
    const uint8_t* info = data + 12;
    const int width = info[0] + 256 * info[1];
    const int height = info[2] + 256 * info[3];
    const int bitsPerPixel = info[4]; // info[5], the image descriptor, is ignored: no flip
    const size_t bytesPerPixel = size_t(bitsPerPixel / 8);
    size_t at = 18;
    if (bytesPerPixel == 1) at += kColourMapBytes;
    const size_t needed = size_t(width) * size_t(height) * bytesPerPixel;
    if (at > size || size - at < needed)
        return refuse(why, QStringLiteral("it ends before its pixels (%1 bytes of %2)")
                               .arg(size)
                               .arg(at + needed));
    image.pixels.assign(data + at, data + at + needed);
    image.width = width;
    image.height = height;
    image.bitsPerPixel = bitsPerPixel;
    return true;
}

bool readTga(const char* path, TgaImage& image, QString* why) {
    if (!path) return refuse(why, QStringLiteral("no file name"));
    const QString file = resolveAssetFile(QString::fromLocal8Bit(path));
    // The header first: a picture too large is refused before its pixels are read.
    QByteArray bytes;
    QString reason;
    if (!readFileHead(file, 18, bytes, &reason)) return refuse(why, reason);
    const QString fault =
        headerFault(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()));
    if (!fault.isEmpty()) return refuse(why, fault);
    // Pixels, colour map, and room for the optional extension area and footer.
    const qint64 largest = 18 + 768 + qint64(kMaxTgaSide) * kMaxTgaSide * 4 + 1024 * 1024;
    if (!readWholeFile(file, largest, bytes, &reason)) return refuse(why, reason);
    return readTgaBytes(reinterpret_cast<const uint8_t*>(bytes.constData()), size_t(bytes.size()),
                        image, why);
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
