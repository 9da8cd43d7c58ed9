// A multisampled framebuffer of any size that frames are drawn into, resolved for readback.
#pragma once

#include <GL/gl.h>
#include <QImage>
#include <QString>
#include <cstdint>
#include <vector>

class OffscreenTarget {
  public:
    OffscreenTarget() = default;
    ~OffscreenTarget();
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    // Needs a current context. Asks for `samples` (4 by default; fewer when the driver has fewer,
    // none when it has none). False with `error` set when no framebuffer can be made.
    bool create(int width, int height, QString* error, int samples = 4);
    void release();

    // Makes this the framebuffer that drawing goes to, with a viewport of its size.
    void bind();
    // The framebuffer drawing goes to (multisampled when samples() > 0).
    GLuint drawFramebuffer() const { return drawFbo_; }

    // Resolves the multisampled picture and reads it back.
    QImage readImage();
    // Resolves and reads 24-bit BGR rows, bottom row first (the layout of BMP and AVI frames).
    void readBgrBottomUp(std::vector<std::uint8_t>& out);
    // The same into `out`, which holds width() * height() * 3 bytes.
    void readBgrBottomUp(std::uint8_t* out);

    int width() const { return width_; }
    int height() const { return height_; }
    int samples() const { return samples_; }

  private:
    void resolve();

    int width_ = 0, height_ = 0, samples_ = 0;
    GLuint drawFbo_ = 0, colourRb_ = 0, depthRb_ = 0;
    GLuint resolveFbo_ = 0, resolveColourRb_ = 0;
};

// Resolves `sourceFbo` (any size, any samples) into a single-sample picture of the same size and
// reads it back; used by the window, whose framebuffer belongs to the widget.
QImage readFramebufferImage(GLuint sourceFbo, int width, int height);
