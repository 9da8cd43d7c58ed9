// Where rendered frames go: a folder of pictures, a video file, one bitmap (export/ has them).
#pragma once

#include <QImage>
#include <QString>

class FrameSink {
  public:
    virtual ~FrameSink() = default;
    // Called once before the first frame; false with `error` set stops the render.
    virtual bool open(int width, int height, int framesPerSecond, QString* error) = 0;
    // One frame, upright; false with `error` set stops the render.
    virtual bool write(const QImage& frame, int frameNumber, QString* error) = 0;
    // Called once at the end, also after a failure; false with `error` set when finishing failed.
    virtual bool close(QString* error) = 0;
    // Milliseconds spent encoding so far (for the render summary).
    virtual double encodeMs() const { return 0.0; }
};
