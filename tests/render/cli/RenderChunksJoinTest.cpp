// `lumatoy render --chunks N --chunk K` and `lumatoy join`: the parts of a render joined in frame
// order give the single render's frames, every stream the parts hold is copied, and parts that do
// not fit together are refused with a clear message, a failing exit and nothing written.
#include "support/ProgramRun.h"
#include "support/VideoProbe.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
QString storedSequence(const char* name) {
    return QDir(programSequencesFolder()).filePath(QString::fromLatin1(name) + ".lmt");
}

// Renders chunk `chunk` of `chunks` into `out` with the common arguments `args`.
ProgramRun renderChunk(const QStringList& args, int chunk, int chunks, const QString& out) {
    return runLumatoy(QStringList{"render"} + args +
                      QStringList{"-o", out, "--chunks", QString::number(chunks), "--chunk",
                                  QString::number(chunk)});
}

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool haveFfmpeg() {
    return !QStandardPaths::findExecutable("ffmpeg").isEmpty() &&
           !QStandardPaths::findExecutable("ffprobe").isEmpty();
}

// Runs ffmpeg or ffprobe; what it printed (standard output, then standard error).
QByteArray runToolBytes(const QString& tool, const QStringList& args, int* exitCode) {
    QProcess process;
    process.start(tool, args);
    process.waitForFinished(120000);
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    return process.readAllStandardOutput() + process.readAllStandardError();
}
QString runTool(const QString& tool, const QStringList& args, int* exitCode) {
    return QString::fromLocal8Bit(runToolBytes(tool, args, exitCode));
}
// The sound of a file's first audio stream as 16-bit samples.
QByteArray audioSamples(const QString& path) {
    int code = 0;
    const QByteArray samples = runToolBytes(
        "ffmpeg", {"-v", "error", "-i", path, "-map", "0:a", "-f", "s16le", "-"}, &code);
    return code == 0 ? samples : QByteArray();
}

QStringList particlesFireBlur() {
    return {storedSequence("Everything at Once"),
            "--size",
            "64x48",
            "--frames",
            "100-111",
            "--codec",
            "ffv1"};
}
} // namespace

// Three chunks of a sequence with particles, fire and the radial blur, joined in whatever order
// they are named, are the single render frame for frame; each chunk says the range it took.
TEST(RenderChunks, ChunksJoinedInFrameOrderAreTheSingleRender) {
    QTemporaryDir dir;
    const QString single = dir.filePath("single.avi");
    const ProgramRun whole = runLumatoy(QStringList{"render"} + particlesFireBlur() +
                                        QStringList{"-o", single, "--jobs", "1"});
    ASSERT_EQ(whole.exitCode, 0) << whole.err.toStdString();

    const char* const ranges[] = {"100-103", "104-107", "108-111"};
    QStringList parts;
    for (int k = 0; k < 3; ++k) {
        parts << dir.filePath(QStringLiteral("part-%1.avi").arg(k));
        const ProgramRun run = renderChunk(particlesFireBlur(), k, 3, parts.last());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const QString took =
            QStringLiteral("chunk %1 of 3: frames %2 of 100-111").arg(k).arg(ranges[k]);
        EXPECT_TRUE(run.out.startsWith(took + "\n")) << run.out.toStdString();
        EXPECT_TRUE(run.out.contains(QRegularExpression(
            "\n" + QRegularExpression::escape(took) +
            ": 4 frames in \\d+\\.\\d\\d s, \\d+\\.\\d\\d frames per second\n$")))
            << run.out.toStdString();
        EXPECT_EQ(decodeVideo(parts.last(), false).frameCount, 4);
    }

    const QString joined = dir.filePath("joined.avi");
    const ProgramRun join = runLumatoy({"join", parts[2], parts[0], parts[1], "-o", joined});
    ASSERT_EQ(join.exitCode, 0) << join.err.toStdString();
    EXPECT_EQ(join.out,
              "joined 3 parts into " + joined + ": frames 100-111 (12 frames), 1 stream copied\n");
    const DecodedVideo expected = decodeVideo(single);
    const DecodedVideo got = decodeVideo(joined);
    ASSERT_TRUE(got.error.isEmpty()) << got.error.toStdString();
    EXPECT_EQ(got.codec, "ffv1");
    EXPECT_EQ(QSize(got.width, got.height), QSize(64, 48));
    EXPECT_EQ(got.rateNumerator, 30 * got.rateDenominator);
    ASSERT_EQ(got.frames.size(), 12u);
    ASSERT_EQ(expected.frames.size(), 12u);
    for (int i = 0; i < 12; ++i)
        EXPECT_EQ(got.frames[i], expected.frames[i]) << "frame " << i;
    EXPECT_NE(got.frames[0], got.frames[11]);
    if (haveFfmpeg()) {
        QString output;
        EXPECT_TRUE(ffprobeAccepts(joined, &output)) << output.toStdString();
    }
}

// Without --frames the chunks divide the whole timeline, a picture folder takes its chunk's
// frames under their own numbers, and an MP4 joins as well as an AVI.
TEST(RenderChunks, ChunksOfTheWholeTimelineIntoFoldersAndMp4) {
    QTemporaryDir dir;
    const QStringList args = {storedSequence("Fire Ring"), "--size", "32x24"};
    const ProgramRun folder = renderChunk(args, 3, 4, dir.filePath("frames/"));
    ASSERT_EQ(folder.exitCode, 0) << folder.err.toStdString();
    EXPECT_TRUE(folder.out.startsWith("chunk 3 of 4: frames 203-269 of 0-269\n"))
        << folder.out.toStdString();
    const QStringList pictures = QDir(dir.filePath("frames")).entryList(QDir::Files, QDir::Name);
    ASSERT_EQ(pictures.size(), 67);
    EXPECT_EQ(pictures.first(), "frame-000203.png");
    EXPECT_EQ(pictures.last(), "frame-000269.png");

    const QStringList mp4Args = {storedSequence("Fire Ring"), "--size", "32x24", "--frames",
                                 "0-19"};
    QStringList parts;
    for (int k = 0; k < 2; ++k) {
        parts << dir.filePath(QStringLiteral("p%1.mp4").arg(k));
        const ProgramRun run = renderChunk(mp4Args, k, 2, parts.last());
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    const QString joined = dir.filePath("joined.mp4");
    const ProgramRun join = runLumatoy({"join", parts[0], parts[1], "-o", joined});
    ASSERT_EQ(join.exitCode, 0) << join.err.toStdString();
    const DecodedVideo video = decodeVideo(joined, false);
    ASSERT_TRUE(video.error.isEmpty()) << video.error.toStdString();
    EXPECT_EQ(video.frameCount, 20);
}

// Every stream the parts hold is copied, not only the picture: here a sound track added to each
// part afterwards, as a soundtrack tool does.
TEST(RenderChunks, JoinCopiesEveryStreamOfTheParts) {
    if (!haveFfmpeg()) GTEST_SKIP() << "ffmpeg is not installed";
    QTemporaryDir dir;
    const QStringList args = {"--size", "32x24", "--frames", "0-29", "--codec", "ffv1"};
    QStringList parts;
    for (int k = 0; k < 2; ++k) {
        const QString silent = dir.filePath(QStringLiteral("silent-%1.avi").arg(k));
        ASSERT_EQ(renderChunk(args, k, 2, silent).exitCode, 0);
        parts << dir.filePath(QStringLiteral("sound-%1.avi").arg(k));
        int code = 0;
        const QString said = runTool("ffmpeg",
                                     {"-v", "error", "-i", silent, "-f", "lavfi", "-i",
                                      "sine=frequency=440:sample_rate=8000:duration=0.5", "-map",
                                      "0:v", "-map", "1:a", "-map_metadata", "0", "-c:v", "copy",
                                      "-c:a", "pcm_s16le", parts.last()},
                                     &code);
        ASSERT_EQ(code, 0) << said.toStdString();
    }
    const QString joined = dir.filePath("joined.avi");
    const ProgramRun join = runLumatoy({"join", parts[0], parts[1], "-o", joined});
    ASSERT_EQ(join.exitCode, 0) << join.err.toStdString();
    EXPECT_TRUE(join.out.endsWith("(30 frames), 2 streams copied\n")) << join.out.toStdString();
    int code = 0;
    const QString streams =
        runTool("ffprobe",
                {"-v", "error", "-count_packets", "-show_entries",
                 "stream=codec_type,codec_name,nb_read_packets,duration", "-of", "csv=p=0", joined},
                &code);
    ASSERT_EQ(code, 0) << streams.toStdString();
    EXPECT_TRUE(streams.contains("ffv1,video")) << streams.toStdString();
    EXPECT_TRUE(streams.contains("pcm_s16le,audio")) << streams.toStdString();
    EXPECT_TRUE(streams.contains(",30\n")) << streams.toStdString(); // video frames
    // Two half-second tracks make one second of sound, the first part's before the second's.
    const QByteArray sound = audioSamples(joined);
    EXPECT_EQ(sound.size(), 8000 * 2);
    EXPECT_TRUE(sound == audioSamples(parts[0]) + audioSamples(parts[1]));
    EXPECT_TRUE(ffprobeAccepts(joined));
}

// Bad requests and parts that do not fit together: a clear message, a failing exit, and nothing
// written (a file already at the output stays as it was).
TEST(RenderChunks, PartsThatDoNotFitAreRefusedAndNothingIsWritten) {
    QTemporaryDir dir;
    const QStringList base = {"--size", "64x48", "--frames", "0-11", "--codec", "ffv1"};
    auto part = [&](const QString& name, int k, int n, const QStringList& extra = {}) {
        const QString path = dir.filePath(name);
        const ProgramRun run = renderChunk(base + extra, k, n, path);
        EXPECT_EQ(run.exitCode, 0) << name.toStdString() << ": " << run.err.toStdString();
        return path;
    };
    const QString a0 = part("a0.avi", 0, 3), a1 = part("a1.avi", 1, 3), a2 = part("a2.avi", 2, 3);

    // Requests a chunk render refuses before drawing anything.
    struct Refusal {
        QStringList args;
        QString says;
    };
    const QString never = dir.filePath("never.avi");
    const QList<Refusal> requests = {
        {{"--chunks", "3", "--chunk", "3"},
         "--chunk 3 is out of range: with --chunks 3 the "
         "chunks are 0 to 2."},
        {{"--chunks", "13", "--chunk", "0"},
         "--chunks 13 is more than the 12 frames of the "
         "render (frames 0-11)"},
        {{"--chunk", "1"}, "--chunks N and --chunk K go together"},
        {{"--chunks", "0", "--chunk", "0"}, "--chunks takes a number from 1"},
        {{"--chunks", "2", "--chunk", "-1"}, "--chunk takes a number from 0"},
    };
    for (const Refusal& r : requests) {
        const ProgramRun run = runLumatoy(QStringList{"render", "-o", never} + base + r.args);
        EXPECT_NE(run.exitCode, 0) << r.args.join(' ').toStdString();
        EXPECT_TRUE(run.err.contains("lumatoy: " + r.says)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    const ProgramRun bmp =
        runLumatoy({"render", "-o", dir.filePath("x.bmp"), "--chunks", "2", "--chunk", "0"});
    EXPECT_NE(bmp.exitCode, 0);
    EXPECT_TRUE(bmp.err.contains("not to a .bmp")) << bmp.err.toStdString();
    const ProgramRun noSequence = runLumatoy(
        {"render", dir.filePath("missing.lmt"), "-o", never, "--chunks", "2", "--chunk", "0"});
    EXPECT_NE(noSequence.exitCode, 0);
    EXPECT_FALSE(QFile::exists(never));

    // Parts that do not belong together.
    const QString wider = part("wider.avi", 1, 3, {"--size", "80x48"});
    const QString slower = part("slower.avi", 1, 3, {"--fps", "25"});
    const QString jpeg = part("jpeg.avi", 1, 3, {"--codec", "mjpeg"});
    const QString other = part("other.avi", 1, 3, {storedSequence("Fire Ring")});
    const QString blurred = part("blurred.avi", 1, 3, {"--motion-blur"});
    const QString halves = part("half.avi", 0, 2); // frames 0-5
    const QString longer = part("longer.avi", 1, 3, {"--frames", "0-14"});
    const QString plain = dir.filePath("plain.avi");
    ASSERT_EQ(runLumatoy(QStringList{"render", "-o", plain} + base).exitCode, 0);

    const QString out = dir.filePath("out.avi");
    const QList<Refusal> joins = {
        {{a0, wider, a2},
         "wider.avi is 80x48 but a0.avi is 64x48: the parts of a video must "
         "have one frame size."},
        {{a0, slower, a2}, "slower.avi runs at 25 frames per second but a0.avi at 30"},
        {{a0, jpeg, a2}, "jpeg.avi is encoded with mjpeg but a0.avi with ffv1"},
        {{a0, other, a2},
         "a0.avi and other.avi are parts of different sequences: the default "
         "look and Fire Ring.lmt."},
        {{a0, blurred, a2},
         "a0.avi and blurred.avi are parts of different renders of the "
         "default look"},
        {{a0, longer, a2},
         "a0.avi is a part of a render of frames 0-11 but longer.avi of one "
         "of frames 0-14."},
        {{a0, a2},
         "frames 4-7 are missing between a0.avi and a2.avi: a part is missing "
         "(chunk 1 of 3?)."},
        {{a0, a1},
         "frames 8-11 are missing after a1.avi: a part is missing (the render runs "
         "to frame 11)."},
        {{a2, a1}, "frames 0-3 are missing before a1.avi"},
        {{halves, a1, a2}, "half.avi (frames 0-5) and a1.avi (frames 4-7) overlap"},
        {{a0, a1, a1, a2}, "a1.avi (frames 4-7) and a1.avi (frames 4-7) overlap"},
        {{a0, a1, plain}, "plain.avi is not a part of a chunked render"},
        {{a0, a1, dir.filePath("a3.avi")},
         "The part " + dir.filePath("a3.avi") + " does not exist."},
        {{a0, a1, a2, "-o", dir.filePath("out.mov")}, "the output must end in .avi or .mp4"},
        {{a0, a1, a2, "-o", a1}, "is one of the parts"},
    };
    QFile existing(out);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("an older video");
    existing.close();
    for (const Refusal& r : joins) {
        const QStringList args = r.args.contains("-o") ? r.args : r.args + QStringList{"-o", out};
        const ProgramRun run = runLumatoy(QStringList{"join"} + args);
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("lumatoy: ")) << run.err.toStdString();
        EXPECT_TRUE(run.err.contains(r.says)) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << run.out.toStdString();
    }
    EXPECT_EQ(fileBytes(out), "an older video");
    EXPECT_FALSE(QFile::exists(dir.filePath("out.mov")));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter("joining").size(), 0);

    // A part whose render stopped early holds fewer frames than its range.
    if (haveFfmpeg()) {
        const QString cut = dir.filePath("cut.avi");
        int code = 0;
        const QString said = runTool(
            "ffmpeg",
            {"-v", "error", "-i", a1, "-map_metadata", "0", "-c", "copy", "-frames:v", "2", cut},
            &code);
        ASSERT_EQ(code, 0) << said.toStdString();
        const ProgramRun run = runLumatoy({"join", a0, cut, a2, "-o", out});
        EXPECT_NE(run.exitCode, 0);
        EXPECT_TRUE(run.err.contains("cut.avi holds 2 frames but its frames 4-7 are 4: its "
                                     "render did not finish."))
            << run.err.toStdString();
        EXPECT_EQ(fileBytes(out), "an older video");
    }

    // The same parts in order replace the older file.
    const ProgramRun ok = runLumatoy({"join", a0, a1, a2, "-o", out});
    ASSERT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(decodeVideo(out, false).frameCount, 12);
}
