// The video writer on libavformat/libavcodec/libswscale, with the error texts users know.
#include "export/AviWriter.h"

#include "export/VideoCodecs.h"
#include "platform/WholeFile.h"

#include <QFile>
#include <QFileInfo>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avutil.h>
#include <libswscale/swscale.h>
}

#include <cerrno>
#include <cstring>

namespace {
const char* const kUnableText = "Unable to Export Video In this Format";
const char* const kVersionText =
    "Version of Video for Windows too old. Come on, join the 21th century!";
const char* const kOpenText = "AVI Engine failed to initialize. Check filename %1.";
const char* const kStreamText = "AVI Stream creation failed. Check Bitmap info.";
const char* const kCompressorText = "AVI Compressed Stream creation failed.";
const char* const kFormatText = "AVI Compressed Stream format setting failed.";

// Why the file could not be opened, in the words the program has always used.
QString openFailureReason(int status) {
    switch (status) {
    case AVERROR(ENOMEM):
        return QStringLiteral("The file could not be opened because of insufficient memory.");
    case AVERROR(ENOENT):
    case AVERROR(EACCES):
    case AVERROR(EPERM):
    case AVERROR(EROFS):
    case AVERROR(EISDIR):
    case AVERROR(ENOTDIR):
    case AVERROR(ENOSPC):
    case AVERROR(EIO):
        return QStringLiteral("A disk error occurred while opening the file.");
    case AVERROR_MUXER_NOT_FOUND:
        return QStringLiteral("According to the registry, the type of file specified in "
                              "AVIFileOpen does not have a handler to process it");
    default:
        return ffmpegErrorText(status); // better than saying nothing
    }
}

QString compressorFailureReason(int status) {
    switch (status) {
    case AVERROR_ENCODER_NOT_FOUND:
        return QStringLiteral(" A suitable compressor cannot be found.");
    case AVERROR(ENOMEM):
        return QStringLiteral(" There is not enough memory to complete the operation.");
    default:
        return QStringLiteral("Compression is not supported for this type of data. This error "
                              "might be returned if you try to compress data that is not audio "
                              "or video.");
    }
}
} // namespace

QString ffmpegErrorText(int status) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(status, text, sizeof text);
    return QString::fromLocal8Bit(text);
}

FfmpegVersions runtimeFfmpegVersions() {
    return {AV_VERSION_MAJOR(avformat_version()), AV_VERSION_MAJOR(avcodec_version()),
            AV_VERSION_MAJOR(swscale_version()), AV_VERSION_MAJOR(avutil_version())};
}

FfmpegVersions buildFfmpegVersions() {
    return {LIBAVFORMAT_VERSION_MAJOR, LIBAVCODEC_VERSION_MAJOR, LIBSWSCALE_VERSION_MAJOR,
            LIBAVUTIL_VERSION_MAJOR};
}

bool ffmpegLibrariesCurrent(const FfmpegVersions& runtime, const FfmpegVersions& built) {
    return runtime.format >= built.format && runtime.codec >= built.codec &&
           runtime.scale >= built.scale && runtime.util >= built.util;
}

struct AviWriter::Streams {
    AVFormatContext* format = nullptr;
    AVStream* stream = nullptr;
    AVCodecContext* codec = nullptr;
    AVFrame* frame = nullptr;
    AVPacket* packet = nullptr;
    SwsContext* scaler = nullptr;
    std::unique_ptr<SoundtrackEncoder> audio; // null for a silent video
    int videoPackets = 0;                     // encoded frames in the file
    bool headerWritten = false;

    // Sends what is buffered to the disk; the file's write error, or 0.
    int flushToDisk() {
        if (!format->pb) return 0;
        avio_flush(format->pb);
        return format->pb->error < 0 ? format->pb->error : 0;
    }

    ~Streams() {
        sws_freeContext(scaler);
        av_packet_free(&packet);
        av_frame_free(&frame);
        avcodec_free_context(&codec);
        if (format) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
    }
};

AviWriter::AviWriter() {
    compression = defaultVideoCompression();
}

AviWriter::~AviWriter() {
    release();
}

void AviWriter::ensureAviExtension() {
    if (!fileName_.contains(QLatin1String("avi"))) fileName_ += QLatin1String(".avi");
}

void AviWriter::setFormatFromWindow(int clientWidth, int clientHeight) {
    bitmapInfo = makeBitmapInfo(clientWidth / 4 * 4, clientHeight / 4 * 4);
}

int AviWriter::initialise() {
    release();
    av_log_set_level(AV_LOG_ERROR); // the libraries' chatter is no use to a user
    errorText_ = QString::fromLatin1(kUnableText);
    compressionCancelled = false;

    if (!ffmpegLibrariesCurrent(runtimeFfmpegVersions(), buildFfmpegVersions())) {
        errorText_ = QString::fromLatin1(kVersionText);
        return AVERROR(ENOSYS);
    }

    // The file: a regular one (a link is followed), or a device or FIFO written in place, as one
    // streams a video into another program; a folder or a socket is refused before anything is
    // written.
    const QString refusal = outputRefusal(fileName_);
    if (refusal.contains(QLatin1String("folder")) || refusal.contains(QLatin1String("socket"))) {
        errorText_ = QStringLiteral("Cannot write the video to %1: %2.").arg(fileName_, refusal);
        return AVERROR(EINVAL);
    }
    auto s = std::make_unique<Streams>();
    const QString container = containerForFile(fileName_);
    int status = openFile(*s, container);
    if (status < 0) return status;
    // After a failure the file holds nothing.
    auto abandon = [&](int code) {
        s.reset();
        if (QFileInfo(fileName_).isFile()) QFile::remove(fileName_);
        return code;
    };

    // The stream.
    if (bitmapInfo.biWidth <= 0 || bitmapInfo.biHeight <= 0 || bitmapInfo.biBitCount != 24 ||
        frameRate <= 0) {
        errorText_ = QString::fromLatin1(kStreamText);
        return abandon(AVERROR(EINVAL));
    }
    s->stream = avformat_new_stream(s->format, nullptr);
    if (!s->stream) {
        errorText_ = QString::fromLatin1(kStreamText);
        return abandon(AVERROR(ENOMEM));
    }

    // The compressor, as the user chooses it.
    if (!chooseCompression(container)) {
        compressionCancelled = true;
        return abandon(0);
    }
    status = openVideoEncoder(*s);
    if (status < 0) return abandon(status);

    // The sound, when there is one, in a stream of its own.
    if (soundtrack.isSet()) {
        s->audio = std::make_unique<SoundtrackEncoder>();
        QString why;
        status = s->audio->open(s->format, soundtrack, frameRate, &why);
        if (status < 0) {
            errorText_ = why;
            return abandon(status);
        }
    }

    status = writeFileHeader(*s, container);
    if (status < 0) return abandon(status);

    streams_ = std::move(s);
    errorText_ = QString::fromLatin1(kUnableText);
    frameIndex = 0;
    return 0;
}

int AviWriter::openFile(Streams& s, const QString& container) {
    const QByteArray path = QFile::encodeName(fileName_);
    int status = avformat_alloc_output_context2(&s.format, nullptr,
                                                container.toLatin1().constData(), path.constData());
    if (status >= 0) status = avio_open(&s.format->pb, path.constData(), AVIO_FLAG_WRITE);
    if (status < 0)
        errorText_ = QString::fromLatin1(kOpenText).arg(fileName_) + openFailureReason(status);
    return status;
}

bool AviWriter::chooseCompression(const QString& container) {
    const QList<VideoCodecChoice> codecs = availableVideoCodecs(container);
    if (compression.encoder.isEmpty() || !findVideoCodec(codecs, compression.encoder))
        compression.encoder = defaultVideoCompression(container).encoder;
    if (!askForCompression) return true;
    const std::optional<VideoCompression> chosen =
        platform().chooseVideoCompression(codecs, compression);
    if (!chosen) return false;
    compression = *chosen;
    return true;
}

int AviWriter::openVideoEncoder(Streams& s) {
    auto failed = [this](int status) {
        errorText_ = kCompressorText + compressorFailureReason(status);
        return status;
    };
    const AVCodec* codec = avcodec_find_encoder_by_name(compression.encoder.toLatin1().constData());
    if (!codec || codec->type != AVMEDIA_TYPE_VIDEO) return failed(AVERROR_ENCODER_NOT_FOUND);
    s.codec = avcodec_alloc_context3(codec);
    if (!s.codec) return failed(AVERROR(ENOMEM));
    AVCodecContext* c = s.codec;
    const int width = bitmapInfo.biWidth, height = bitmapInfo.biHeight;
    c->width = width;
    c->height = height;
    c->time_base = {1, frameRate};
    c->framerate = {frameRate, 1};
    c->sample_aspect_ratio = {1, 1};
    configureEncoder(c, codec, compression.quality);
    if (s.format->oformat->flags & AVFMT_GLOBALHEADER) c->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int status = avcodec_open2(c, codec, nullptr);
    if (status >= 0) status = avcodec_parameters_from_context(s.stream->codecpar, c);
    if (status < 0) return failed(status);
    s.stream->time_base = c->time_base;
    s.stream->avg_frame_rate = c->framerate;

    s.frame = av_frame_alloc();
    s.packet = av_packet_alloc();
    if (!s.frame || !s.packet) return failed(AVERROR(ENOMEM));
    s.frame->format = c->pix_fmt;
    s.frame->width = width;
    s.frame->height = height;
    status = av_frame_get_buffer(s.frame, 0);
    if (status < 0) return failed(status);
    s.scaler = sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, c->pix_fmt,
                              SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    return s.scaler ? 0 : failed(AVERROR(ENOSYS));
}

// The format goes into the file header.
// An MP4 is written in fragments, each complete in itself, so that a render killed or stopped by
// a full disk leaves a file that plays up to its last whole fragment; the index written at the
// end keeps its duration right. The header waits for the first fragment (delay_moov) so that it
// can hold the edit lists that hide the encoders' start delays (H.264's reordering, AAC's
// priming): the sound then lasts as long as the pictures.
int AviWriter::writeFileHeader(Streams& s, const QString& container) {
    if (!comment.isEmpty())
        av_dict_set(&s.format->metadata, "comment", comment.toUtf8().constData(), 0);
    AVDictionary* options = nullptr;
    if (container == QLatin1String("mp4")) {
        av_dict_set(&options, "movflags", "frag_keyframe+delay_moov+default_base_moof", 0);
        av_dict_set(&options, "frag_duration", "500000", 0); // microseconds
    }
    const int status = avformat_write_header(s.format, &options);
    av_dict_free(&options);
    if (status < 0 && s.format->pb && s.format->pb->error < 0)
        errorText_ = QStringLiteral("Cannot write the video to %1: %2.")
                         .arg(fileName_, ffmpegErrorText(s.format->pb->error));
    else if (status < 0)
        errorText_ = QString::fromLatin1(kFormatText) + QLatin1Char(' ') + ffmpegErrorText(status) +
                     QLatin1Char('.');
    else
        s.headerWritten = true;
    return status;
}

int AviWriter::appendFrame(const std::uint8_t* pixels) {
    const int index = frameIndex++;
    if (!streams_ || !pixels) return AVERROR(EINVAL);
    Streams& s = *streams_;
    int status = av_frame_make_writable(s.frame);
    if (status < 0) return status;

    // Rows arrive bottom-up: start at the last row and walk backwards.
    const int height = bitmapInfo.biHeight;
    const int stride = static_cast<int>(bitmapRowBytes(bitmapInfo.biWidth));
    const std::uint8_t* const source[1] = {pixels +
                                           static_cast<std::ptrdiff_t>(height - 1) * stride};
    const int sourceStride[1] = {-stride};
    sws_scale(s.scaler, source, sourceStride, 0, height, s.frame->data, s.frame->linesize);

    s.frame->pts = index;
    // Fixed-quantiser encoders (Motion JPEG, MPEG-4) take the quantiser from each frame; without
    // it they fall back to their finest one and the quality setting does nothing.
    s.frame->quality = s.codec->global_quality;
    status = avcodec_send_frame(s.codec, s.frame);
    if (status < 0) return status;
    return drainPackets();
}

int AviWriter::appendEncodedFrame(const std::uint8_t* data, int size, bool keyFrame) {
    const int index = frameIndex++;
    if (!streams_ || !data || size <= 0) return AVERROR(EINVAL);
    Streams& s = *streams_;
    AVPacket* packet = s.packet;
    int status = av_new_packet(packet, size);
    if (status < 0) return status;
    std::memcpy(packet->data, data, static_cast<std::size_t>(size));
    // What the encoder gives a frame of its own: its index as time, one frame long.
    packet->pts = packet->dts = index;
    packet->duration = 1;
    if (keyFrame) packet->flags |= AV_PKT_FLAG_KEY;
    av_packet_rescale_ts(packet, s.codec->time_base, s.stream->time_base);
    packet->stream_index = s.stream->index;
    status = av_interleaved_write_frame(s.format, packet);
    av_packet_unref(packet);
    if (status < 0) return status;
    ++s.videoPackets;
    if (s.audio && (status = s.audio->writeUntil(s.videoPackets)) < 0) return status;
    return s.flushToDisk();
}

int AviWriter::drainPackets() {
    Streams& s = *streams_;
    for (;;) {
        int status = avcodec_receive_packet(s.codec, s.packet);
        if (status == AVERROR(EAGAIN) || status == AVERROR_EOF) break;
        if (status < 0) return status;
        av_packet_rescale_ts(s.packet, s.codec->time_base, s.stream->time_base);
        s.packet->stream_index = s.stream->index;
        status = av_interleaved_write_frame(s.format, s.packet); // takes the packet's data
        if (status < 0) return status;
        ++s.videoPackets;
        if (s.audio && (status = s.audio->writeUntil(s.videoPackets)) < 0) return status;
    }
    // Each frame goes to the disk as it is written, so that a full disk fails the frame that
    // did not fit rather than one many frames later, when the output buffer happens to fill.
    return s.flushToDisk();
}

int AviWriter::closeStreams(bool finalise) {
    if (!streams_) return 0;
    Streams& s = *streams_;
    int status = 0;
    if (finalise && s.headerWritten) {
        // Frames still inside the encoder, then the index, then what is still buffered: a disk
        // that fills up now fails the export as surely as one that filled up during it.
        if (avcodec_send_frame(s.codec, nullptr) >= 0) status = drainPackets();
        // The sound runs exactly as long as the frames in the file.
        if (s.audio) {
            const int audio = s.audio->finish(s.videoPackets);
            if (status >= 0) status = audio;
        }
        const int trailer = av_write_trailer(s.format);
        if (status >= 0) status = trailer;
        if (s.format->pb) {
            avio_flush(s.format->pb);
            if (status >= 0 && s.format->pb->error < 0) status = s.format->pb->error;
        }
    }
    streams_.reset();
    return status < 0 ? status : 0;
}

int AviWriter::release() {
    return closeStreams(true);
}
