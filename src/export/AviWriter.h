// Writes equally sized 24-bit frames (bottom-up BGR rows) into a video file through FFmpeg, with
// the encoder the user picks in the compression dialog. AVI unless the name ends in .mp4.
#pragma once

#include "export/BitmapFormat.h"
#include "export/SoundtrackEncoder.h"
#include "platform/Platform.h"

#include <QString>
#include <cstdint>
#include <memory>

// FFmpeg's own words for a negative status code.
QString ffmpegErrorText(int status);

// Major versions of the FFmpeg libraries the writer uses.
struct FfmpegVersions {
    unsigned format = 0, codec = 0, scale = 0, util = 0;
};
// The versions of the libraries loaded at run time, and those the program was built with.
FfmpegVersions runtimeFfmpegVersions();
FfmpegVersions buildFfmpegVersions();
// True when no library in `runtime` is older than in `built`.
bool ffmpegLibrariesCurrent(const FfmpegVersions& runtime, const FfmpegVersions& built);

class AviWriter {
  public:
    AviWriter();
    // Finalises the file if the owner forgot to call release.
    ~AviWriter();
    AviWriter(const AviWriter&) = delete;
    AviWriter& operator=(const AviWriter&) = delete;

    void setFileName(const QString& name) { fileName_ = name; }
    QString fileName() const { return fileName_; }
    // Appends ".avi" unless the name contains "avi" somewhere.
    void ensureAviExtension();
    // The frame format for a client area of this size: each side rounded down to a multiple of 4.
    void setFormatFromWindow(int clientWidth, int clientHeight);

    // Creates the file and the encoder. Returns 0 on success (also when the user cancelled the
    // compression dialog: then nothing is written and compressionCancelled is set) or a negative
    // FFmpeg error code, with errorText() saying what failed.
    int initialise();
    // Encodes one frame of bitmapInfo.biSizeImage bytes. Returns 0 or a negative error code.
    int appendFrame(const std::uint8_t* pixels);
    // Writes one frame that this writer's encoder, with the same settings, has already encoded
    // (a frame of another file written so): the file gets the same bytes as if it had encoded the
    // frame itself. Only for encoders whose frames stand alone (isIntraOnlyEncoder). Returns 0 or
    // a negative error code.
    int appendEncodedFrame(const std::uint8_t* data, int size, bool keyFrame);
    // Drains the encoder, writes the index and closes the file. Safe to call more than once and
    // after a failed write: the frames written so far stay playable. Returns 0, or a negative
    // error code when the last frames or the index could not be written (errorText() stays the
    // write failure text).
    int release();

    QString errorText() const { return errorText_; }
    bool isOpen() const { return static_cast<bool>(streams_); }

    int frameRate = 30;          // frames per second, the stream rate
    BitmapInfoHeader bitmapInfo; // the format of every frame; all zero until set
    int frameIndex = 0;          // index of the next frame

    // The encoder used. initialise() shows the compression dialog with this choice preselected
    // when askForCompression is set, and keeps the user's answer here.
    VideoCompression compression;
    bool askForCompression = true;
    bool compressionCancelled = false;
    // Stored in the file's header (AVI's ICMT, MP4's comment) when not empty.
    QString comment;
    // The sound the file carries, if any: set before initialise(). Its length follows the frames
    // written, cut or padded with silence.
    SoundtrackSlice soundtrack;

  private:
    struct Streams;
    // The steps of initialise(); each returns 0 or a negative error code with errorText_ set.
    int openFile(Streams& s, const QString& container);
    int openVideoEncoder(Streams& s);
    int writeFileHeader(Streams& s, const QString& container);
    // Settles the encoder, in the compression dialog when askForCompression is set; false when
    // the user cancelled it.
    bool chooseCompression(const QString& container);
    int drainPackets();
    int closeStreams(bool finalise);

    QString fileName_ = QStringLiteral("Untitled.avi");
    QString errorText_;
    std::unique_ptr<Streams> streams_;
};
