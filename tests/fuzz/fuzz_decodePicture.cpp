// Fuzz target: any bytes as a picture file, through the program's own code around Qt's decoders
// (the reader's size check, the scaling onto a power-of-two texture, the alpha rules).
#include "assets/PictureDecoder.h"

#include <QImageReader>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Small limits keep each run short; the program's own limit is Qt's default.
    QImageReader::setAllocationLimit(64);
    QString why;
    const QImage image = readPicture(bytes, &why);
    if (image.isNull() && why.isEmpty()) std::abort();
    for (PictureAlpha alpha : {PictureAlpha::KeyBlack, PictureAlpha::Opaque}) {
        DecodedPicture out;
        if (!decodePicture(image, 256, alpha, out)) continue;
        if (out.width < 1 || out.width > 256 || out.height < 1 || out.height > 256 ||
            out.rgba.size() != size_t(out.width) * size_t(out.height) * 4)
            std::abort();
    }
    return 0;
}
