// Helper for tests: writing sound files to feed the soundtrack code (16-bit PCM WAV).
#pragma once

#include <QFile>
#include <QString>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <vector>

// Writes `seconds` of `channels`-channel 16-bit WAV at `rate`, sample i of every channel being
// sample(i / rate) (clamped to -1 ... 1).
inline bool writeWav(const QString& path, int rate, int channels, double seconds,
                     const std::function<double(double t)>& sample) {
    const auto frames = static_cast<std::uint32_t>(std::lround(seconds * rate));
    std::vector<std::int16_t> data(std::size_t(frames) * channels);
    for (std::uint32_t i = 0; i < frames; ++i) {
        const double v = std::clamp(sample(double(i) / rate), -1.0, 1.0);
        for (int c = 0; c < channels; ++c)
            data[std::size_t(i) * channels + c] = static_cast<std::int16_t>(std::lround(v * 32767));
    }
    QByteArray bytes;
    auto u32 = [&](std::uint32_t v) { bytes.append(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](std::uint16_t v) { bytes.append(reinterpret_cast<const char*>(&v), 2); };
    const std::uint32_t dataBytes = frames * channels * 2;
    bytes.append("RIFF");
    u32(36 + dataBytes);
    bytes.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(std::uint16_t(channels));
    u32(std::uint32_t(rate));
    u32(std::uint32_t(rate * channels * 2));
    u16(std::uint16_t(channels * 2));
    u16(16);
    bytes.append("data");
    u32(dataBytes);
    bytes.append(reinterpret_cast<const char*>(data.data()), qsizetype(dataBytes));
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A sine tone of `hz` at `level` while `on(t)`, silence otherwise.
inline std::function<double(double)> toneWhile(std::function<bool(double)> on, double hz = 440,
                                               double level = 0.5) {
    return [=](double t) { return on(t) ? level * std::sin(2 * std::numbers::pi * hz * t) : 0.0; };
}
