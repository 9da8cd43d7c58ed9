// Picture decoding for textures: path rules, power-of-two sizes, natural size, keying, orientation.
#include "assets/PictureDecoder.h"
#include "assets/AssetPaths.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QtEndian>

#include <gtest/gtest.h>

TEST(PathRules, AddressesWorkingFolderAndPathMode) {
    const QString wf = "/prog";
    EXPECT_EQ(resolvePathRuleA("Textures/Gold.jpg", 0, wf), "/prog/Textures/Gold.jpg");
    EXPECT_EQ(resolvePathRuleA("http://host/a.jpg", 0, wf), "http://host/a.jpg");
    EXPECT_EQ(resolvePathRuleA("/home/u/a.jpg", 2, wf), "/home/u/a.jpg");
    EXPECT_EQ(resolvePathRuleB("http://host/a.jpg", 0, wf), "/prog/http://host/a.jpg");
    EXPECT_EQ(resolvePathRuleB("Images/a.jpg", 0, wf), "/prog/Images/a.jpg");
    EXPECT_EQ(resolvePathRuleB("Images/a.jpg", 3, wf), "Images/a.jpg");
    EXPECT_EQ(resolvePathRuleC("Images/a.jpg"), "Images/a.jpg");
}

TEST(PowerOfTwo, NearestOnALogarithmicScaleCappedAtTheMaximum) {
    EXPECT_EQ(powerOfTwoSize(181, 2048), 128);
    EXPECT_EQ(powerOfTwoSize(182, 2048), 256);
    EXPECT_EQ(powerOfTwoSize(90, 2048), 64);
    EXPECT_EQ(powerOfTwoSize(91, 2048), 128);
    EXPECT_EQ(powerOfTwoSize(1000, 2048), 1024);
    EXPECT_EQ(powerOfTwoSize(700, 2048), 512);
    EXPECT_EQ(powerOfTwoSize(3000, 2048), 2048);
    EXPECT_EQ(powerOfTwoSize(3000, 4096), 4096);
    EXPECT_EQ(powerOfTwoSize(1, 2048), 1);
    EXPECT_EQ(powerOfTwoSize(0, 2048), 1);
}

TEST(Picture, SizesAndNaturalSizeFromThePixelsAt96Dpi) {
    QImage img(182, 90, QImage::Format_RGB32);
    img.fill(Qt::red);
    DecodedPicture out;
    ASSERT_TRUE(decodePicture(img, 2048, PictureAlpha::Opaque, out));
    EXPECT_EQ(out.width, 256);
    EXPECT_EQ(out.height, 64);
    EXPECT_EQ(out.naturalWidth, 4815); // 182 px at 96 dpi in 0.01 mm
    EXPECT_EQ(out.naturalHeight, 2381);
    EXPECT_EQ(out.rgba.size(), size_t(256 * 64 * 4));

    // The resolution a file stores changes nothing: 72 or 192 dpi, the pixels count at 96.
    for (int dotsPerMetre : {2835, 7559}) {
        QImage stored(182, 90, QImage::Format_RGB32);
        stored.fill(Qt::white);
        stored.setDotsPerMeterX(dotsPerMetre);
        stored.setDotsPerMeterY(dotsPerMetre);
        ASSERT_TRUE(decodePicture(stored, 2048, PictureAlpha::Opaque, out));
        EXPECT_EQ(out.naturalWidth, 4815) << dotsPerMetre;
        EXPECT_EQ(out.width, 256) << dotsPerMetre;
        EXPECT_EQ(out.height, 64) << dotsPerMetre;
    }
}

TEST(Picture, A72DpiJpegFileIsSizedByItsPixels) {
    QTemporaryDir dir;
    QImage img(182, 90, QImage::Format_RGB32);
    img.fill(Qt::green);
    img.setDotsPerMeterX(2835); // 72 dpi, written into the JPEG header
    img.setDotsPerMeterY(2835);
    const QString file = dir.filePath("seventy-two.jpg");
    ASSERT_TRUE(img.save(file, "JPG"));
    DecodedPicture out;
    ASSERT_TRUE(decodePicture(file, 2048, PictureAlpha::Opaque, out));
    EXPECT_EQ(out.width, 256);
    EXPECT_EQ(out.height, 64);
    EXPECT_EQ(out.naturalWidth, 4815);
}

TEST(Picture, OnlyPureBlackIsKeyedAndRowZeroIsTheBottom) {
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(qRgb(0, 0, 1));
    img.setPixel(0, 0, qRgb(0, 0, 0));      // top-left
    img.setPixel(3, 3, qRgb(200, 100, 50)); // bottom-right
    DecodedPicture keyed;
    ASSERT_TRUE(decodePicture(img, 2048, PictureAlpha::KeyBlack, keyed));
    ASSERT_EQ(keyed.width, 4);
    const auto px = [&](int x, int row) { return &keyed.rgba[size_t((row * 4 + x) * 4)]; };
    EXPECT_EQ(px(0, 3)[3], 0);   // the picture's top row is the texture's last row
    EXPECT_EQ(px(1, 3)[3], 255); // (0, 0, 1) stays opaque
    EXPECT_EQ(px(3, 0)[0], 200);
    EXPECT_EQ(px(3, 0)[1], 100);
    EXPECT_EQ(px(3, 0)[2], 50);

    DecodedPicture opaque;
    ASSERT_TRUE(decodePicture(img, 2048, PictureAlpha::Opaque, opaque));
    EXPECT_EQ(opaque.rgba[size_t((3 * 4 + 0) * 4 + 3)], 255);
}

TEST(Picture, TransparentAreasBecomeKeyedBlack) {
    QImage img(8, 8, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    img.setPixel(2, 2, qRgba(255, 255, 255, 255));
    DecodedPicture out;
    ASSERT_TRUE(decodePicture(img, 2048, PictureAlpha::KeyBlack, out));
    EXPECT_EQ(out.rgba[3], 0);
    EXPECT_EQ(out.rgba[size_t(((7 - 2) * 8 + 2) * 4 + 3)], 255);
}

TEST(Picture, FilesAddressesAndMissingFiles) {
    DecodedPicture out;
    EXPECT_FALSE(
        decodePicture(QString("http://example.invalid/a.jpg"), 2048, PictureAlpha::Opaque, out));
    EXPECT_FALSE(decodePicture(QString("/nonexistent/a.jpg"), 2048, PictureAlpha::Opaque, out));
    const QString home = qEnvironmentVariable("LUMATOY_HOME");
    for (const char* name :
         {"Textures/Gold.jpg", "Textures/pollav.jpg", "Textures/TardisImages3.jpg",
          "Particles/Star.bmp", "Particles/Fire.bmp", "Particles/Envroll.bmp",
          "Images/sleeping-dog.jpg", "Images/video-girl.jpg"}) {
        EXPECT_TRUE(decodePicture(QDir(home).filePath(name), 2048, PictureAlpha::Opaque, out))
            << name;
    }
    ASSERT_TRUE(
        decodePicture(QDir(home).filePath("Textures/Gold.jpg"), 128, PictureAlpha::Opaque, out));
    EXPECT_EQ(out.width, 128); // capped at the maximum texture size
}

TEST(AssetPaths, BackslashesAndCaseOfStoredPaths) {
    QTemporaryDir dir;
    QDir(dir.path()).mkpath("model");
    QFile f(dir.filePath("model/Tardis.3ds"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString expected = dir.filePath("model/Tardis.3ds");
    EXPECT_EQ(resolveAssetFile(dir.path() + "/Model/Tardis.3ds"), expected);
    EXPECT_EQ(resolveAssetFile(dir.path() + "\\MODEL\\tardis.3DS"), expected);
    EXPECT_EQ(resolveAssetFile(dir.path() + "/Model/none.3ds"), dir.path() + "/Model/none.3ds");
}

namespace {
QByteArray pngOf(const QImage& image) {
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    image.save(&out, "PNG");
    return bytes;
}
// `png` with a chunk of `type` claiming `claimed` bytes (and holding `held`) put before IEND.
QByteArray withChunkBeforeEnd(QByteArray png, const char* type, quint32 claimed, int held) {
    QByteArray chunk(4, '\0');
    qToBigEndian(claimed, chunk.data());
    chunk += type;
    chunk += QByteArray(held, 'x');
    chunk += QByteArray(4, '\0'); // check sum: never reached when the length is refused
    png.insert(png.size() - 12, chunk);
    return png;
}
} // namespace

TEST(Picture, APngChunkClaimingMoreThanTheFileHoldsIsRefusedBeforeDecoding) {
    QImage image(5, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    const QByteArray png = pngOf(image);
    QString why;
    EXPECT_EQ(readPicture(png, &why).size(), QSize(5, 3)) << why.toStdString();

    // A text chunk that claims about 1.9 GB in a file of a few hundred bytes.
    const QByteArray lying = withChunkBeforeEnd(png, "tEXt", 0x74000000u, 20);
    why.clear();
    EXPECT_TRUE(readPicture(lying, &why).isNull());
    EXPECT_NE(why.indexOf("tEXt chunk claims 1946157056 bytes"), -1) << why.toStdString();

    // Every picture reader goes through the check: the loaders and `info`.
    QTemporaryDir dir;
    const QString path = dir.filePath("lying.png");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lying);
    file.close();
    DecodedPicture out;
    EXPECT_FALSE(decodePicture(path, 256, PictureAlpha::Opaque, out));

    // Pixel data cut short is the decoder's to judge, as before.
    QByteArray cut = png.left(png.indexOf("IDAT") + 10);
    why.clear();
    readPicture(cut, &why);
    EXPECT_EQ(why.indexOf("claims"), -1) << why.toStdString();
}
