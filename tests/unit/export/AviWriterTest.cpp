// The video writer on synthetic frames: formats, every offered codec read back, error texts.
#include "export/AviWriter.h"
#include "export/VideoCodecs.h"
#include "support/ScriptedPlatform.h"
#include "support/VideoProbe.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A smooth picture with a bright block that moves with the frame number: easy on lossy codecs,
// and every frame differs from the last.
std::vector<std::uint8_t> syntheticFrame(int width, int height, int frame) {
    std::vector<std::uint8_t> pixels(bitmapRowBytes(width) * height);
    for (int row = 0; row < height; ++row) { // row 0 is the bottom row
        std::uint8_t* p = pixels.data() + row * bitmapRowBytes(width);
        for (int x = 0; x < width; ++x) {
            const bool block = x / 16 == frame % (width / 16) && row >= height / 2;
            p[3 * x + 0] = static_cast<std::uint8_t>(block ? 250 : 40 + 150 * x / width);
            p[3 * x + 1] = static_cast<std::uint8_t>(block ? 250 : 30 + 180 * row / height);
            p[3 * x + 2] = static_cast<std::uint8_t>(block ? 250 : 120);
        }
    }
    return pixels;
}

struct ScriptedPlatformInForce {
    ScriptedPlatform headless;
    PlatformOverride useHeadless{headless};
};

// Writes `count` synthetic frames of width x height with `encoder` into `path`.
int writeClip(const QString& path, const QString& encoder, int width, int height, int count,
              int rate = 30, int quality = 95) {
    AviWriter writer;
    writer.setFileName(path);
    writer.frameRate = rate;
    writer.setFormatFromWindow(width, height);
    writer.askForCompression = false;
    writer.compression = {encoder, quality};
    int status = writer.initialise();
    for (int i = 0; i < count && status >= 0; ++i)
        status = writer.appendFrame(
            syntheticFrame(writer.bitmapInfo.biWidth, writer.bitmapInfo.biHeight, i).data());
    writer.release();
    return status;
}
} // namespace

TEST(AviWriter, FileNameAndFormatFromWindow) {
    AviWriter writer;
    EXPECT_EQ(writer.fileName(), "Untitled.avi");
    EXPECT_EQ(writer.frameRate, 30);
    EXPECT_EQ(writer.bitmapInfo.biSize, 0u);

    writer.setFileName("clip");
    writer.ensureAviExtension();
    EXPECT_EQ(writer.fileName(), "clip.avi");
    writer.setFileName("myavi");
    writer.ensureAviExtension();
    EXPECT_EQ(writer.fileName(), "myavi");

    writer.setFormatFromWindow(722, 577);
    const BitmapInfoHeader& info = writer.bitmapInfo;
    EXPECT_EQ(info.biSize, 40u);
    EXPECT_EQ(info.biWidth, 720);
    EXPECT_EQ(info.biHeight, 576);
    EXPECT_EQ(info.biPlanes, 1);
    EXPECT_EQ(info.biBitCount, 24);
    EXPECT_EQ(info.biCompression, 0u);
    EXPECT_EQ(info.biSizeImage, 1244160u);
    EXPECT_EQ(info.biClrUsed, 0u);
}

TEST(AviWriter, OffersTheUsualCodecsWithMotionJpegFirst) {
    const QList<VideoCodecChoice> avi = availableVideoCodecs("avi");
    ASSERT_FALSE(avi.isEmpty());
    EXPECT_EQ(defaultVideoCompression("avi").encoder, "mjpeg");
    for (const char* name : {"mjpeg", "ffv1", "huffyuv", "mpeg4", "rawvideo"})
        EXPECT_NE(findVideoCodec(avi, name), nullptr) << name;
    EXPECT_EQ(findVideoCodec(avi, "uncompressed")->encoder, "rawvideo");
    EXPECT_TRUE(findVideoCodec(avi, "mjpeg")->hasQuality);
    EXPECT_FALSE(findVideoCodec(avi, "ffv1")->hasQuality);
    // MP4 takes neither HuffYUV nor raw frames.
    const QList<VideoCodecChoice> mp4 = availableVideoCodecs("mp4");
    EXPECT_EQ(findVideoCodec(mp4, "huffyuv"), nullptr);
    EXPECT_EQ(findVideoCodec(mp4, "rawvideo"), nullptr);
    const QString h264 = findVideoCodec(mp4, "libx264") ? "libx264" : "mpeg4";
    EXPECT_EQ(defaultVideoCompression("mp4").encoder, h264);
}

TEST(AviWriter, OlderFfmpegLibrariesAreRefused) {
    const FfmpegVersions built = buildFfmpegVersions();
    EXPECT_TRUE(ffmpegLibrariesCurrent(runtimeFfmpegVersions(), built));
    FfmpegVersions older = built;
    older.codec -= 1;
    EXPECT_FALSE(ffmpegLibrariesCurrent(older, built));
    FfmpegVersions newer = built;
    newer.format += 1;
    EXPECT_TRUE(ffmpegLibrariesCurrent(newer, built));
}

class AviWriterCodec : public ::testing::TestWithParam<const char*> {};

// Every codec the dialog offers writes a file that ffprobe accepts and that decodes to the frames
// given, exactly for the lossless ones.
TEST_P(AviWriterCodec, WritesFramesThatReadBack) {
    const QString encoder = GetParam();
    if (!findVideoCodec(availableVideoCodecs("avi"), encoder)) GTEST_SKIP() << "not in this FFmpeg";
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.avi");
    const int frames = 14;
    ASSERT_EQ(writeClip(path, encoder, 178, 98, frames, 25), 0);

    QString probeOutput;
    EXPECT_TRUE(ffprobeAccepts(path, &probeOutput)) << qPrintable(probeOutput);
    const DecodedVideo video = decodeVideo(path);
    ASSERT_TRUE(video.error.isEmpty()) << qPrintable(video.error);
    EXPECT_EQ(video.container, "avi");
    EXPECT_EQ(video.frameCount, frames);
    EXPECT_EQ(video.width, 176);
    EXPECT_EQ(video.height, 96);
    EXPECT_EQ(video.rateNumerator / video.rateDenominator, 25);
    if (isIntraOnlyEncoder(encoder)) {
        EXPECT_EQ(video.keyFrameCount, frames);
    }

    const bool lossless =
        encoder == "ffv1" || encoder == "huffyuv" || encoder == "rawvideo" || encoder == "utvideo";
    for (int i : {0, frames - 1}) {
        const QImage expected = imageFromBottomUpBgr(syntheticFrame(176, 96, i).data(), 176, 96);
        const PixelDifference d = comparePictures(video.frames[i], expected);
        if (lossless) {
            EXPECT_EQ(d.max, 0) << "frame " << i;
        } else {
            EXPECT_LT(d.mean, 4.0) << "frame " << i;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(AllCodecs, AviWriterCodec,
                         ::testing::Values("mjpeg", "ffv1", "huffyuv", "utvideo", "libx264",
                                           "mpeg4", "libxvid", "msmpeg4", "rawvideo"));

// The quality setting reaches the fixed-quantiser encoders: a lower setting, a smaller file.
TEST(AviWriter, QualityChoosesTheQuantiser) {
    QTemporaryDir dir;
    for (const QString encoder : {"mjpeg", "mpeg4"}) {
        const QString fine = dir.filePath(encoder + "-fine.avi");
        const QString coarse = dir.filePath(encoder + "-coarse.avi");
        ASSERT_EQ(writeClip(fine, encoder, 320, 240, 5, 30, 100), 0);
        ASSERT_EQ(writeClip(coarse, encoder, 320, 240, 5, 30, 20), 0);
        EXPECT_LT(QFileInfo(coarse).size() * 3 / 2, QFileInfo(fine).size()) << qPrintable(encoder);
    }
}

TEST(AviWriter, Mp4FileTakesH264OrMpeg4) {
    QTemporaryDir dir;
    const QString path = dir.filePath("clip.mp4");
    ASSERT_EQ(writeClip(path, defaultVideoCompression("mp4").encoder, 320, 240, 20, 30), 0);
    EXPECT_TRUE(ffprobeAccepts(path));
    const DecodedVideo video = decodeVideo(path, false);
    ASSERT_TRUE(video.error.isEmpty()) << qPrintable(video.error);
    EXPECT_TRUE(video.container.contains("mp4"));
    EXPECT_EQ(video.frameCount, 20);
    EXPECT_EQ(video.width, 320);
    EXPECT_EQ(video.rateNumerator / video.rateDenominator, 30);
}

TEST(AviWriter, UnwritableFolderGivesTheEngineMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("missing/folder/clip.avi");
    AviWriter writer;
    writer.setFileName(path);
    writer.setFormatFromWindow(64, 64);
    writer.askForCompression = false;
    EXPECT_LT(writer.initialise(), 0);
    EXPECT_EQ(writer.errorText(), "AVI Engine failed to initialize. Check filename " + path +
                                      ".A disk error occurred while opening the file.");
    EXPECT_FALSE(writer.isOpen());
    EXPECT_LT(writer.appendFrame(syntheticFrame(64, 64, 0).data()), 0);
    writer.release();
    EXPECT_FALSE(QFile::exists(path));
}

TEST(AviWriter, ZeroSizeFrameGivesTheStreamMessageAndLeavesNoFile) {
    QTemporaryDir dir;
    AviWriter writer;
    writer.setFileName(dir.filePath("clip.avi"));
    writer.setFormatFromWindow(3, 200); // rounds down to nothing
    writer.askForCompression = false;
    EXPECT_LT(writer.initialise(), 0);
    EXPECT_EQ(writer.errorText(), "AVI Stream creation failed. Check Bitmap info.");
    EXPECT_FALSE(QFile::exists(dir.filePath("clip.avi")));
}

TEST(AviWriter, FailedWriteKeepsTheWriteMessage) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP();
    AviWriter writer;
    writer.setFileName("/dev/full"); // opens, but every write fails: the disk is full
    writer.setFormatFromWindow(320, 240);
    writer.askForCompression = false;
    writer.compression = {"rawvideo", 0};
    ASSERT_EQ(writer.initialise(), 0);
    int status = 0;
    for (int i = 0; i < 10 && status >= 0; ++i)
        status = writer.appendFrame(syntheticFrame(320, 240, i).data());
    EXPECT_LT(status, 0);
    EXPECT_EQ(writer.errorText(), "Unable to Export Video In this Format");
    EXPECT_LT(writer.release(), 0);
}

// A full disk fails the very frame that does not fit, however small (nothing waits in a buffer
// to fail later), and finishing the file fails too.
TEST(AviWriter, DiskFullFailsTheFrameThatDoesNotFit) {
    if (!QFile::exists("/dev/full")) GTEST_SKIP();
    AviWriter writer;
    writer.setFileName("/dev/full");
    writer.setFormatFromWindow(16, 16);
    writer.askForCompression = false;
    writer.compression = {"rawvideo", 0};
    ASSERT_EQ(writer.initialise(), 0);
    EXPECT_LT(writer.appendFrame(syntheticFrame(16, 16, 0).data()), 0);
    EXPECT_LT(writer.release(), 0);
    EXPECT_EQ(writer.errorText(), "Unable to Export Video In this Format");
    EXPECT_EQ(writer.release(), 0); // nothing left to finish
}

TEST(AviWriter, CompressionDialogChoosesAndCancelWritesNothing) {
    ScriptedPlatformInForce p;
    QTemporaryDir dir;
    const QString path = dir.filePath("chosen.avi");
    p.headless.compressions = {VideoCompression{"ffv1", 50}, std::nullopt};

    AviWriter chosen;
    chosen.setFileName(path);
    chosen.setFormatFromWindow(64, 48);
    ASSERT_EQ(chosen.initialise(), 0);
    EXPECT_FALSE(chosen.compressionCancelled);
    EXPECT_EQ(chosen.compression.encoder, "ffv1");
    ASSERT_EQ(p.headless.compressionRequests.size(), 1);
    EXPECT_EQ(p.headless.compressionRequests[0].front().label, "Motion JPEG");
    EXPECT_EQ(chosen.appendFrame(syntheticFrame(64, 48, 0).data()), 0);
    chosen.release();
    EXPECT_EQ(decodeVideo(path, false).codec, "ffv1");

    const QString cancelledPath = dir.filePath("cancelled.avi");
    AviWriter cancelled;
    cancelled.setFileName(cancelledPath);
    cancelled.setFormatFromWindow(64, 48);
    EXPECT_EQ(cancelled.initialise(), 0);
    EXPECT_TRUE(cancelled.compressionCancelled);
    EXPECT_LT(cancelled.appendFrame(syntheticFrame(64, 48, 0).data()), 0);
    cancelled.release();
    EXPECT_FALSE(QFile::exists(cancelledPath));
}

TEST(AviWriter, ReleaseEndsAPartialExportThatStillPlays) {
    QTemporaryDir dir;
    const QString path = dir.filePath("partial.avi");
    AviWriter writer;
    writer.setFileName(path);
    writer.setFormatFromWindow(96, 64);
    writer.askForCompression = false;
    writer.compression = {"mpeg4", 80}; // an inter-frame codec keeps frames back until drained
    ASSERT_EQ(writer.initialise(), 0);
    for (int i = 0; i < 7; ++i)
        ASSERT_EQ(writer.appendFrame(syntheticFrame(96, 64, i).data()), 0);
    EXPECT_EQ(writer.frameIndex, 7);
    EXPECT_EQ(writer.release(), 0);
    EXPECT_EQ(writer.release(), 0); // twice is harmless
    EXPECT_EQ(decodeVideo(path, false).frameCount, 7);
    EXPECT_TRUE(ffprobeAccepts(path));
}
