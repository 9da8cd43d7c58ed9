// Save Bitmap rounds the width down, writes a standard BMP, and reports a file it cannot write.
#include "export/Screenshot.h"
#include "support/ScriptedPlatform.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(Screenshot, SavesRoundedBitmapAndReportsFailure) {
    ScriptedPlatform p;
    const PlatformOverride useP(p);
    QTemporaryDir dir;
    const int w = 803, h = 5;
    std::vector<std::uint8_t> rgb(w * h * 3);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            rgb[(y * w + x) * 3 + 0] = static_cast<std::uint8_t>(x);
            rgb[(y * w + x) * 3 + 1] = static_cast<std::uint8_t>(10 * y);
            rgb[(y * w + x) * 3 + 2] = 7;
        }
    const QString path = dir.filePath("shot.bmp");
    p.files = {path, dir.filePath("no/such/folder/x.bmp")};
    EXPECT_TRUE(saveBitmap(rgb.data(), w, h));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), 54 + 800 * 5 * 3);
    QImage image(path);
    ASSERT_EQ(image.size(), QSize(800, 5));
    EXPECT_EQ(image.pixel(5, 0), qRgb(5, 40, 7)); // top row is the last row read back
    EXPECT_EQ(p.fileRequests.back().title, "Export Screenshot");
    EXPECT_TRUE(p.messages.empty());

    EXPECT_FALSE(saveBitmap(rgb.data(), w, h));
    ASSERT_EQ(p.messages.size(), 1u);
    EXPECT_FALSE(saveBitmap(rgb.data(), w, h)); // cancelled: nothing, silently
    EXPECT_EQ(p.messages.size(), 1u);

    copyFrameToClipboard(rgb.data(), w, h);
    EXPECT_EQ(p.clipboard.size(), QSize(800, 5));
    EXPECT_EQ(p.clipboard.pixel(5, 4), qRgb(5, 0, 7));
}
