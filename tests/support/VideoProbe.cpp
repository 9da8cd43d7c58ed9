// Decoding videos with libavformat/libavcodec for checks, and running ffprobe.
#include "support/VideoProbe.h"

#include <QProcess>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <cstdlib>

namespace {
QString reason(int status) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(status, text, sizeof text);
    return QString::fromLatin1(text);
}

QImage toImage(const AVFrame* frame) {
    QImage image(frame->width, frame->height, QImage::Format_RGB888);
    SwsContext* sws =
        sws_getContext(frame->width, frame->height, static_cast<AVPixelFormat>(frame->format),
                       frame->width, frame->height, AV_PIX_FMT_RGB24,
                       SWS_BILINEAR | SWS_ACCURATE_RND, nullptr, nullptr, nullptr);
    uint8_t* dst[1] = {image.bits()};
    const int dstStride[1] = {static_cast<int>(image.bytesPerLine())};
    sws_scale(sws, frame->data, frame->linesize, 0, frame->height, dst, dstStride);
    sws_freeContext(sws);
    return image;
}
} // namespace

DecodedVideo decodeVideo(const QString& path, bool keepFrames) {
    DecodedVideo video;
    AVFormatContext* format = nullptr;
    const QByteArray name = path.toLocal8Bit();
    int status = avformat_open_input(&format, name.constData(), nullptr, nullptr);
    if (status < 0) {
        video.error = "open: " + reason(status);
        return video;
    }
    AVCodecContext* codec = nullptr;
    AVPacket* packet = av_packet_alloc();
    AVFrame* frame = av_frame_alloc();
    auto receive = [&] {
        while ((status = avcodec_receive_frame(codec, frame)) >= 0) {
            ++video.frameCount;
            if (frame->key_frame) ++video.keyFrameCount;
            if (keepFrames) video.frames.push_back(toImage(frame));
        }
        return status == AVERROR(EAGAIN) || status == AVERROR_EOF;
    };
    do {
        if ((status = avformat_find_stream_info(format, nullptr)) < 0) {
            video.error = "stream info: " + reason(status);
            break;
        }
        video.container = QString::fromLatin1(format->iformat->name);
        const AVCodec* decoder = nullptr;
        const int index = av_find_best_stream(format, AVMEDIA_TYPE_VIDEO, -1, -1, &decoder, 0);
        if (index < 0 || !decoder) {
            video.error = "no video stream";
            break;
        }
        AVStream* stream = format->streams[index];
        video.codec = QString::fromLatin1(decoder->name);
        video.width = stream->codecpar->width;
        video.height = stream->codecpar->height;
        video.rateNumerator = stream->avg_frame_rate.num;
        video.rateDenominator = stream->avg_frame_rate.den;
        codec = avcodec_alloc_context3(decoder);
        avcodec_parameters_to_context(codec, stream->codecpar);
        if ((status = avcodec_open2(codec, decoder, nullptr)) < 0) {
            video.error = "decoder: " + reason(status);
            break;
        }
        while ((status = av_read_frame(format, packet)) >= 0) {
            if (packet->stream_index == index) {
                status = avcodec_send_packet(codec, packet);
                if (status < 0 || !receive()) video.error = "decode: " + reason(status);
            }
            av_packet_unref(packet);
            if (!video.error.isEmpty()) break;
        }
        if (video.error.isEmpty()) {
            avcodec_send_packet(codec, nullptr);
            if (!receive()) video.error = "flush: " + reason(status);
        }
    } while (false);
    av_frame_free(&frame);
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    avformat_close_input(&format);
    return video;
}

bool ffprobeAccepts(const QString& path, QString* output) {
    QProcess probe;
    probe.start(QStringLiteral("ffprobe"), {"-v", "error", "-count_frames", "-show_entries",
                                            "stream=nb_read_frames", "-of", "csv=p=0", path});
    if (!probe.waitForFinished(60000)) {
        if (output) *output = QStringLiteral("ffprobe did not finish");
        return false;
    }
    const QString errors = QString::fromLocal8Bit(probe.readAllStandardError()).trimmed();
    if (output) *output = errors;
    return probe.exitStatus() == QProcess::NormalExit && probe.exitCode() == 0 && errors.isEmpty();
}

PixelDifference comparePictures(const QImage& a, const QImage& b) {
    PixelDifference d;
    if (a.size() != b.size() || a.isNull()) return {255, 255.0};
    const QImage x = a.convertToFormat(QImage::Format_RGB888);
    const QImage y = b.convertToFormat(QImage::Format_RGB888);
    double sum = 0;
    for (int row = 0; row < x.height(); ++row) {
        const uchar* p = x.constScanLine(row);
        const uchar* q = y.constScanLine(row);
        for (int i = 0; i < 3 * x.width(); ++i) {
            const int diff = std::abs(int(p[i]) - int(q[i]));
            d.max = std::max(d.max, diff);
            sum += diff;
        }
    }
    d.mean = sum / (3.0 * x.width() * x.height());
    return d;
}
