// Copying the encoded frames of one video file into another.
#include "export/VideoJoin.h"

#include "export/AviWriter.h"

#include <QFile>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

namespace {

struct Input {
    AVFormatContext* format = nullptr;
    AVPacket* packet = av_packet_alloc();
    ~Input() {
        av_packet_free(&packet);
        avformat_close_input(&format);
    }
};

} // namespace

int appendVideoFile(AviWriter& writer, const QString& path, int* frames, QString* error) {
    Input in;
    const QByteArray name = QFile::encodeName(path);
    int status = in.packet ? avformat_open_input(&in.format, name.constData(), nullptr, nullptr)
                           : AVERROR(ENOMEM);
    if (status >= 0) status = avformat_find_stream_info(in.format, nullptr);
    const int stream =
        status >= 0 ? av_find_best_stream(in.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0) : -1;
    if (status < 0 || stream < 0) {
        if (error)
            *error = QStringLiteral("Cannot read the video %1: %2")
                         .arg(path, ffmpegErrorText(status < 0 ? status : stream));
        return status < 0 ? status : stream;
    }
    while ((status = av_read_frame(in.format, in.packet)) >= 0) {
        if (in.packet->stream_index == stream) {
            status = writer.appendEncodedFrame(in.packet->data, in.packet->size,
                                               (in.packet->flags & AV_PKT_FLAG_KEY) != 0);
            if (status < 0) {
                av_packet_unref(in.packet);
                if (error) *error = writer.errorText();
                return status;
            }
            if (frames) ++*frames;
        }
        av_packet_unref(in.packet);
    }
    if (status == AVERROR_EOF) return 0;
    if (error)
        *error = QStringLiteral("Cannot read the video %1: %2").arg(path, ffmpegErrorText(status));
    return status;
}
