// The soundtrack's decoding, its peak envelope per timeline frame, its beats, and the refusals
// of files that hold no usable sound.
#include "audio/AudioDecoder.h"
#include "audio/BeatDetector.h"
#include "audio/Envelope.h"
#include "audio/EnvelopeWorker.h"
#include "export/AviWriter.h"
#include "support/TempDir.h"
#include "support/WavFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <thread>

namespace {

// Frames of `fps` whose peak is at least `level`.
std::vector<int> loudFrames(const std::vector<float>& peaks, float level = 0.2f) {
    std::vector<int> frames;
    for (std::size_t i = 0; i < peaks.size(); ++i)
        if (peaks[i] >= level) frames.push_back(int(i));
    return frames;
}

std::vector<int> range(int first, int last) {
    std::vector<int> r;
    for (int i = first; i <= last; ++i)
        r.push_back(i);
    return r;
}

TEST(SoundtrackEnvelope, ToneBurstsLandOnTheirFrames) {
    QTemporaryDir dir;
    // At 25 frames per second a frame is 40 ms: bursts over frames 10-12 and 40-41.
    const QString wav = dir.filePath("bursts.wav");
    ASSERT_TRUE(writeWav(wav, 48000, 2, 2.4, toneWhile([](double t) {
                             return (t >= 0.400 && t < 0.520) || (t >= 1.600 && t < 1.680);
                         })));
    SoundtrackAnalysis a;
    QString error;
    ASSERT_TRUE(analyseSoundtrack(wav, 25, a, &error)) << error.toStdString();
    EXPECT_EQ(a.peaks.size(), 60u);
    std::vector<int> expected = range(10, 12);
    for (int f : range(40, 41))
        expected.push_back(f);
    EXPECT_EQ(loudFrames(a.peaks), expected);
    EXPECT_NEAR(a.peaks[11], 0.5, 0.01);
    EXPECT_EQ(a.peaks[9], 0.0f);
    EXPECT_EQ(a.peaks[13], 0.0f);
    EXPECT_NEAR(a.fileSeconds, 2.4, 0.01);
    EXPECT_FALSE(a.cutShort);

    // The same bursts at 30 frames per second: 400 ms is frame 12, 520 ms ends frame 15.
    ASSERT_TRUE(analyseSoundtrack(wav, 30, a, &error));
    EXPECT_EQ(a.peaks.size(), 72u);
    expected = range(12, 15);
    for (int f : range(48, 50))
        expected.push_back(f);
    EXPECT_EQ(loudFrames(a.peaks), expected);
}

TEST(SoundtrackEnvelope, OtherRatesAndMonoAreConvertedFirst) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("mono44.wav");
    ASSERT_TRUE(writeWav(wav, 44100, 1, 2.0,
                         toneWhile([](double t) { return t >= 1.0 && t < 1.2; }, 1000, 0.8)));
    SoundtrackAnalysis a;
    QString error;
    ASSERT_TRUE(analyseSoundtrack(wav, 25, a, &error)) << error.toStdString();
    EXPECT_NEAR(double(a.peaks.size()), 50, 1);
    const std::vector<int> loud = loudFrames(a.peaks);
    EXPECT_EQ(loud, range(25, 29));
    EXPECT_NEAR(a.peaks[27], 0.8, 0.03);
}

TEST(SoundtrackEnvelope, ALongFileIsLookedAtOnlyAsFarAsTheTimelineGoes) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("long.wav");
    ASSERT_TRUE(writeWav(wav, 48000, 2, 8.0, toneWhile([](double) { return true; })));
    SoundtrackAnalysis a;
    QString error;
    ASSERT_TRUE(analyseSoundtrack(wav, 30, a, &error, {}, nullptr, 100));
    EXPECT_EQ(a.peaks.size(), 100u);
    EXPECT_TRUE(a.cutShort);
    EXPECT_NEAR(a.fileSeconds, 8.0, 0.01);
}

TEST(SoundtrackEnvelope, FilesWithoutUsableSoundAreRefusedWithAReason) {
    QTemporaryDir dir;
    SoundtrackAnalysis a;
    a.peaks = {0.5f};
    QString error;

    EXPECT_FALSE(analyseSoundtrack(dir.filePath("missing.wav"), 30, a, &error));
    EXPECT_TRUE(error.contains("does not exist")) << error.toStdString();

    const QString empty = dir.filePath("empty.mp3");
    QFile(empty).open(QIODevice::WriteOnly);
    EXPECT_FALSE(analyseSoundtrack(empty, 30, a, &error));
    EXPECT_TRUE(error.contains("empty")) << error.toStdString();

    const QString junk = dir.filePath("junk.ogg");
    {
        QFile file(junk);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        QByteArray bytes(5000, '\0');
        for (int i = 0; i < bytes.size(); ++i)
            bytes[i] = char((i * 7919 + 13) % 251);
        file.write(bytes);
    }
    EXPECT_FALSE(analyseSoundtrack(junk, 30, a, &error));
    EXPECT_FALSE(error.isEmpty());

    // A WAV header that promises more than the file holds: what is there is read.
    const QString cut = dir.filePath("cut.wav");
    ASSERT_TRUE(writeWav(cut, 48000, 2, 1.0, toneWhile([](double) { return true; })));
    {
        QFile file(cut);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.resize(file.size() / 2);
    }
    SoundtrackAnalysis half;
    ASSERT_TRUE(analyseSoundtrack(cut, 30, half, &error)) << error.toStdString();
    EXPECT_NEAR(double(half.peaks.size()), 15, 1);

    // A silent video: no audio stream.
    const QString video = dir.filePath("silent.avi");
    {
        AviWriter writer;
        writer.setFileName(video);
        writer.askForCompression = false;
        writer.setFormatFromWindow(16, 16);
        ASSERT_EQ(writer.initialise(), 0) << writer.errorText().toStdString();
        std::vector<std::uint8_t> pixels(writer.bitmapInfo.biSizeImage, 90);
        ASSERT_EQ(writer.appendFrame(pixels.data()), 0);
        ASSERT_EQ(writer.release(), 0);
    }
    EXPECT_FALSE(analyseSoundtrack(video, 30, a, &error));
    EXPECT_TRUE(error.contains("has no audio stream")) << error.toStdString();

    EXPECT_EQ(a.peaks, std::vector<float>{0.5f}); // refusals leave the result alone
}

TEST(SoundtrackEnvelope, TheWorkerReportsItsResultAndCanBeCancelled) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("tone.wav");
    ASSERT_TRUE(writeWav(wav, 48000, 2, 30.0, toneWhile([](double) { return true; })));
    {
        EnvelopeWorker worker(wav, 30);
        for (int i = 0; i < 3000 && !worker.finished(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(worker.finished());
        EXPECT_TRUE(worker.succeeded()) << worker.error().toStdString();
        EXPECT_EQ(worker.result().peaks.size(), 900u);
        EXPECT_EQ(worker.progress(), 1.0);
    }
    {
        EnvelopeWorker worker(wav, 30);
        worker.cancel();
        for (int i = 0; i < 3000 && !worker.finished(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(worker.finished());
        EXPECT_FALSE(worker.succeeded());
        EXPECT_TRUE(worker.error().isEmpty());
    }
    {
        EnvelopeWorker worker(dir.filePath("none.wav"), 30);
        for (int i = 0; i < 3000 && !worker.finished(); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_FALSE(worker.succeeded());
        EXPECT_FALSE(worker.error().isEmpty());
    }
}

// A click (a 5 ms burst of noise-like tone) every half second: 120 beats per minute.
std::function<double(double)> clickTrack(double firstClick) {
    return [=](double t) {
        if (t < firstClick) return 0.0;
        const double sinceClick = std::fmod(t - firstClick, 0.5);
        if (sinceClick >= 0.005) return 0.0;
        return 0.9 * std::sin(2 * std::numbers::pi * 2500 * t) * std::exp(-sinceClick * 400);
    };
}

TEST(SoundtrackBeats, ClicksAt120BpmAreFoundWithinOneFrame) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("clicks.wav");
    ASSERT_TRUE(writeWav(wav, 44100, 2, 10.0, clickTrack(0.3)));
    for (int fps : {25, 30}) {
        SCOPED_TRACE(fps);
        SoundtrackAnalysis a;
        QString error;
        ASSERT_TRUE(analyseSoundtrack(wav, fps, a, &error)) << error.toStdString();
        std::vector<double> clicks;
        for (double t = 0.3; t < 10.0; t += 0.5)
            clicks.push_back(t * fps);
        ASSERT_EQ(a.beatFrames.size(), clicks.size());
        for (std::size_t i = 0; i < clicks.size(); ++i)
            EXPECT_LE(std::abs(a.beatFrames[i] - clicks[i]), 1.0) << "beat " << i;
    }
}

TEST(SoundtrackBeats, SteadyToneAndSilenceHaveNoBeats) {
    BeatDetector detector;
    std::vector<float> samples(48000 * 2 * 3);
    for (std::size_t i = 0; i < samples.size() / 2; ++i)
        samples[2 * i] = samples[2 * i + 1] =
            i < 48000 ? 0.0f : 0.4f * float(std::sin(2 * std::numbers::pi * 330 * i / 48000.0));
    detector.feed(samples.data(), int(samples.size() / 2));
    // At most the tone's start, a second in.
    const std::vector<double> onsets = detector.onsetSeconds();
    ASSERT_LE(onsets.size(), 1u);
    if (!onsets.empty()) {
        EXPECT_NEAR(onsets[0], 1.0, 0.03);
    }
}

TEST(SoundtrackSlices, FrameBoundariesFallOnTheSameSamplesWhereverARangeStarts) {
    EXPECT_EQ(firstSampleOfFrame(0, 30), 0);
    EXPECT_EQ(firstSampleOfFrame(1, 30), 1600);
    EXPECT_EQ(firstSampleOfFrame(25, 25), 48000);
    EXPECT_EQ(firstSampleOfFrame(7, 7), 48000);
    EXPECT_EQ(firstSampleOfFrame(1, 7), 6857);
    EXPECT_EQ(firstSampleOfFrame(9999, 1), 9999LL * 48000);
}

TEST(SoundtrackDecoder, ReadsInBlocksAndSkips) {
    QTemporaryDir dir;
    const QString wav = dir.filePath("ramp.wav");
    ASSERT_TRUE(writeWav(wav, 48000, 2, 1.0, [](double t) { return t - 0.5; }));
    AudioDecoder decoder;
    QString error;
    ASSERT_TRUE(decoder.open(wav, &error)) << error.toStdString();
    EXPECT_EQ(decoder.skip(24000), 24000);
    std::vector<float> block;
    ASSERT_EQ(decoder.read(block, 10), 10);
    EXPECT_NEAR(block[0], 0.0, 1e-3);
    EXPECT_EQ(block[0], block[1]);
    std::int64_t rest = 0;
    for (int got; (got = decoder.read(block, 1000)) > 0;)
        rest += got;
    EXPECT_EQ(rest, 24000 - 10);
    EXPECT_EQ(decoder.position(), 48000);
}

} // namespace
