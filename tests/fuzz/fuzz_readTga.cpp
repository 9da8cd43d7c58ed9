// Fuzz target: any bytes as a TGA file, then as colour and alpha file of a sprite texture.
#include "assets/TgaImage.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TgaImage image;
    if (!readTgaBytes(data, size, image)) return 0;
    // A second image from the tail of the input, so the combinations see two different files.
    TgaImage other;
    const size_t half = size / 2;
    const bool haveOther = readTgaBytes(data + half, size - half, other);
    TgaPixels out;
    const char* reason = nullptr;
    combineTgaImages(&image, nullptr, out, reason);
    combineTgaImages(nullptr, &image, out, reason);
    combineTgaImages(&image, &image, out, reason);
    if (haveOther) {
        combineTgaImages(&image, &other, out, reason);
        combineTgaImages(&other, &image, out, reason);
    }
    return 0;
}
