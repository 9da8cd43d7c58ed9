// Reading video files back in tests: stream facts, decoded frames, and ffprobe's verdict.
#pragma once

#include <QImage>
#include <QString>
#include <vector>

struct DecodedVideo {
    QString error; // empty when the file was read to the end without trouble
    QString codec; // the decoder's name, e.g. "mjpeg"
    QString container;
    int width = 0, height = 0;
    int rateNumerator = 0, rateDenominator = 1; // the stream's average frame rate
    int frameCount = 0;                         // frames decoded
    int keyFrameCount = 0;
    std::vector<QImage> frames; // every decoded frame (RGB888), when asked for
};

// Demuxes and decodes every frame of the first video stream of `path`.
DecodedVideo decodeVideo(const QString& path, bool keepFrames = true);

// True when ffprobe reads the file (decoding every frame) without a single complaint; `output`
// receives what it printed on failure.
bool ffprobeAccepts(const QString& path, QString* output = nullptr);

// Largest and mean per-channel difference of two equally sized pictures (255 when sizes differ).
struct PixelDifference {
    int max = 0;
    double mean = 0;
};
PixelDifference comparePictures(const QImage& a, const QImage& b);
