// BMP files and clipboard pictures: header fields, byte layout and row order.
#include "export/BitmapFormat.h"

#include <QtEndian>
#include <gtest/gtest.h>

TEST(BitmapFormat, FileHeaderSizesAndRowOrder) {
    const int width = 8, height = 3;
    std::vector<std::uint8_t> pixels(bitmapRowBytes(width) * height);
    for (std::size_t i = 0; i < pixels.size(); ++i)
        pixels[i] = static_cast<std::uint8_t>(i);
    const BitmapInfoHeader info = makeBitmapInfo(width, height);
    const QByteArray file = encodeBmpFile(info, pixels.data());

    ASSERT_EQ(file.size(), 54 + 72);
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(file.constData() + at); };
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(file.constData() + at); };
    const auto i32 = [&](int at) { return qFromLittleEndian<qint32>(file.constData() + at); };
    EXPECT_EQ(file.left(2), "BM");
    EXPECT_EQ(u32(2), static_cast<quint32>(file.size())); // the size field is the file length
    EXPECT_EQ(u32(6), 0u);
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(14), 40u);
    EXPECT_EQ(i32(18), width);
    EXPECT_EQ(i32(22), height); // positive: bottom-up
    EXPECT_EQ(u16(26), 1);
    EXPECT_EQ(u16(28), 24);
    EXPECT_EQ(u32(30), 0u);
    EXPECT_EQ(u32(34), 72u);
    for (int at = 38; at < 54; at += 4)
        EXPECT_EQ(u32(at), 0u);
    EXPECT_EQ(std::memcmp(file.constData() + 54, pixels.data(), pixels.size()), 0);

    // Qt reads it as a standard BMP; its top row is our last row.
    QImage image;
    ASSERT_TRUE(image.loadFromData(file, "BMP"));
    EXPECT_EQ(image.size(), QSize(width, height));
    const std::uint8_t* lastRow = pixels.data() + 2 * bitmapRowBytes(width);
    EXPECT_EQ(image.pixel(0, 0), qRgb(lastRow[2], lastRow[1], lastRow[0]));
    EXPECT_EQ(imageFromBottomUpBgr(pixels.data(), width, height).pixel(0, 0), image.pixel(0, 0));
}

TEST(BitmapFormat, RowsOfOddWidthsArePadded) {
    EXPECT_EQ(bitmapRowBytes(800), 2400u);
    EXPECT_EQ(bitmapRowBytes(5), 16u);
    std::uint8_t rgb[6] = {1, 2, 3, 4, 5, 6};
    swapRedAndBlue(rgb, 2);
    EXPECT_EQ(rgb[0], 3);
    EXPECT_EQ(rgb[2], 1);
    EXPECT_EQ(rgb[3], 6);
}
