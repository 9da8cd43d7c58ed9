// `lumatoy render --audio`: the video carries the soundtrack's slice under its frames, cut or
// padded with silence, as PCM in AVI and AAC in MP4; a frame range takes the matching slice and
// a spread render joins it as a single process writes it.
#include "audio/AudioDecoder.h"
#include "support/ProgramRun.h"
#include "support/VideoProbe.h"
#include "support/WavFile.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>

namespace {

struct StreamFacts {
    QString codec;
    double seconds = -1;
};
struct ProbedStreams {
    StreamFacts video, audio;
    int audioStreams = 0;
};

// What ffprobe says of the file's streams.
ProbedStreams probeStreams(const QString& path) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"),
                {"-v", "error", "-show_entries", "stream=codec_type,codec_name,duration", "-of",
                 "csv=p=0", path});
    probe.waitForFinished(60000);
    ProbedStreams streams;
    for (const QString& line : QString::fromLocal8Bit(probe.readAllStandardOutput()).split('\n')) {
        const QStringList fields = line.trimmed().split(',');
        if (fields.size() < 3) continue;
        StreamFacts facts{fields[0], fields[2].toDouble()};
        if (fields[1] == "video") streams.video = facts;
        if (fields[1] == "audio") {
            streams.audio = facts;
            ++streams.audioStreams;
        }
    }
    // An AVI's header gives no duration for a PCM stream (ffprobe says N/A, as for the files
    // FFmpeg itself writes): its packets do.
    if (streams.audioStreams > 0 && !(streams.audio.seconds > 0)) {
        QProcess packets;
        packets.start(QStringLiteral("ffprobe"),
                      {"-v", "error", "-select_streams", "a", "-show_entries",
                       "packet=pts_time,duration_time", "-of", "csv=p=0", path});
        packets.waitForFinished(60000);
        for (const QString& line :
             QString::fromLocal8Bit(packets.readAllStandardOutput()).split('\n')) {
            const QStringList fields = line.trimmed().split(',');
            if (fields.size() >= 2)
                streams.audio.seconds =
                    std::max(streams.audio.seconds, fields[0].toDouble() + fields[1].toDouble());
        }
    }
    return streams;
}

// The whole sound of a file in the soundtrack format.
std::vector<float> decodeSound(const QString& path) {
    AudioDecoder decoder;
    std::vector<float> samples;
    if (!decoder.open(path, nullptr)) return samples;
    while (decoder.read(samples, 1 << 16) > 0) {
    }
    return samples;
}

class SoundtrackExport : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        // A 1 kHz tone whose level rises over 3 seconds: every slice differs from the others.
        tone_ = dir_.filePath("rising.wav");
        ASSERT_TRUE(writeWav(tone_, 44100, 2, 3.0, [](double t) {
            return (0.1 + 0.25 * t) * std::sin(2 * 3.141592653589793 * 1000 * t);
        }));
    }
    QString path(const char* name) const { return dir_.filePath(name); }
    ProgramRun render(const QString& out, const QStringList& more) {
        return runLumatoy(QStringList{"render", "-o", out, "--size", "64x48", "--audio", tone_} +
                          more);
    }
    QTemporaryDir dir_;
    QString tone_;
};

TEST_F(SoundtrackExport, BothStreamsLastAsLongAsTheFramesInAviAndMp4) {
    // 60 frames at 30 per second are 2 s: the 3 s tone is cut. 120 at 25 are 4.8 s: padded.
    for (const auto& [name, fps, frames, codec] :
         {std::tuple{"cut.avi", "30", "0-59", "pcm_s16le"},
          std::tuple{"padded.avi", "25", "0-119", "pcm_s16le"},
          std::tuple{"cut.mp4", "30", "0-59", "aac"},
          std::tuple{"padded.mp4", "25", "0-119", "aac"}}) {
        SCOPED_TRACE(name);
        const QString out = path(name);
        const ProgramRun run = render(out, {"--fps", fps, "--frames", frames, "--jobs", "1"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        const ProbedStreams s = probeStreams(out);
        EXPECT_EQ(s.audioStreams, 1);
        EXPECT_EQ(s.audio.codec, codec);
        const double frameSeconds = 1.0 / QString(fps).toDouble();
        const double expected = (QString(frames).section('-', 1).toInt() + 1) * frameSeconds;
        EXPECT_NEAR(s.video.seconds, expected, 1e-3);
        EXPECT_NEAR(s.audio.seconds, s.video.seconds, frameSeconds);
        QString complaint;
        EXPECT_TRUE(ffprobeAccepts(out, &complaint)) << complaint.toStdString();
    }
    // The padding is silence, the rest is the tone.
    const std::vector<float> padded = decodeSound(path("padded.avi"));
    ASSERT_EQ(padded.size(), std::size_t(48000 * 4.8 * 2));
    float tail = 0, body = 0;
    for (std::size_t i = 0; i < padded.size(); ++i)
        (i >= std::size_t(48000 * 3.01 * 2) ? tail : body) =
            std::max(i >= std::size_t(48000 * 3.01 * 2) ? tail : body, std::abs(padded[i]));
    EXPECT_EQ(tail, 0.0f);
    EXPECT_GT(body, 0.8f);
}

TEST_F(SoundtrackExport, ARangeTakesTheMatchingSliceOfTheWholeRender) {
    const QString whole = path("whole.avi"), part = path("part.avi");
    ASSERT_EQ(render(whole, {"--frames", "0-59", "--jobs", "1"}).exitCode, 0);
    const ProgramRun run = render(part, {"--frames", "20-44", "--jobs", "1"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<float> all = decodeSound(whole), slice = decodeSound(part);
    ASSERT_EQ(all.size(), 60u * 1600 * 2);
    ASSERT_EQ(slice.size(), 25u * 1600 * 2);
    const std::vector<float> expected(all.begin() + 20 * 1600 * 2, all.begin() + 45 * 1600 * 2);
    EXPECT_TRUE(slice == expected);
}

TEST_F(SoundtrackExport, ASpreadRenderJoinsTheSoundAsASingleProcessWritesIt) {
    for (const char* name : {"one.avi", "one.mp4"}) {
        SCOPED_TRACE(name);
        const QString suffix = QString(name).section('.', 1);
        const QString single = path(name), spread = path(qPrintable("three." + suffix));
        const QStringList args{"--frames", "5-64", "--codec", "mjpeg"};
        ASSERT_EQ(render(single, args + QStringList{"--jobs", "1"}).exitCode, 0);
        const ProgramRun run = render(spread, args + QStringList{"--jobs", "3"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
        QFile a(single), b(spread);
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
        EXPECT_TRUE(a.readAll() == b.readAll());
        EXPECT_EQ(probeStreams(spread).audioStreams, 1);
    }
}

TEST_F(SoundtrackExport, SoundlessOrBrokenSoundtracksStopTheRenderBeforeAnyFile) {
    const QString empty = path("empty.wav");
    QFile(empty).open(QIODevice::WriteOnly);
    const QString out = path("never.avi");
    ProgramRun run = runLumatoy({"render", "-o", out, "--size", "64x48", "--audio", empty});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("empty")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    const QString silentVideo = path("silent.avi");
    ASSERT_EQ(
        runLumatoy({"render", "-o", silentVideo, "--size", "64x48", "--frames", "0-2"}).exitCode,
        0);
    run = runLumatoy({"render", "-o", out, "--size", "64x48", "--audio", silentVideo});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no audio stream")) << run.err.toStdString();
    EXPECT_FALSE(QFile::exists(out));

    run = runLumatoy({"render", "-o", path("one.bmp"), "--size", "64x48", "--audio", tone_});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("--audio")) << run.err.toStdString();

    // The sound of a video file serves as a soundtrack too.
    const QString withSound = path("withsound.avi");
    ASSERT_EQ(render(withSound, {"--frames", "0-29"}).exitCode, 0);
    run = runLumatoy({"render", "-o", path("again.mp4"), "--size", "64x48", "--frames", "0-29",
                      "--audio", withSound});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(probeStreams(path("again.mp4")).audioStreams, 1);
}

} // namespace
