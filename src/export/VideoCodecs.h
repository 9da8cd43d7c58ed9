// The video encoders the export offers: which this FFmpeg has, which a container accepts, and how
// each is set up (pixel format, quality).
#pragma once

#include "platform/Platform.h"

#include <QList>
#include <QString>

struct AVCodecContext;
struct AVCodec;

// The container an output file name asks for: "mp4" for names ending in .mp4, else "avi".
QString containerForFile(const QString& fileName);

// The encoders, in the order the dialog lists them, that this FFmpeg has and `container` accepts.
QList<VideoCodecChoice> availableVideoCodecs(const QString& container = QStringLiteral("avi"));

// The codec an export uses unless told otherwise: Motion JPEG for AVI; H.264 (else MPEG-4) for MP4.
VideoCompression defaultVideoCompression(const QString& container = QStringLiteral("avi"));

// Finds a codec by its encoder name or its label (case-insensitive) among `codecs`.
const VideoCodecChoice* findVideoCodec(const QList<VideoCodecChoice>& codecs, const QString& name);

// True when every frame of the encoder's output is a key frame.
bool isIntraOnlyEncoder(const QString& encoder);

// Gives an opened-to-be encoder context its pixel format and quality options. `quality` is 1...100.
void configureEncoder(AVCodecContext* context, const AVCodec* codec, int quality);
