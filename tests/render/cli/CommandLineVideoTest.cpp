// `lumatoy render` into .avi, .mp4 and .bmp files, read back and compared with the PNG frames of
// the same render: frame count, size, rate, pixels, ffprobe's verdict, and the failures.
#include "support/ProgramRun.h"
#include "support/RecordingAssetLoads.h"
#include "support/VideoProbe.h"
#include "timeline/SequenceScene.h"

#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <csignal>
#include <memory>

namespace {
// A sequence with keys at frames 0 and 50, built as the Keyframe Controls page builds one: the
// text turns and the background brightens, so every frame differs from the last.
QString saveTwoKeySequence(const QString& path) {
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    RecordingAssetLoads loads;
    const EffectLoadsOverride useLoads(loads);
    auto v = makeScene();
    addKey(*v, 0);
    v->textRotation.y = 300;
    v->backgroundColour = {120, 160, 200};
    addKey(*v, 50);
    const bool saved = saveSequenceFile(*v, path);
    return saved ? path : QString();
}

// Frame `frame` rendered to a PNG by the same program, for comparison.
QImage pngFrame(const QString& folder, QStringList args, int frame) {
    args << "-o" << folder + "/"
         << "--frames" << QString::number(frame);
    const ProgramRun run = runLumatoy(QStringList{"render"} + args);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    return QImage(
               QDir(folder).filePath(QStringLiteral("frame-%1.png").arg(frame, 6, 10, QChar('0'))))
        .convertToFormat(QImage::Format_RGB888);
}

void expectProbeAccepts(const QString& path) {
    if (QStandardPaths::findExecutable("ffprobe").isEmpty()) return; // not on this machine
    QString output;
    EXPECT_TRUE(ffprobeAccepts(path, &output)) << output.toStdString();
}

const QRegularExpression kSummary(
    "^rendered (\\d+) frames (\\d+)x(\\d+) in \\d+\\.\\d\\d s: render \\d+\\.\\d\\d ms/frame, "
    "readback \\d+\\.\\d\\d ms/frame, encode \\d+\\.\\d\\d ms/frame\\n$");
// A render of 10000 frames with `jobs` workers, stopped once it has reported progress.
void expectStoppedRenderLeavesAFinishedFile(const char* jobs, int atLeast) {
    QTemporaryDir dir;
    const QString avi = dir.filePath("long.avi");
    QProcess process;
    process.start(QStringLiteral(LUMATOY_BINARY),
                  {"render", "-o", avi, "--size", "64x48", "--frames", "0-9999", "--jobs", jobs});
    process.setReadChannel(QProcess::StandardError);
    ASSERT_TRUE(process.waitForReadyRead(120000)); // the first tenth is done
    process.terminate();
    ASSERT_TRUE(process.waitForFinished(120000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 128 + SIGTERM);
    const QString err = QString::fromLocal8Bit(process.readAllStandardError());
    const auto said =
        QRegularExpression("lumatoy: Interrupted: (\\d+) of 10000 frames are in ").match(err);
    ASSERT_TRUE(said.hasMatch()) << err.toStdString();
    const DecodedVideo video = decodeVideo(avi, false);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_GE(video.frameCount, atLeast);
    EXPECT_LT(video.frameCount, 10000);
    EXPECT_EQ(video.frameCount, said.captured(1).toInt());
    expectProbeAccepts(avi);
}

} // namespace

TEST(CommandLineVideo, AviOfATwoKeySequenceHasItsFramesAtTheFormatsSizeAndRate) {
    QTemporaryDir dir;
    const QString sequence = saveTwoKeySequence(dir.filePath("two-keys.lmt"));
    ASSERT_FALSE(sequence.isEmpty());
    const QString avi = dir.filePath("clip.avi");
    const ProgramRun run = runLumatoy({"render", sequence, "-o", avi, "--format", "0"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();

    // One summary line on stdout; on stderr (not a terminal here) a few plain progress lines
    // ending with the last frame.
    const auto summary = kSummary.match(run.out);
    ASSERT_TRUE(summary.hasMatch()) << run.out.toStdString();
    EXPECT_EQ(summary.captured(1), "50");
    EXPECT_EQ(summary.captured(2) + "x" + summary.captured(3), "720x576");
    const QStringList progress = run.err.split('\n', Qt::SkipEmptyParts);
    EXPECT_LE(progress.size(), 10);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_TRUE(progress.last().startsWith("frame 50 of 50, ")) << run.err.toStdString();
    EXPECT_FALSE(run.err.contains('\r'));

    const DecodedVideo video = decodeVideo(avi);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_EQ(video.container, "avi");
    EXPECT_EQ(video.codec, "mjpeg"); // the default
    EXPECT_EQ(video.frameCount, 50);
    EXPECT_EQ(video.keyFrameCount, 50);
    EXPECT_EQ(video.width, 720);
    EXPECT_EQ(video.height, 576);
    EXPECT_EQ(video.rateNumerator, 25 * video.rateDenominator);
    expectProbeAccepts(avi);

    // The first and the last frame are the frames the PNG render draws, within what Motion JPEG
    // loses; the two differ by far more than that.
    const QStringList same = {sequence, "--format", "0"};
    const QImage first = pngFrame(dir.filePath("first"), same, 0);
    const QImage last = pngFrame(dir.filePath("last"), same, 49);
    ASSERT_EQ(video.frames.size(), 50u);
    const PixelDifference firstDiff = comparePictures(video.frames.front(), first);
    const PixelDifference lastDiff = comparePictures(video.frames.back(), last);
    EXPECT_LT(firstDiff.mean, 2.0);
    EXPECT_LT(lastDiff.mean, 2.0);
    EXPECT_GT(comparePictures(first, last).mean, 10 * std::max(firstDiff.mean, lastDiff.mean));
}

// Lossless encoders give back exactly the rendered pixels; the codec is named as --help lists it
// or by the compression dialog's label.
TEST(CommandLineVideo, LosslessCodecsKeepEveryPixel) {
    QTemporaryDir dir;
    const QString sequence = saveTwoKeySequence(dir.filePath("two-keys.lmt"));
    ASSERT_FALSE(sequence.isEmpty());
    const QStringList size = {sequence, "--size", "160x120"};
    const QImage first = pngFrame(dir.filePath("first"), size, 0);
    const QImage last = pngFrame(dir.filePath("last"), size, 5);
    ASSERT_NE(first, last);
    for (const QString& codec : {QStringLiteral("ffv1"), QStringLiteral("Uncompressed")}) {
        const QString avi = dir.filePath(codec + ".avi");
        const ProgramRun run = runLumatoy(
            QStringList{"render", "-o", avi, "--frames", "0-5", "--codec", codec} + size);
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const DecodedVideo video = decodeVideo(avi);
        ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
        EXPECT_EQ(video.codec, codec == "ffv1" ? "ffv1" : "rawvideo");
        ASSERT_EQ(video.frames.size(), 6u) << codec.toStdString();
        EXPECT_EQ(video.frames.front(), first) << codec.toStdString();
        EXPECT_EQ(video.frames.back(), last) << codec.toStdString();
        expectProbeAccepts(avi);
    }
}

TEST(CommandLineVideo, Mp4TakesTheSameFramesAndRoundsTheSizeDownToMultiplesOfFour) {
    QTemporaryDir dir;
    const QString mp4 = dir.filePath("clip.mp4");
    const ProgramRun run =
        runLumatoy({"render", "-o", mp4, "--frames", "0-9", "--size", "162x121", "--fps", "24"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("rendered 10 frames 160x120 in ")) << run.out.toStdString();
    const DecodedVideo video = decodeVideo(mp4);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_TRUE(video.container.contains("mp4"));
    EXPECT_TRUE(video.codec == "h264" || video.codec == "mpeg4") << video.codec.toStdString();
    EXPECT_EQ(video.frameCount, 10);
    EXPECT_EQ(QSize(video.width, video.height), QSize(160, 120));
    EXPECT_EQ(video.rateNumerator, 24 * video.rateDenominator);
    expectProbeAccepts(mp4);

    const QStringList size = {"--size", "160x120"};
    ASSERT_EQ(video.frames.size(), 10u);
    EXPECT_LT(comparePictures(video.frames.front(), pngFrame(dir.filePath("a"), size, 0)).mean, 3);
    EXPECT_LT(comparePictures(video.frames.back(), pngFrame(dir.filePath("b"), size, 9)).mean, 3);
}

// A .bmp holds the frame asked for as every bitmap the program writes: 24-bit, bottom-up, the
// width rounded down to a multiple of 4, the size field equal to the file's length.
TEST(CommandLineVideo, BitmapHoldsOneFrameBottomUp) {
    QTemporaryDir dir;
    const QString bmp = dir.filePath("frame.bmp");
    const ProgramRun run = runLumatoy({"render", "-o", bmp, "--frames", "3", "--size", "83x61"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("rendered 1 frames 80x61 in ")) << run.out.toStdString();

    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_GE(bytes.size(), 54);
    const auto u32 = [&](int at) { return qFromLittleEndian<quint32>(bytes.constData() + at); };
    const auto u16 = [&](int at) { return qFromLittleEndian<quint16>(bytes.constData() + at); };
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(u32(2), quint32(bytes.size()));
    EXPECT_EQ(u32(10), 54u);
    EXPECT_EQ(u32(18), 80u); // width
    EXPECT_EQ(u32(22), 61u); // height: positive, rows bottom-up
    EXPECT_EQ(u16(28), 24u);
    EXPECT_EQ(u32(30), 0u); // BI_RGB
    EXPECT_EQ(u32(34), 80u * 3 * 61);
    ASSERT_EQ(bytes.size(), 54 + 80 * 3 * 61);

    const QImage expected = pngFrame(dir.filePath("png"), {"--size", "80x61"}, 3);
    ASSERT_EQ(expected.size(), QSize(80, 61));
    int wrong = 0;
    for (int row = 0; row < 61; ++row) {
        const uchar* stored = reinterpret_cast<const uchar*>(bytes.constData()) + 54 + row * 240;
        const uchar* shown = expected.constScanLine(60 - row);
        for (int x = 0; x < 80; ++x)
            wrong += stored[3 * x] != shown[3 * x + 2] || stored[3 * x + 1] != shown[3 * x + 1] ||
                     stored[3 * x + 2] != shown[3 * x];
    }
    EXPECT_EQ(wrong, 0);
}

TEST(CommandLineVideo, FailuresSayWhyAndExitNonZero) {
    QTemporaryDir dir;
    struct Case {
        QStringList args;
        QString says;
    };
    const QString missing = dir.filePath("no/such/folder/clip.avi");
    const QList<Case> cases = {
        {{"-o", missing},
         "AVI Engine failed to initialize. Check filename " + missing +
             ".A disk error occurred while opening the file."},
        {{"-o", dir.filePath("a.avi"), "--codec", "nonsense"}, "use one of: mjpeg"},
        {{"-o", dir.filePath("a.mp4"), "--codec", "huffyuv"}, "Unknown codec huffyuv for .mp4"},
        {{"-o", dir.filePath("a.bmp"), "--codec", "mjpeg"}, "--codec"},
        {{"-o", dir.filePath("a.bmp"), "--frames", "2-4"}, "one frame"},
        {{"-o", dir.filePath("a.mov")}, ".avi, .mp4 or .bmp"},
        {{"-o", dir.filePath("a.avi"), "--size", "3x40"}, "too small"},
    };
    for (const Case& c : cases) {
        const ProgramRun run = runLumatoy(QStringList{"render", "--size", "64x48"} + c.args);
        EXPECT_NE(run.exitCode, 0) << c.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("lumatoy: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(c.says)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("a.avi")));
    EXPECT_FALSE(QFile::exists(dir.filePath("a.bmp")));
    // --help names the encoders --codec takes.
    const QString help = runLumatoy({"--help"}).out;
    EXPECT_TRUE(help.contains(".avi: mjpeg (default), ffv1")) << help.toStdString();

    // A disk that is full: the writer's text at the first frame, and a failing exit.
    if (!QFile::exists("/dev/full")) return;
    const QString full = dir.filePath("full.avi");
    ASSERT_TRUE(QFile::link("/dev/full", full));
    const ProgramRun run =
        runLumatoy({"render", "-o", full, "--size", "64x48", "--frames", "0-29"});
    EXPECT_NE(run.exitCode, 0);
    EXPECT_TRUE(run.err.contains("lumatoy: Unable to Export Video In this Format (frame 1 of 30: "))
        << run.err.toStdString();
    EXPECT_TRUE(run.out.isEmpty());
}

// Stopping a video render (Ctrl-C, or a kill) finishes the file with the frames written so far,
// in one process or spread over several.
TEST(CommandLineVideo, AStoppedRenderLeavesAFinishedFile) {
    for (const char* jobs : {"1", "2"}) {
        SCOPED_TRACE(jobs);
        expectStoppedRenderLeavesAFinishedFile(jobs, std::string(jobs) == "1" ? 1000 : 1);
    }
}

// The same file, byte for byte, from one process and from several: a stored sequence with
// particles, fire and the radial blur, in Motion JPEG over two workers and lossless over three.
TEST(CommandLineVideo, ASpreadRenderWritesTheFileOfASingleProcess) {
    QTemporaryDir dir;
    const QString sequence = QDir(programSequencesFolder()).filePath("Everything at Once.lmt");
    ASSERT_TRUE(QFile::exists(sequence));
    for (const auto& [codec, jobs] : {std::pair{"mjpeg", "2"}, std::pair{"huffyuv", "3"}}) {
        SCOPED_TRACE(codec);
        const QString one = dir.filePath(QStringLiteral("one-%1.avi").arg(codec));
        const QString many = dir.filePath(QStringLiteral("many-%1.avi").arg(codec));
        const QStringList args{"render",   sequence,  "--size",  "160x120",
                               "--frames", "100-111", "--codec", codec};
        const ProgramRun single = runLumatoy(args + QStringList{"-o", one, "--jobs", "1"});
        const ProgramRun spread = runLumatoy(args + QStringList{"-o", many, "--jobs", jobs});
        ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
        ASSERT_EQ(spread.exitCode, 0) << spread.err.toStdString();
        EXPECT_TRUE(spread.out.startsWith("rendered 12 frames 160x120 in "))
            << spread.out.toStdString();
        QFile a(one), b(many);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        const QByteArray bytes = a.readAll();
        EXPECT_GT(bytes.size(), 10000);
        EXPECT_TRUE(bytes == b.readAll());
    }
}
