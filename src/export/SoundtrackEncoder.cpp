// Encoding the soundtrack's slice into the video file's audio stream.
#include "export/SoundtrackEncoder.h"

#include "audio/AudioDecoder.h"
#include "export/VideoCodecs.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

QString soundtrackCodecFor(const QString& container) {
    return container == QLatin1String("mp4") ? QStringLiteral("aac") : QStringLiteral("pcm_s16le");
}

struct SoundtrackEncoder::State {
    AVFormatContext* format = nullptr; // not owned
    AVStream* stream = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = av_frame_alloc();
    AVPacket* packet = av_packet_alloc();
    AudioDecoder decoder;
    bool decoderEnded = false;
    int framesPerSecond = 30;
    int firstFrame = 0;
    std::int64_t written = 0;   // samples handed to the encoder
    std::vector<float> waiting; // interleaved samples short of a whole encoder frame
    int frameSize = 0;          // samples per encoder frame; 0: any
    ~State() {
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
    }
};

SoundtrackEncoder::SoundtrackEncoder() = default;
SoundtrackEncoder::~SoundtrackEncoder() = default;

int SoundtrackEncoder::open(AVFormatContext* format, const SoundtrackSlice& slice,
                            int framesPerSecond, QString* error) {
    auto s = std::make_unique<State>();
    if (!s->frame || !s->packet) return AVERROR(ENOMEM);
    if (!s->decoder.open(slice.path, error)) return AVERROR_INVALIDDATA;
    s->format = format;
    s->framesPerSecond = framesPerSecond;
    s->firstFrame = slice.firstFrame;

    const QString container = QString::fromLatin1(format->oformat->name).contains("mp4")
                                  ? QStringLiteral("mp4")
                                  : QStringLiteral("avi");
    const QByteArray codecName = soundtrackCodecFor(container).toLatin1();
    const AVCodec* codec = avcodec_find_encoder_by_name(codecName.constData());
    auto fail = [&](int status, const QString& text) {
        if (error) *error = text;
        return status;
    };
    if (!codec)
        return fail(AVERROR_ENCODER_NOT_FOUND,
                    QStringLiteral("The %1 audio encoder is missing.").arg(QString(codecName)));
    s->stream = avformat_new_stream(format, nullptr);
    s->codec = avcodec_alloc_context3(codec);
    if (!s->stream || !s->codec) return fail(AVERROR(ENOMEM), QStringLiteral("Out of memory."));
    AVCodecContext* c = s->codec;
    c->sample_rate = kSoundtrackRate;
    av_channel_layout_default(&c->ch_layout, kSoundtrackChannels);
    c->sample_fmt = codec->id == AV_CODEC_ID_AAC ? AV_SAMPLE_FMT_FLTP : AV_SAMPLE_FMT_S16;
    c->time_base = {1, kSoundtrackRate};
    if (codec->id == AV_CODEC_ID_AAC) c->bit_rate = 192000;
    if (format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int status = avcodec_open2(c, codec, nullptr);
    if (status >= 0) status = avcodec_parameters_from_context(s->stream->codecpar, c);
    if (status < 0)
        return fail(
            status,
            QStringLiteral("The soundtrack's encoder cannot start (%1).").arg(QString(codecName)));
    s->stream->time_base = c->time_base;
    s->frameSize = (codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE) ? 0 : c->frame_size;

    // The slice starts where the video's first frame sits on the timeline.
    const std::int64_t skip = firstSampleOfFrame(slice.firstFrame, framesPerSecond);
    if (s->decoder.skip(skip) < skip) s->decoderEnded = true;
    state_ = std::move(s);
    return 0;
}

int SoundtrackEncoder::writeUntil(int videoFrames) {
    if (!state_) return 0;
    State& s = *state_;
    const std::int64_t target = firstSampleOfFrame(s.firstFrame + videoFrames, s.framesPerSecond) -
                                firstSampleOfFrame(s.firstFrame, s.framesPerSecond);
    std::vector<float> block;
    while (s.written + static_cast<std::int64_t>(s.waiting.size() / kSoundtrackChannels) < target) {
        const std::int64_t have =
            s.written + static_cast<std::int64_t>(s.waiting.size() / kSoundtrackChannels);
        const int want = static_cast<int>(std::min<std::int64_t>(target - have, 4800));
        block.clear();
        int got = s.decoderEnded ? 0 : s.decoder.read(block, want);
        if (got <= 0) {
            // The soundtrack ended (or broke off): silence to the end of the video.
            s.decoderEnded = true;
            block.assign(static_cast<std::size_t>(want) * kSoundtrackChannels, 0.0f);
            got = want;
        }
        const int status = encodeSamples(block.data(), got);
        if (status < 0) return status;
    }
    return 0;
}

int SoundtrackEncoder::encodeSamples(const float* interleaved, int samples) {
    State& s = *state_;
    s.waiting.insert(s.waiting.end(), interleaved,
                     interleaved + std::size_t(samples) * kSoundtrackChannels);
    if (s.frameSize == 0) return sendFrame(false);
    while (s.waiting.size() >= std::size_t(s.frameSize) * kSoundtrackChannels) {
        const int status = sendFrame(false);
        if (status < 0) return status;
    }
    return 0;
}

// Hands the encoder one frame from `waiting` (all of it when the encoder takes any size, or at
// the end; else one encoder frame).
int SoundtrackEncoder::sendFrame(bool flush) {
    State& s = *state_;
    const int available = static_cast<int>(s.waiting.size() / kSoundtrackChannels);
    const int samples = s.frameSize == 0 || flush ? available : std::min(available, s.frameSize);
    if (samples <= 0) return 0;
    AVFrame* f = s.frame;
    av_frame_unref(f);
    f->nb_samples = samples;
    f->format = s.codec->sample_fmt;
    f->sample_rate = kSoundtrackRate;
    int status = av_channel_layout_copy(&f->ch_layout, &s.codec->ch_layout);
    if (status >= 0) status = av_frame_get_buffer(f, 0);
    if (status < 0) return status;
    const float* in = s.waiting.data();
    if (s.codec->sample_fmt == AV_SAMPLE_FMT_FLTP) {
        for (int c = 0; c < kSoundtrackChannels; ++c) {
            auto* plane = reinterpret_cast<float*>(f->extended_data[c]);
            for (int i = 0; i < samples; ++i)
                plane[i] = in[i * kSoundtrackChannels + c];
        }
    } else {
        auto* out = reinterpret_cast<std::int16_t*>(f->data[0]);
        for (int i = 0; i < samples * kSoundtrackChannels; ++i)
            out[i] =
                static_cast<std::int16_t>(std::lround(std::clamp(in[i], -1.0f, 1.0f) * 32767.0f));
    }
    s.waiting.erase(s.waiting.begin(),
                    s.waiting.begin() + std::ptrdiff_t(samples) * kSoundtrackChannels);
    f->pts = s.written;
    s.written += samples;
    status = avcodec_send_frame(s.codec, f);
    if (status < 0) return status;
    return drain();
}

int SoundtrackEncoder::drain() {
    State& s = *state_;
    for (;;) {
        int status = avcodec_receive_packet(s.codec, s.packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) return 0;
        if (status < 0) return status;
        av_packet_rescale_ts(s.packet, s.codec->time_base, s.stream->time_base);
        s.packet->stream_index = s.stream->index;
        status = av_interleaved_write_frame(s.format, s.packet);
        if (status < 0) return status;
    }
}

int SoundtrackEncoder::finish(int videoFrames) {
    if (!state_) return 0;
    int status = writeUntil(videoFrames);
    if (status >= 0) status = sendFrame(true);
    if (status >= 0 && avcodec_send_frame(state_->codec, nullptr) >= 0) status = drain();
    state_.reset();
    return status;
}
