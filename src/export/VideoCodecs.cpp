// The encoder table of the export and the per-encoder settings.
#include "export/VideoCodecs.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/opt.h>
#include <libavutil/pixdesc.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
enum class QualityKind { None, QScale, Crf };

struct EncoderEntry {
    const char* encoder;
    const char* label;
    QualityKind quality;
    bool lossless;
    bool intraOnly;
};

// The order in which the dialog lists them; the first one a container takes is not the default
// (see defaultVideoCompression).
const EncoderEntry kEncoders[] = {
    {"mjpeg", "Motion JPEG", QualityKind::QScale, false, true},
    {"ffv1", "FFV1 lossless", QualityKind::None, true, true},
    {"huffyuv", "HuffYUV lossless", QualityKind::None, true, true},
    {"utvideo", "Ut Video lossless", QualityKind::None, true, true},
    {"libx264", "H.264 (x264)", QualityKind::Crf, false, false},
    {"mpeg4", "MPEG-4 Part 2", QualityKind::QScale, false, false},
    {"libxvid", "Xvid MPEG-4", QualityKind::QScale, false, false},
    {"msmpeg4", "Microsoft MPEG-4 v3", QualityKind::QScale, false, false},
    {"rawvideo", "Uncompressed", QualityKind::None, true, true},
};

const EncoderEntry* entryFor(const char* encoder) {
    for (const EncoderEntry& e : kEncoders)
        if (std::strcmp(e.encoder, encoder) == 0) return &e;
    return nullptr;
}

bool supportsFormat(const AVCodec* codec, AVPixelFormat format) {
    if (!codec->pix_fmts) return false;
    for (const AVPixelFormat* f = codec->pix_fmts; *f != AV_PIX_FMT_NONE; ++f)
        if (*f == format) return true;
    return false;
}

AVPixelFormat choosePixelFormat(const AVCodec* codec, const EncoderEntry* entry) {
    if (!codec->pix_fmts) return AV_PIX_FMT_BGR24; // rawvideo takes anything: store the input
    if (!entry || !entry->lossless) {
        // Lossy codecs: 4:2:0 is what players expect and what keeps encoding fast.
        for (AVPixelFormat f : {AV_PIX_FMT_YUVJ420P, AV_PIX_FMT_YUV420P})
            if (supportsFormat(codec, f)) return f;
    }
    // Lossless codecs (and anything else): the format that loses least from 24-bit BGR.
    return avcodec_find_best_pix_fmt_of_list(codec->pix_fmts, AV_PIX_FMT_BGR24, 0, nullptr);
}
} // namespace

QString containerForFile(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".mp4"), Qt::CaseInsensitive) ? QStringLiteral("mp4")
                                                                         : QStringLiteral("avi");
}

QList<VideoCodecChoice> availableVideoCodecs(const QString& container) {
    QList<VideoCodecChoice> codecs;
    const AVOutputFormat* format =
        av_guess_format(container.toUtf8().constData(), nullptr, nullptr);
    if (!format) return codecs;
    for (const EncoderEntry& e : kEncoders) {
        const AVCodec* codec = avcodec_find_encoder_by_name(e.encoder);
        if (!codec || codec->type != AVMEDIA_TYPE_VIDEO) continue;
        if (avformat_query_codec(format, codec->id, FF_COMPLIANCE_NORMAL) != 1) continue;
        codecs.push_back({QString::fromLatin1(e.encoder), QString::fromLatin1(e.label),
                          e.quality != QualityKind::None});
    }
    return codecs;
}

VideoCompression defaultVideoCompression(const QString& container) {
    const QList<VideoCodecChoice> codecs = availableVideoCodecs(container);
    const char* preferred[] = {"mjpeg", "libx264", "mpeg4"};
    if (container == QLatin1String("mp4")) {
        preferred[0] = "libx264";
        preferred[1] = "mpeg4";
    }
    for (const char* name : preferred)
        if (findVideoCodec(codecs, QString::fromLatin1(name))) return {QString::fromLatin1(name)};
    return {codecs.isEmpty() ? QString() : codecs.front().encoder};
}

const VideoCodecChoice* findVideoCodec(const QList<VideoCodecChoice>& codecs, const QString& name) {
    for (const VideoCodecChoice& c : codecs)
        if (c.encoder.compare(name, Qt::CaseInsensitive) == 0 ||
            c.label.compare(name, Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

bool isIntraOnlyEncoder(const QString& encoder) {
    const EncoderEntry* e = entryFor(encoder.toLatin1().constData());
    return e && e->intraOnly;
}

void configureEncoder(AVCodecContext* context, const AVCodec* codec, int quality) {
    const EncoderEntry* entry = entryFor(codec->name);
    context->pix_fmt = choosePixelFormat(codec, entry);
    quality = std::clamp(quality, 1, 100);
    if (!entry) return;
    switch (entry->quality) {
    case QualityKind::QScale: {
        // 100 gives quantiser 1 (best), 1 gives 31 (smallest).
        const int q = static_cast<int>(std::lround(1 + (100 - quality) * 30 / 99.0));
        context->flags |= AV_CODEC_FLAG_QSCALE;
        context->global_quality = FF_QP2LAMBDA * q;
        context->qmin = 1;
        context->qmax = 31;
        break;
    }
    case QualityKind::Crf: {
        // 100 gives CRF 12, the default 85 gives the customary 18, low settings reach 51.
        const double crf = std::min(51.0, 12 + (100 - quality) * 0.4);
        av_opt_set_double(context->priv_data, "crf", crf, 0);
        av_opt_set(context->priv_data, "preset", "veryfast", 0);
        break;
    }
    case QualityKind::None:
        break;
    }
    // Frames of intra codecs stand alone (FFV1 would otherwise carry its coder state from frame
    // to frame); inter codecs get a key frame every 12 frames for seeking.
    context->gop_size = entry->intraOnly ? 1 : 12;
}
