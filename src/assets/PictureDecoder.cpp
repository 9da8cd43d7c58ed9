// Decoding and sizing of picture files for the texture loaders (no GL here).
#include "assets/PictureDecoder.h"

#include "assets/AssetPaths.h"
#include "platform/Platform.h"
#include "platform/WebFetch.h"
#include "platform/WholeFile.h"

#include <QBuffer>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <cmath>
#include <cstring>

namespace {
const QString kAddress = QStringLiteral("http://");
constexpr double kScreenDpi = 96.0;

QString underFolder(const QString& folder, const QString& path) {
    return folder.endsWith(QLatin1Char('/')) ? folder + path : folder + QLatin1Char('/') + path;
}

// Why a PNG's chunk list cannot be true, or empty. Pixel data (IDAT) cut short is left to the
// decoder, which reads it as it comes.
QString pngChunkFault(const QByteArray& bytes) {
    constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
    if (bytes.size() < 8 || std::memcmp(bytes.constData(), kSignature, 8) != 0) return {};
    qsizetype at = 8;
    while (at + 8 <= bytes.size()) {
        const quint32 length = qFromBigEndian<quint32>(bytes.constData() + at);
        const QByteArray type = bytes.mid(at + 4, 4);
        if (type == "IEND") break;
        const qint64 left = bytes.size() - at - 12; // after the length, type and check sum
        if (qint64(length) > left && type != "IDAT")
            return QStringLiteral("its %1 chunk claims %2 bytes, more than the file holds")
                .arg(QString::fromLatin1(type))
                .arg(length);
        at += 12 + qsizetype(std::min<qint64>(length, left));
    }
    return {};
}

} // namespace

QImage readPicture(const QByteArray& bytes, QString* why) {
    const QString fault = pngChunkFault(bytes);
    if (!fault.isEmpty()) {
        if (why) *why = fault;
        return {};
    }
    QByteArray data = bytes; // shared, not copied: QBuffer only reads it
    QBuffer body(&data);
    QImageReader reader(&body);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull() && why) *why = reader.errorString();
    return image;
}

QString resolvePathRuleA(const QString& path, int assetPathMode, const QString& workingFolder) {
    if (assetPathMode >= 2 || path.contains(kAddress)) return path;
    return underFolder(workingFolder, path);
}

QString resolvePathRuleB(const QString& path, int assetPathMode, const QString& workingFolder) {
    if (assetPathMode >= 2) return path;
    return underFolder(workingFolder, path);
}

QString resolvePathRuleC(const QString& path) {
    return path;
}

int powerOfTwoSize(int pixels, int maxTextureSize) {
    if (pixels > maxTextureSize) return maxTextureSize;
    if (pixels < 1) return 1;
    const int exponent = int(std::floor(std::log2(double(pixels)) + 0.5));
    return 1 << exponent;
}

QSize naturalSize(const QImage& image) {
    // Every raster picture counts at 96 dots per inch, whatever resolution its file stores, so
    // its texture size follows its pixels alone.
    return {int(std::lround(image.width() * 2540.0 / kScreenDpi)),
            int(std::lround(image.height() * 2540.0 / kScreenDpi))};
}

int naturalToPixels(int hundredthsOfMm) {
    return int(std::lround(double(hundredthsOfMm) * kScreenDpi / 2540.0));
}

bool decodePicture(const QImage& image, int maxTextureSize, PictureAlpha alpha,
                   DecodedPicture& out) {
    if (image.isNull() || maxTextureSize < 1) return false;
    const QSize natural = naturalSize(image);
    const int width = powerOfTwoSize(naturalToPixels(natural.width()), maxTextureSize);
    const int height = powerOfTwoSize(naturalToPixels(natural.height()), maxTextureSize);

    // Stretch over the texture, laid over black like a render into a cleared bitmap.
    QImage canvas(width, height, QImage::Format_RGB32);
    if (canvas.isNull()) return false;
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRect(0, 0, width, height), image);
    }

    out.width = width;
    out.height = height;
    out.naturalWidth = natural.width();
    out.naturalHeight = natural.height();
    out.rgba.resize(size_t(width) * size_t(height) * 4);
    uint8_t* dst = out.rgba.data();
    for (int row = 0; row < height; ++row) {
        // Texture row 0 is the bottom row of the picture.
        const auto* src = reinterpret_cast<const QRgb*>(canvas.constScanLine(height - 1 - row));
        for (int x = 0; x < width; ++x) {
            const QRgb p = src[x];
            dst[0] = uint8_t(qRed(p));
            dst[1] = uint8_t(qGreen(p));
            dst[2] = uint8_t(qBlue(p));
            const bool black = dst[0] == 0 && dst[1] == 0 && dst[2] == 0;
            dst[3] = alpha == PictureAlpha::KeyBlack && black ? 0 : 255;
            dst += 4;
        }
    }
    return true;
}

namespace {
// A picture named by its web address, fetched and decoded. A failure is told to the user, who
// otherwise could not know why the texture stayed as it was.
QImage readWebPicture(const QString& address) {
    const WebFetchResult fetched = fetchWebFile(address);
    QString why = fetched.error;
    QImage image;
    if (fetched.ok) {
        image = readPicture(fetched.body);
        if (image.isNull()) why = QStringLiteral("what came back is not a picture");
    }
    if (image.isNull())
        platform().inform(QStringLiteral("Unable to load the picture %1: %2.").arg(address, why),
                          QStringLiteral("Warning"), MessageIcon::Warning);
    return image;
}
} // namespace

bool decodePicture(const QString& fullPath, int maxTextureSize, PictureAlpha alpha,
                   DecodedPicture& out) {
    if (isWebAddress(fullPath))
        return decodePicture(readWebPicture(fullPath), maxTextureSize, alpha, out);
    // A path that only has an address inside it (one put under the working folder) is no file.
    if (fullPath.contains(kAddress)) return false;
    // Read as bytes first: only a regular file of a bounded size, never a FIFO or a device.
    QByteArray bytes;
    if (!readWholeFile(resolveAssetFile(fullPath), kMaxPictureBytes, bytes, nullptr)) return false;
    return decodePicture(readPicture(bytes), maxTextureSize, alpha, out);
}
