// Part tags and the stream-copy join of the parts of a chunked render.
#include "export/VideoParts.h"

#include "export/AviWriter.h"
#include "export/VideoCodecs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <unistd.h>
#include <vector>

namespace {
const char* const kTagKey = "lumatoy-part";

QJsonArray pair(int a, int b) {
    return QJsonArray{a, b};
}
bool readPair(const QJsonValue& value, int* a, int* b) {
    const QJsonArray array = value.toArray();
    if (array.size() != 2 || !array[0].isDouble() || !array[1].isDouble()) return false;
    *a = array[0].toInt();
    *b = array[1].toInt();
    return true;
}

QString shortName(const QString& path) {
    return QFileInfo(path).fileName();
}

QString rangeText(int first, int last) {
    return first == last ? QStringLiteral("frame %1").arg(first)
                         : QStringLiteral("frames %1-%2").arg(first).arg(last);
}

QString sequenceText(const VideoPartTag& tag) {
    return tag.sequence.isEmpty() ? QStringLiteral("the default look") : tag.sequence;
}

// One part, opened for reading.
struct Part {
    QString path;
    AVFormatContext* format = nullptr;
    VideoPartTag tag;
    int video = -1; // index of its video stream
    ~Part() { avformat_close_input(&format); }
    QString name() const { return shortName(path); }
    const AVCodecParameters* videoParameters() const { return format->streams[video]->codecpar; }
    AVRational rate() const { return format->streams[video]->avg_frame_rate; }
};
using Parts = std::vector<std::unique_ptr<Part>>;

bool openPart(const QString& path, Part& part, QString* error) {
    part.path = path;
    if (!QFileInfo(path).isFile()) {
        *error = QStringLiteral("The part %1 does not exist.").arg(path);
        return false;
    }
    const QByteArray name = QFile::encodeName(path);
    int status = avformat_open_input(&part.format, name.constData(), nullptr, nullptr);
    if (status >= 0) status = avformat_find_stream_info(part.format, nullptr);
    if (status >= 0)
        status = part.video =
            av_find_best_stream(part.format, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (status < 0) {
        *error = QStringLiteral("Cannot read the part %1: %2").arg(path, ffmpegErrorText(status));
        return false;
    }
    const AVDictionaryEntry* comment = av_dict_get(part.format->metadata, "comment", nullptr, 0);
    const auto tag = comment ? decodePartTag(QString::fromUtf8(comment->value)) : std::nullopt;
    if (!tag) {
        *error = QStringLiteral("%1 is not a part of a chunked render (it does not say which "
                                "frames it holds); render parts with --chunks N --chunk K.")
                     .arg(path);
        return false;
    }
    part.tag = *tag;
    return true;
}

// Parts of one render, with one size, rate, codec and the same streams.
bool checkSameRender(const Part& a, const Part& b, QString* error) {
    if (a.tag.identity != b.tag.identity) {
        *error = a.tag.sequence == b.tag.sequence
                     ? QStringLiteral("%1 and %2 are parts of different renders of %3 (the "
                                      "sequence or the render's switches changed between them).")
                           .arg(a.name(), b.name(), sequenceText(a.tag))
                     : QStringLiteral("%1 and %2 are parts of different sequences: %3 and %4.")
                           .arg(a.name(), b.name(), sequenceText(a.tag), sequenceText(b.tag));
        return false;
    }
    if (a.tag.rangeFirst != b.tag.rangeFirst || a.tag.rangeLast != b.tag.rangeLast) {
        *error = QStringLiteral("%1 is a part of a render of %2 but %3 of one of %4.")
                     .arg(a.name(), rangeText(a.tag.rangeFirst, a.tag.rangeLast), b.name(),
                          rangeText(b.tag.rangeFirst, b.tag.rangeLast));
        return false;
    }
    const AVCodecParameters* va = a.videoParameters();
    const AVCodecParameters* vb = b.videoParameters();
    if (va->width != vb->width || va->height != vb->height) {
        *error = QStringLiteral("%1 is %2x%3 but %4 is %5x%6: the parts of a video must have one "
                                "frame size.")
                     .arg(b.name())
                     .arg(vb->width)
                     .arg(vb->height)
                     .arg(a.name())
                     .arg(va->width)
                     .arg(va->height);
        return false;
    }
    if (av_cmp_q(a.rate(), b.rate()) != 0) {
        *error =
            QStringLiteral("%1 runs at %2 frames per second but %3 at %4: the parts of a video "
                           "must have one frame rate.")
                .arg(b.name())
                .arg(av_q2d(b.rate()))
                .arg(a.name())
                .arg(av_q2d(a.rate()));
        return false;
    }
    if (va->codec_id != vb->codec_id || va->format != vb->format ||
        va->extradata_size != vb->extradata_size ||
        (va->extradata_size > 0 &&
         std::memcmp(va->extradata, vb->extradata, static_cast<size_t>(va->extradata_size)) != 0)) {
        *error = QStringLiteral("%1 is encoded with %2 but %3 with %4: the parts of a video must "
                                "have one codec with the same settings.")
                     .arg(b.name(), QString::fromLatin1(avcodec_get_name(vb->codec_id)), a.name(),
                          QString::fromLatin1(avcodec_get_name(va->codec_id)));
        return false;
    }
    bool sameStreams = a.format->nb_streams == b.format->nb_streams;
    for (unsigned i = 0; sameStreams && i < a.format->nb_streams; ++i) {
        const AVCodecParameters* sa = a.format->streams[i]->codecpar;
        const AVCodecParameters* sb = b.format->streams[i]->codecpar;
        sameStreams = sa->codec_type == sb->codec_type && sa->codec_id == sb->codec_id &&
                      sa->sample_rate == sb->sample_rate &&
                      sa->ch_layout.nb_channels == sb->ch_layout.nb_channels;
    }
    if (!sameStreams) {
        *error = QStringLiteral("%1 and %2 hold different streams (%3 and %4 streams, or of "
                                "other kinds or codecs): the parts of a video must hold the same.")
                     .arg(a.name(), b.name())
                     .arg(a.format->nb_streams)
                     .arg(b.format->nb_streams);
        return false;
    }
    return true;
}

// Parts in frame order that cover the whole range once: no gap, no overlap, none missing.
bool checkCoverage(const Parts& parts, QString* error) {
    const VideoPartTag& whole = parts.front()->tag;
    int next = whole.rangeFirst;
    const Part* previous = nullptr;
    for (const auto& part : parts) {
        const VideoPartTag& t = part->tag;
        if (t.first < next && previous) {
            *error = QStringLiteral("%1 (%2) and %3 (%4) overlap: each frame must be in one part.")
                         .arg(previous->name(), rangeText(previous->tag.first, previous->tag.last),
                              part->name(), rangeText(t.first, t.last));
            return false;
        }
        if (t.first > next) {
            *error = previous
                         ? QStringLiteral("%1 are missing between %2 and %3: a part is "
                                          "missing (chunk %4 of %5?).")
                               .arg(rangeText(next, t.first - 1), previous->name(), part->name())
                               .arg(previous->tag.chunk + 1)
                               .arg(previous->tag.chunks)
                         : QStringLiteral("%1 are missing before %2: a part is missing "
                                          "(the render starts at frame %3).")
                               .arg(rangeText(next, t.first - 1), part->name())
                               .arg(whole.rangeFirst);
            return false;
        }
        next = t.last + 1;
        previous = part.get();
    }
    if (next <= whole.rangeLast) {
        *error = QStringLiteral("%1 are missing after %2: a part is missing (the render runs to "
                                "frame %3).")
                     .arg(rangeText(next, whole.rangeLast), previous->name())
                     .arg(whole.rangeLast);
        return false;
    }
    return true;
}

QString unfinishedText(const Part& part, int frames) {
    const int expected = part.tag.last - part.tag.first + 1;
    return QStringLiteral("%1 holds %2 frames but its %3 are %4: its render did not finish.")
        .arg(part.name())
        .arg(frames)
        .arg(rangeText(part.tag.first, part.tag.last))
        .arg(expected);
}

// The output being written under a temporary name beside the target.
struct Output {
    AVFormatContext* format = nullptr;
    QString temporary;
    ~Output() {
        if (format) {
            avio_closep(&format->pb);
            avformat_free_context(format);
        }
        if (!temporary.isEmpty()) QFile::remove(temporary);
    }
};

bool fail(QString* error, const QString& text) {
    if (error) *error = text;
    return false;
}

// Copies every packet of `part` into `out`, its timestamps moved to the part's place in the
// joined video. `ends` holds, per stream, the end of what is already written.
int copyPart(Part& part, AVFormatContext* out, std::vector<int64_t>& ends, int* videoFrames) {
    const AVRational framePeriod = av_inv_q(part.rate());
    const int offsetFrames = part.tag.first - part.tag.rangeFirst;
    std::vector<int64_t> shifts(out->nb_streams, AV_NOPTS_VALUE);
    AVPacket* packet = av_packet_alloc();
    if (!packet) return AVERROR(ENOMEM);
    int status = 0;
    while ((status = av_read_frame(part.format, packet)) >= 0) {
        const int s = packet->stream_index;
        if (s < 0 || static_cast<unsigned>(s) >= out->nb_streams) {
            av_packet_unref(packet);
            continue;
        }
        AVStream* os = out->streams[s];
        av_packet_rescale_ts(packet, part.format->streams[s]->time_base, os->time_base);
        if (shifts[s] == AV_NOPTS_VALUE) {
            // The part's time zero goes where its first frame belongs; a stream other than the
            // video that ran past that point in the part before goes on where it ended.
            shifts[s] = av_rescale_q(offsetFrames, framePeriod, os->time_base);
            const int64_t first = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
            if (s != part.video && first != AV_NOPTS_VALUE && ends[s] != AV_NOPTS_VALUE)
                shifts[s] = std::max(shifts[s], ends[s] - first);
        }
        if (packet->pts != AV_NOPTS_VALUE) packet->pts += shifts[s];
        if (packet->dts != AV_NOPTS_VALUE) packet->dts += shifts[s];
        const int64_t at = packet->dts != AV_NOPTS_VALUE ? packet->dts : packet->pts;
        if (at != AV_NOPTS_VALUE)
            ends[s] = std::max(ends[s] == AV_NOPTS_VALUE ? at : ends[s],
                               at + std::max<int64_t>(packet->duration, 1));
        if (s == part.video) ++*videoFrames;
        packet->pos = -1;
        status = av_interleaved_write_frame(out, packet); // takes the packet's data
        if (status < 0) break;
    }
    av_packet_free(&packet);
    return status == AVERROR_EOF ? 0 : status;
}
} // namespace

QString encodePartTag(const VideoPartTag& tag) {
    QJsonObject object{{kTagKey, 1},
                       {"frames", pair(tag.first, tag.last)},
                       {"range", pair(tag.rangeFirst, tag.rangeLast)},
                       {"chunk", pair(tag.chunk, tag.chunks)},
                       {"sequence", tag.sequence},
                       {"identity", tag.identity},
                       {"size", pair(tag.width, tag.height)},
                       {"fps", tag.framesPerSecond},
                       {"codec", tag.codec}};
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

std::optional<VideoPartTag> decodePartTag(const QString& comment) {
    const QJsonObject object = QJsonDocument::fromJson(comment.toUtf8()).object();
    if (object.value(kTagKey).toInt() != 1) return std::nullopt;
    VideoPartTag tag;
    if (!readPair(object.value("frames"), &tag.first, &tag.last) ||
        !readPair(object.value("range"), &tag.rangeFirst, &tag.rangeLast) ||
        !readPair(object.value("chunk"), &tag.chunk, &tag.chunks) ||
        !readPair(object.value("size"), &tag.width, &tag.height) ||
        !object.value("identity").isString())
        return std::nullopt;
    if (tag.first > tag.last || tag.rangeFirst > tag.rangeLast || tag.first < tag.rangeFirst ||
        tag.last > tag.rangeLast)
        return std::nullopt;
    tag.sequence = object.value("sequence").toString();
    tag.identity = object.value("identity").toString();
    tag.framesPerSecond = object.value("fps").toInt();
    tag.codec = object.value("codec").toString();
    return tag;
}

namespace {

// The parts, opened, checked to be chunks of one render that cover its range, in frame order.
bool openParts(const QStringList& paths, const QString& output, Parts& parts, QString* error) {
    QString problem;
    for (const QString& path : paths) {
        if (QFileInfo(path).absoluteFilePath() == QFileInfo(output).absoluteFilePath())
            return fail(error, QStringLiteral("The output %1 is one of the parts.").arg(output));
        parts.push_back(std::make_unique<Part>());
        if (!openPart(path, *parts.back(), &problem)) return fail(error, problem);
    }
    for (const auto& part : parts)
        if (!checkSameRender(*parts.front(), *part, &problem)) return fail(error, problem);
    std::stable_sort(parts.begin(), parts.end(),
                     [](const auto& a, const auto& b) { return a->tag.first < b->tag.first; });
    if (!checkCoverage(parts, &problem)) return fail(error, problem);
    for (const auto& part : parts) {
        const int64_t frames = part->format->streams[part->video]->nb_frames;
        if (frames > 0 && frames != part->tag.last - part->tag.first + 1)
            return fail(error, unfinishedText(*part, static_cast<int>(frames)));
    }
    return true;
}

// The joined file's streams, copied from the first part's, and its header with the tag of the
// whole render.
bool startJoinedFile(Output& out, const Part& first, const VideoPartTag& whole,
                     const QString& output, QString* error) {
    const QByteArray temporaryName = QFile::encodeName(out.temporary);
    const QByteArray container = containerForFile(output).toLatin1();
    int status = avformat_alloc_output_context2(&out.format, nullptr, container.constData(),
                                                temporaryName.constData());
    for (unsigned i = 0; status >= 0 && i < first.format->nb_streams; ++i) {
        const AVStream* in = first.format->streams[i];
        AVStream* stream = avformat_new_stream(out.format, nullptr);
        if (!stream) return fail(error, QStringLiteral("Out of memory joining %1.").arg(output));
        status = avcodec_parameters_copy(stream->codecpar, in->codecpar);
        if (status < 0) break;
        stream->codecpar->codec_tag = 0; // the output's container picks its own
        stream->time_base = in->time_base;
        stream->avg_frame_rate = in->avg_frame_rate;
        stream->r_frame_rate = in->r_frame_rate;
        stream->sample_aspect_ratio = in->sample_aspect_ratio;
        av_dict_copy(&stream->metadata, in->metadata, 0);
    }
    if (status >= 0) {
        av_dict_set(&out.format->metadata, "comment", encodePartTag(whole).toUtf8().constData(), 0);
        status = avio_open(&out.format->pb, temporaryName.constData(), AVIO_FLAG_WRITE);
    }
    if (status >= 0) status = avformat_write_header(out.format, nullptr);
    if (status >= 0) return true;
    return fail(error, QStringLiteral("Cannot write %1: %2").arg(output, ffmpegErrorText(status)));
}

// The index, then what is still buffered, then the file closed; 0 or a negative error code.
int finishJoinedFile(Output& out) {
    int status = av_write_trailer(out.format);
    if (status >= 0 && out.format->pb) {
        avio_flush(out.format->pb);
        status = out.format->pb->error;
    }
    const int closed = avio_closep(&out.format->pb);
    return status >= 0 ? closed : status;
}

} // namespace

bool joinVideoParts(const QStringList& paths, const QString& output, JoinReport* report,
                    QString* error) {
    if (paths.isEmpty()) return fail(error, QStringLiteral("join needs the parts to join."));
    av_log_set_level(AV_LOG_ERROR);
    Parts parts;
    if (!openParts(paths, output, parts, error)) return false;
    auto cannotWrite = [&](const QString& why) {
        return fail(error, QStringLiteral("Cannot write %1: %2").arg(output, why));
    };

    // The joined file, under a temporary name until it is complete.
    const QFileInfo target(output);
    Output out;
    out.temporary = target.dir().filePath(
        QStringLiteral(".%1.joining-%2").arg(target.fileName()).arg(::getpid()));
    const QByteArray temporaryName = QFile::encodeName(out.temporary);
    VideoPartTag whole = parts.front()->tag;
    whole.first = whole.rangeFirst;
    whole.last = whole.rangeLast;
    whole.chunk = 0;
    whole.chunks = 1;
    if (!startJoinedFile(out, *parts.front(), whole, output, error)) return false;
    std::vector<int64_t> ends(out.format->nb_streams, AV_NOPTS_VALUE);
    for (const auto& part : parts) {
        int frames = 0;
        const int status = copyPart(*part, out.format, ends, &frames);
        if (status < 0)
            return fail(error, QStringLiteral("Cannot join %1 into %2: %3")
                                   .arg(part->name(), output, ffmpegErrorText(status)));
        if (frames != part->tag.last - part->tag.first + 1)
            return fail(error, unfinishedText(*part, frames));
    }
    if (const int status = finishJoinedFile(out); status < 0)
        return cannotWrite(ffmpegErrorText(status));
    if (std::rename(temporaryName.constData(), QFile::encodeName(output).constData()) != 0)
        return cannotWrite(QString::fromLocal8Bit(std::strerror(errno)));
    out.temporary.clear();
    if (report) {
        report->parts = static_cast<int>(parts.size());
        report->first = whole.rangeFirst;
        report->last = whole.rangeLast;
        report->streams = static_cast<int>(out.format->nb_streams);
    }
    return true;
}
