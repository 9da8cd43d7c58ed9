// A frame sink that writes each frame as a numbered PNG file into a folder.
#pragma once

#include "render/FrameSink.h"

#include <QString>

// Writes frame-000000.png, frame-000001.png, ... into a folder, creating it when needed.
class PngFolderSink : public FrameSink {
  public:
    explicit PngFolderSink(QString folder) : folder_(std::move(folder)) {}
    bool open(int width, int height, int framesPerSecond, QString* error) override;
    bool write(const QImage& frame, int frameNumber, QString* error) override;
    bool close(QString*) override { return true; }
    double encodeMs() const override { return encodeMs_; }

  private:
    QString folder_;
    double encodeMs_ = 0.0;
};
