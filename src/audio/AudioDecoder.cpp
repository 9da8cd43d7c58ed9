// The soundtrack decoder on libavformat/libavcodec/libswresample.
#include "audio/AudioDecoder.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

#include <algorithm>

namespace {
QString ffmpegWords(int status) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(status, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

// Corrupt packets in a row after which the file is taken as unreadable rather than damaged.
constexpr int kMaxBadPacketsInARow = 200;
} // namespace

std::int64_t firstSampleOfFrame(std::int64_t frame, int framesPerSecond) {
    return framesPerSecond > 0 ? frame * kSoundtrackRate / framesPerSecond : 0;
}

struct AudioDecoder::State {
    AVFormatContext* format = nullptr;
    AVCodecContext* codec = nullptr;
    SwrContext* resampler = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    int stream = -1;
    bool inputDone = false;   // no more packets
    bool decoderDone = false; // decoder drained
    bool resamplerDone = false;
    int badPackets = 0;
    ~State() {
        swr_free(&resampler);
        av_frame_free(&frame);
        av_packet_free(&packet);
        avcodec_free_context(&codec);
        avformat_close_input(&format);
    }
};

AudioDecoder::AudioDecoder() = default;
AudioDecoder::~AudioDecoder() = default;

bool AudioDecoder::isOpen() const {
    return static_cast<bool>(state_);
}

bool AudioDecoder::open(const QString& path, QString* error) {
    state_.reset();
    pending_.clear();
    pendingStart_ = 0;
    position_ = 0;
    path_ = path;
    auto refuse = [&](const QString& text) {
        state_.reset();
        error_ = text;
        if (error) *error = text;
        return false;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("The soundtrack %1 does not exist.").arg(path));
    if (!info.isFile() || !info.isReadable())
        return refuse(QStringLiteral("The soundtrack %1 cannot be read.").arg(path));
    if (info.size() == 0)
        return refuse(QStringLiteral("The soundtrack %1 is empty (0 bytes).").arg(path));

    av_log_set_level(AV_LOG_QUIET);
    auto s = std::make_unique<State>();
    if (!s->packet || !s->frame) return refuse(QStringLiteral("Out of memory."));
    const QByteArray name = QFile::encodeName(path);
    int status = avformat_open_input(&s->format, name.constData(), nullptr, nullptr);
    if (status >= 0) status = avformat_find_stream_info(s->format, nullptr);
    if (status < 0)
        return refuse(QStringLiteral("%1 is not a sound or video file that can be read (%2).")
                          .arg(path, ffmpegWords(status)));
    for (unsigned i = 0; i < s->format->nb_streams; ++i)
        if (s->format->streams[i]->codecpar->codec_type == AVMEDIA_TYPE_AUDIO) {
            s->stream = static_cast<int>(i);
            break;
        }
    if (s->stream < 0) return refuse(QStringLiteral("%1 has no audio stream.").arg(path));
    const AVCodecParameters* par = s->format->streams[s->stream]->codecpar;
    const AVCodec* codec = avcodec_find_decoder(par->codec_id);
    if (!codec)
        return refuse(QStringLiteral("The sound of %1 is in a format that cannot be decoded (%2).")
                          .arg(path, QString::fromLatin1(avcodec_get_name(par->codec_id))));
    s->codec = avcodec_alloc_context3(codec);
    status = s->codec ? avcodec_parameters_to_context(s->codec, par) : AVERROR(ENOMEM);
    if (status >= 0) status = avcodec_open2(s->codec, codec, nullptr);
    if (status < 0)
        return refuse(QStringLiteral("The sound of %1 cannot be decoded (%2).")
                          .arg(path, ffmpegWords(status)));
    for (unsigned i = 0; i < s->format->nb_streams; ++i)
        if (static_cast<int>(i) != s->stream) s->format->streams[i]->discard = AVDISCARD_ALL;
    state_ = std::move(s);
    error_.clear();
    return true;
}

double AudioDecoder::durationSeconds() const {
    if (!state_) return 0;
    const AVStream* stream = state_->format->streams[state_->stream];
    if (stream->duration > 0) return stream->duration * av_q2d(stream->time_base);
    if (state_->format->duration > 0) return state_->format->duration / double(AV_TIME_BASE);
    return 0;
}

// Converts one decoded frame (or, with none, what the resampler still holds) into pending_.
static int resampleInto(SwrContext* swr, const AVFrame* frame, std::vector<float>& out) {
    const int inSamples = frame ? frame->nb_samples : 0;
    const int room = swr_get_out_samples(swr, inSamples);
    if (room <= 0) return 0;
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(room) * kSoundtrackChannels);
    auto* target = reinterpret_cast<std::uint8_t*>(out.data() + start);
    const int made = swr_convert(
        swr, &target, room,
        frame ? const_cast<const std::uint8_t**>(frame->extended_data) : nullptr, inSamples);
    out.resize(start + static_cast<std::size_t>(std::max(made, 0)) * kSoundtrackChannels);
    return made;
}

// A converter from the decoded frames' layout, format and rate to stereo floats at the
// soundtrack's rate; null when the frames cannot be converted.
static SwrContext* makeResampler(const AVFrame* frame, const AVCodecContext* codec) {
    SwrContext* resampler = nullptr;
    AVChannelLayout outLayout = AV_CHANNEL_LAYOUT_STEREO;
    AVChannelLayout inLayout{};
    if (frame->ch_layout.nb_channels > 0)
        av_channel_layout_copy(&inLayout, &frame->ch_layout);
    else
        av_channel_layout_default(&inLayout, std::max(1, codec->ch_layout.nb_channels));
    const int made = swr_alloc_set_opts2(&resampler, &outLayout, AV_SAMPLE_FMT_FLT, kSoundtrackRate,
                                         &inLayout, static_cast<AVSampleFormat>(frame->format),
                                         frame->sample_rate, 0, nullptr);
    // Mono goes to both sides at its own level, not 3 dB down as a centre speaker.
    static const double kMonoToBothSides[2] = {1.0, 1.0};
    if (made >= 0 && inLayout.nb_channels == 1) swr_set_matrix(resampler, kMonoToBothSides, 1);
    av_channel_layout_uninit(&inLayout);
    if (made >= 0 && swr_init(resampler) >= 0) return resampler;
    swr_free(&resampler);
    return nullptr;
}

bool AudioDecoder::decodeMore() {
    State& s = *state_;
    for (;;) {
        int status = avcodec_receive_frame(s.codec, s.frame);
        if (status >= 0) {
            if (!s.resampler) s.resampler = makeResampler(s.frame, s.codec);
            if (!s.resampler) {
                av_frame_unref(s.frame);
                error_ = QStringLiteral("The sound of %1 cannot be converted.").arg(path_);
                return false;
            }
            const int made = resampleInto(s.resampler, s.frame, pending_);
            av_frame_unref(s.frame);
            if (made < 0) {
                error_ = QStringLiteral("The sound of %1 cannot be converted.").arg(path_);
                return false;
            }
            if (made > 0) return true;
            continue;
        }
        if (status == AVERROR_EOF) {
            s.decoderDone = true;
            if (s.resampler && !s.resamplerDone) {
                s.resamplerDone = true;
                if (resampleInto(s.resampler, nullptr, pending_) > 0) return true;
            }
            return false;
        }
        if (status != AVERROR(EAGAIN)) {
            // A broken frame: the decoder carries on with the next packet.
            if (++s.badPackets > kMaxBadPacketsInARow) {
                error_ = QStringLiteral("The sound of %1 is damaged: %2.")
                             .arg(path_, ffmpegWords(status));
                return false;
            }
        }
        // The decoder wants input.
        if (s.inputDone) {
            avcodec_send_packet(s.codec, nullptr);
            continue;
        }
        status = av_read_frame(s.format, s.packet);
        if (status == AVERROR_EOF) {
            s.inputDone = true;
            avcodec_send_packet(s.codec, nullptr);
            continue;
        }
        if (status < 0) {
            error_ = QStringLiteral("Reading %1 failed: %2.").arg(path_, ffmpegWords(status));
            return false;
        }
        if (s.packet->stream_index == s.stream) {
            status = avcodec_send_packet(s.codec, s.packet);
            if (status < 0 && status != AVERROR(EAGAIN)) {
                if (++s.badPackets > kMaxBadPacketsInARow) {
                    av_packet_unref(s.packet);
                    error_ = QStringLiteral("The sound of %1 is damaged: %2.")
                                 .arg(path_, ffmpegWords(status));
                    return false;
                }
            } else if (status >= 0) {
                s.badPackets = 0;
            }
        }
        av_packet_unref(s.packet);
    }
}

int AudioDecoder::read(std::vector<float>& out, int maxSamples) {
    if (!state_ || maxSamples <= 0) return 0;
    if (pendingStart_ >= pending_.size()) {
        pending_.clear();
        pendingStart_ = 0;
        if (!decodeMore()) return error_.isEmpty() ? 0 : -1;
    }
    const std::size_t available = (pending_.size() - pendingStart_) / kSoundtrackChannels;
    const std::size_t take = std::min<std::size_t>(available, static_cast<std::size_t>(maxSamples));
    out.insert(out.end(), pending_.begin() + static_cast<std::ptrdiff_t>(pendingStart_),
               pending_.begin() +
                   static_cast<std::ptrdiff_t>(pendingStart_ + take * kSoundtrackChannels));
    pendingStart_ += take * kSoundtrackChannels;
    position_ += static_cast<std::int64_t>(take);
    return static_cast<int>(take);
}

std::int64_t AudioDecoder::skip(std::int64_t samples) {
    std::int64_t dropped = 0;
    std::vector<float> scratch;
    while (dropped < samples) {
        scratch.clear();
        const int got =
            read(scratch, static_cast<int>(std::min<std::int64_t>(samples - dropped, 1 << 16)));
        if (got <= 0) break;
        dropped += got;
    }
    return dropped;
}
