// Writing the frame as a BMP file and putting it on the clipboard.
#include "export/Screenshot.h"

#include "export/BitmapFormat.h"
#include "platform/Platform.h"
#include "platform/WholeFile.h"

#include <cstring>
#include <vector>

namespace {
// The frame in bitmap order: capture width, BGR, rows padded as bitmaps want them.
std::vector<std::uint8_t> bitmapPixels(const std::uint8_t* rgb, int clientWidth, int height,
                                       int* width) {
    *width = clientWidth / 4 * 4;
    const std::size_t row = bitmapRowBytes(*width);
    std::vector<std::uint8_t> pixels(row * static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::memcpy(pixels.data() + y * row, rgb + static_cast<std::size_t>(y) * clientWidth * 3,
                    static_cast<std::size_t>(*width) * 3);
        swapRedAndBlue(pixels.data() + y * row, static_cast<std::size_t>(*width));
    }
    return pixels;
}
} // namespace

bool saveBitmap(const std::uint8_t* rgbBottomUp, int clientWidth, int clientHeight) {
    int width = 0;
    const std::vector<std::uint8_t> pixels =
        bitmapPixels(rgbBottomUp, clientWidth, clientHeight, &width);
    const QString path =
        platform().chooseSaveFile({QStringLiteral("Export Screenshot"),
                                   QStringLiteral("Export Bitmap (*.bmp);;All Files (*)"),
                                   QStringLiteral("bmp"),
                                   {}});
    if (path.isEmpty()) return false;
    const QByteArray bytes = encodeBmpFile(makeBitmapInfo(width, clientHeight), pixels.data());
    QString reason;
    if (!writeWholeFile(path, bytes, &reason)) {
        platform().inform(QStringLiteral("Unable to save the bitmap %1.\n%2").arg(path, reason),
                          QStringLiteral("Error"), MessageIcon::Error);
        return false;
    }
    return true;
}

void copyFrameToClipboard(const std::uint8_t* rgbBottomUp, int clientWidth, int clientHeight) {
    int width = 0;
    const std::vector<std::uint8_t> pixels =
        bitmapPixels(rgbBottomUp, clientWidth, clientHeight, &width);
    platform().copyImageToClipboard(imageFromBottomUpBgr(pixels.data(), width, clientHeight));
}
