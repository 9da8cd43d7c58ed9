// TGA reading (the two accepted headers, refusals) and the colour/alpha texture preparation.
#include "assets/TgaImage.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> tga(std::vector<uint8_t> header12, int w, int h, int bpp, size_t pixelBytes,
                         size_t mapBytes = 0) {
    std::vector<uint8_t> out = std::move(header12);
    out.insert(out.end(), {uint8_t(w & 255), uint8_t(w >> 8), uint8_t(h & 255), uint8_t(h >> 8),
                           uint8_t(bpp), 0});
    out.insert(out.end(), mapBytes, 0xEE);
    for (size_t i = 0; i < pixelBytes; ++i)
        out.push_back(uint8_t(i));
    return out;
}

const std::vector<uint8_t> kTrueColour{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kMapped{0, 1, 1, 0, 0, 0, 1, 24, 0, 0, 0, 0};

bool read(const std::vector<uint8_t>& bytes, TgaImage& img) {
    return readTgaBytes(bytes.data(), bytes.size(), img);
}

class TgaFiles : public ::testing::Test {
  protected:
    std::string file(const QString& name, const std::vector<uint8_t>& bytes) {
        const QString path = dir_.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
        return path.toStdString();
    }
    QString prepareFails(const char* colour, const char* alpha) {
        TgaPixels out;
        QString message;
        EXPECT_FALSE(prepareTgaPixels(colour, alpha, out, message));
        return message;
    }
    QTemporaryDir dir_;
};

} // namespace

TEST(TgaRead, AcceptsTrueColourAndColourMappedHeaders) {
    TgaImage img;
    ASSERT_TRUE(read(tga(kTrueColour, 3, 2, 24, 18), img));
    EXPECT_EQ(img.width, 3);
    EXPECT_EQ(img.height, 2);
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_EQ(img.pixels.size(), 18u);
    EXPECT_EQ(img.pixels[5], 5);

    // An 8-bit colour-mapped file: the 768-byte map is skipped, the indices are the pixels.
    ASSERT_TRUE(read(tga(kMapped, 4, 4, 8, 16, 768), img));
    EXPECT_EQ(img.bitsPerPixel, 8);
    ASSERT_EQ(img.pixels.size(), 16u);
    EXPECT_EQ(img.pixels[0], 0);
    EXPECT_EQ(img.pixels[15], 15);
}

TEST(TgaRead, RefusesOtherHeadersAndMissingPixelData) {
    TgaImage img;
    std::vector<uint8_t> rle = kTrueColour;
    rle[2] = 10;
    EXPECT_FALSE(read(tga(rle, 2, 2, 24, 12), img));
    std::vector<uint8_t> grey = kTrueColour;
    grey[2] = 3;
    EXPECT_FALSE(read(tga(grey, 2, 2, 8, 4), img));
    std::vector<uint8_t> shortMap = kMapped;
    shortMap[5] = 16; // a map of 16 entries
    EXPECT_FALSE(read(tga(shortMap, 2, 2, 8, 4, 48), img));
    EXPECT_FALSE(read(tga(kTrueColour, 100, 100, 24, 299), img)); // pixel data cut short
    EXPECT_FALSE(read(tga(kTrueColour, 0, 5, 24, 0), img));
    const std::vector<uint8_t> headerOnly(kTrueColour.begin(), kTrueColour.end());
    EXPECT_FALSE(read(headerOnly, img));
    EXPECT_FALSE(readTga("/nonexistent/file.tga", img));
}

TEST(TgaCombine, ColourOnlyAndRgbaSwapToRedFirst) {
    TgaImage colour;
    colour.width = 2;
    colour.height = 1;
    colour.bitsPerPixel = 24;
    colour.pixels = {1, 2, 3, 4, 5, 6};
    TgaPixels out;
    const char* reason = nullptr;
    ASSERT_TRUE(combineTgaImages(&colour, nullptr, out, reason));
    EXPECT_EQ(out.format, TgaFormat::Rgb);
    EXPECT_EQ(out.components, 3);
    EXPECT_EQ(out.pixels, (std::vector<uint8_t>{3, 2, 1, 6, 5, 4}));

    TgaImage alpha;
    alpha.width = 2;
    alpha.height = 1;
    alpha.bitsPerPixel = 8;
    alpha.pixels = {100, 200};
    ASSERT_TRUE(combineTgaImages(&colour, &alpha, out, reason));
    EXPECT_EQ(out.format, TgaFormat::Rgba);
    EXPECT_EQ(out.pixels, (std::vector<uint8_t>{3, 2, 1, 100, 6, 5, 4, 200}));

    ASSERT_TRUE(combineTgaImages(nullptr, &alpha, out, reason));
    EXPECT_EQ(out.format, TgaFormat::Alpha);
    EXPECT_EQ(out.components, 1);
    EXPECT_EQ(out.pixels, alpha.pixels);
}

TEST_F(TgaFiles, ThirtyTwoBitColourFileIgnoresTheAlphaFile) {
    const std::string colour = file("c32.tga", tga(kTrueColour, 1, 1, 32, 4));
    TgaPixels out;
    QString message;
    ASSERT_TRUE(prepareTgaPixels(colour.c_str(), "/missing/alpha.tga", out, message));
    EXPECT_EQ(out.format, TgaFormat::Rgba);
    EXPECT_EQ(out.pixels, (std::vector<uint8_t>{2, 1, 0, 3}));
}

TEST_F(TgaFiles, EveryFailureHasItsText) {
    const std::string rgb24 = file("rgb24.tga", tga(kTrueColour, 2, 2, 24, 12));
    const std::string rgb16 = file("rgb16.tga", tga(kTrueColour, 2, 2, 16, 8));
    const std::string alpha8 = file("a8.tga", tga(kMapped, 2, 2, 8, 4, 768));
    const std::string alpha8big = file("a8big.tga", tga(kMapped, 3, 2, 8, 6, 768));
    const std::string alpha24 = file("a24.tga", tga(kTrueColour, 2, 2, 24, 12));
    const QString c24 = QString::fromStdString(rgb24), c16 = QString::fromStdString(rgb16);
    const QString a8 = QString::fromStdString(alpha8), a24 = QString::fromStdString(alpha24);
    const QString big = QString::fromStdString(alpha8big);

    EXPECT_EQ(prepareFails("/missing/c.tga", nullptr),
              "Failed to load Texture (/missing/c.tga, (null)). Reason: Failed to load RGB file.");
    EXPECT_EQ(prepareFails(rgb24.c_str(), "/missing/a.tga"),
              "Failed to load Texture (" + c24 +
                  ", /missing/a.tga). Reason: Failed to load alpha file.");
    EXPECT_EQ(prepareFails(rgb16.c_str(), alpha8.c_str()),
              "Failed to load Texture (" + c16 + ", " + a8 +
                  "). Reason: RGB file not in 8 Bit format!");
    EXPECT_EQ(prepareFails(rgb24.c_str(), alpha24.c_str()),
              "Failed to load Texture (" + c24 + ", " + a24 +
                  "). Reason: Alpha file not in 8 bit format.");
    EXPECT_EQ(prepareFails(rgb24.c_str(), alpha8big.c_str()),
              "Failed to load Texture (" + c24 + ", " + big +
                  "). Reason: Alpha size does not eqal RGB size.");
    // A 16-bit colour file alone cannot fill a three-component texture either.
    EXPECT_TRUE(prepareFails(rgb16.c_str(), nullptr).endsWith("RGB file not in 8 Bit format!"));

    TgaPixels ok;
    QString message;
    EXPECT_TRUE(prepareTgaPixels(rgb24.c_str(), alpha8.c_str(), ok, message));
    EXPECT_EQ(ok.format, TgaFormat::Rgba);
}

TEST(TgaRead, DefaultParticleSprite) {
    const QString home = qEnvironmentVariable("LUMATOY_HOME");
    TgaImage img;
    ASSERT_TRUE(
        readTga(QDir(home).filePath("Particles/particle.tga").toLocal8Bit().constData(), img));
    EXPECT_EQ(img.bitsPerPixel, 24);
    EXPECT_GT(img.width, 0);
}
