// Picture files made into texture pixels: path rules, natural size, power-of-two sizing, keying.
#pragma once

#include <QSize>
#include <QString>

#include <cstdint>
#include <vector>

class QImage;

// Rule A (keyed and mipmapped loaders): a path containing "http://" stays as written, any other
// is put under the working folder; with `assetPathMode` 2 or more the path stays as written.
QString resolvePathRuleA(const QString& path, int assetPathMode, const QString& workingFolder);
// Rule B (pictures): under the working folder, or as written with `assetPathMode` 2 or more.
QString resolvePathRuleB(const QString& path, int assetPathMode, const QString& workingFolder);
// Rule C (direct mipmapped loader): as written.
QString resolvePathRuleC(const QString& path);

// The texture edge for a picture edge: the nearest power of two on a logarithmic scale
// (181 -> 128, 182 -> 256), or `maxTextureSize` when the edge is larger than that.
int powerOfTwoSize(int pixels, int maxTextureSize);

// The picture's size in 0.01 mm: its pixels at 96 dots per inch, whatever resolution the file
// stores.
QSize naturalSize(const QImage& image);
// Pixels of a natural size on a 96 dots-per-inch surface, rounded like MulDiv.
int naturalToPixels(int hundredthsOfMm);

enum class PictureAlpha {
    KeyBlack, // alpha 0 where red, green and blue are all 0, else 255
    Opaque,   // alpha 255 everywhere
};

struct DecodedPicture {
    int width = 0, height = 0;               // the texture size (powers of two or the maximum)
    int naturalWidth = 0, naturalHeight = 0; // 0.01 mm
    std::vector<uint8_t> rgba;               // row 0 is the bottom of the picture
};

// A picture file's bytes decoded by Qt (the format decided by the content), or a null image with
// the reason in `why`. A PNG any of whose chunks (but its pixel data) claims more bytes than the
// file holds is refused before it is decoded: the PNG library sets aside the claimed length
// first, gigabytes for a file of a few hundred bytes.
QImage readPicture(const QByteArray& bytes, QString* why = nullptr);

// Decodes a picture file (JPEG, GIF, BMP, PNG, ICO, ...), stretches it over the texture size,
// upright, with transparent parts laid over black. A web address ("http://", "https://") is
// fetched first (within kWebFetchTimeoutMs); when that fails, or what comes back is no picture,
// the user is told why in a warning. A missing or unreadable file fails silently.
bool decodePicture(const QString& fullPath, int maxTextureSize, PictureAlpha alpha,
                   DecodedPicture& out);
// The same for an image already in memory.
bool decodePicture(const QImage& image, int maxTextureSize, PictureAlpha alpha,
                   DecodedPicture& out);
