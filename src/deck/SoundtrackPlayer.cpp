// The soundtrack's sound: a QIODevice that decodes on demand feeds a QAudioSink.
#include "deck/SoundtrackPlayer.h"

#include "audio/AudioDecoder.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QIODevice>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

// The decoded soundtrack as a byte stream of the output's format (float or 16-bit stereo).
class SoundtrackStream : public QIODevice {
  public:
    SoundtrackStream(bool asFloat) : asFloat_(asFloat) {}
    bool start(const QString& path, std::int64_t firstSample, QString* error) {
        if (!decoder_.open(path, error)) return false;
        decoder_.skip(firstSample);
        return open(QIODevice::ReadOnly);
    }
    bool isSequential() const override { return true; }

  protected:
    qint64 readData(char* data, qint64 maxSize) override {
        const int bytesPerSample = (asFloat_ ? 4 : 2) * kSoundtrackChannels;
        const int wanted = int(std::min<qint64>(maxSize / bytesPerSample, 4800));
        if (wanted <= 0) return 0;
        block_.clear();
        const int got = decoder_.read(block_, wanted);
        if (got <= 0) {
            // After the end: silence, so that the output keeps its clock running.
            std::memset(data, 0, std::size_t(wanted) * bytesPerSample);
            return qint64(wanted) * bytesPerSample;
        }
        if (asFloat_) {
            std::memcpy(data, block_.data(), std::size_t(got) * bytesPerSample);
        } else {
            auto* out = reinterpret_cast<std::int16_t*>(data);
            for (std::size_t i = 0; i < std::size_t(got) * kSoundtrackChannels; ++i)
                out[i] = std::int16_t(std::lround(std::clamp(block_[i], -1.0f, 1.0f) * 32767));
        }
        return qint64(got) * bytesPerSample;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

  private:
    bool asFloat_;
    AudioDecoder decoder_;
    std::vector<float> block_;
};

SoundtrackPlayer::SoundtrackPlayer(QObject* parent) : QObject(parent) {}

SoundtrackPlayer::~SoundtrackPlayer() {
    stop();
}

bool SoundtrackPlayer::play(const QString& path, int frame, int framesPerSecond) {
    stop();
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        why_ = tr("There is no sound output: the soundtrack is not heard.");
        return false;
    }
    QAudioFormat format;
    format.setSampleRate(kSoundtrackRate);
    format.setChannelCount(kSoundtrackChannels);
    format.setSampleFormat(QAudioFormat::Float);
    if (!device.isFormatSupported(format)) format.setSampleFormat(QAudioFormat::Int16);
    auto stream = std::make_unique<SoundtrackStream>(format.sampleFormat() == QAudioFormat::Float);
    if (!stream->start(path, firstSampleOfFrame(frame, framesPerSecond), &why_)) return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    stream_ = std::move(stream);
    startFrame_ = frame;
    framesPerSecond_ = framesPerSecond;
    sink_->start(stream_.get());
    if (sink_->error() != QAudio::NoError) {
        why_ = tr("The sound output refused the soundtrack.");
        stop();
        return false;
    }
    why_.clear();
    return true;
}

void SoundtrackPlayer::stop() {
    if (sink_) sink_->stop();
    sink_.reset();
    stream_.reset();
}

bool SoundtrackPlayer::isPlaying() const {
    return sink_ && sink_->state() == QAudio::ActiveState;
}

int SoundtrackPlayer::soundFrame() const {
    if (!sink_) return startFrame_;
    return startFrame_ + int(sink_->processedUSecs() * framesPerSecond_ / 1000000);
}
