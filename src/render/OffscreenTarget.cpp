// Multisampled offscreen framebuffer with a single-sample resolve target for readback.
#include "render/OffscreenTarget.h"

#include <GL/glext.h>
#include <algorithm>
#include <cstring>

namespace {
bool framebufferComplete(QString* error) {
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status == GL_FRAMEBUFFER_COMPLETE) return true;
    if (error)
        *error = QStringLiteral("The offscreen framebuffer is incomplete (0x%1).")
                     .arg(status, 4, 16, QLatin1Char('0'));
    return false;
}

// Turns rows read bottom-up as RGBA into an upright QImage.
QImage uprightImage(const std::vector<std::uint8_t>& rgba, int width, int height) {
    QImage image(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* src = rgba.data() + std::size_t(height - 1 - y) * width * 4;
        std::uint8_t* dst = image.scanLine(y);
        for (int x = 0; x < width; ++x) {
            dst[3 * x] = src[4 * x];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 2];
        }
    }
    return image;
}

// Blits `source` into `target` (same size) and leaves `target` bound for reading.
void blitForReading(GLuint source, GLuint target, int width, int height) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, source);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target);
    glBlitFramebuffer(0, 0, width, height, 0, 0, width, height, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
}
} // namespace

OffscreenTarget::~OffscreenTarget() {
    release();
}

bool OffscreenTarget::create(int width, int height, QString* error, int samples) {
    release();
    if (width <= 0 || height <= 0) {
        if (error) *error = QStringLiteral("Invalid frame size %1x%2.").arg(width).arg(height);
        return false;
    }
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    if (samples > maxSamples) samples = maxSamples >= 2 ? 2 : 0;
    width_ = width;
    height_ = height;
    samples_ = samples;

    glGenFramebuffers(1, &drawFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glGenRenderbuffers(1, &colourRb_);
    glBindRenderbuffer(GL_RENDERBUFFER, colourRb_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colourRb_);
    glGenRenderbuffers(1, &depthRb_);
    glBindRenderbuffer(GL_RENDERBUFFER, depthRb_);
    glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples_, GL_DEPTH24_STENCIL8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              depthRb_);
    if (!framebufferComplete(error)) {
        release();
        return false;
    }

    glGenFramebuffers(1, &resolveFbo_);
    glBindFramebuffer(GL_FRAMEBUFFER, resolveFbo_);
    glGenRenderbuffers(1, &resolveColourRb_);
    glBindRenderbuffer(GL_RENDERBUFFER, resolveColourRb_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                              resolveColourRb_);
    if (!framebufferComplete(error)) {
        release();
        return false;
    }
    bind();
    return true;
}

void OffscreenTarget::release() {
    if (drawFbo_) glDeleteFramebuffers(1, &drawFbo_);
    if (resolveFbo_) glDeleteFramebuffers(1, &resolveFbo_);
    GLuint rbs[] = {colourRb_, depthRb_, resolveColourRb_};
    for (GLuint rb : rbs)
        if (rb) glDeleteRenderbuffers(1, &rb);
    drawFbo_ = resolveFbo_ = colourRb_ = depthRb_ = resolveColourRb_ = 0;
    width_ = height_ = samples_ = 0;
}

void OffscreenTarget::bind() {
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    glViewport(0, 0, width_, height_);
}

void OffscreenTarget::resolve() {
    blitForReading(drawFbo_, resolveFbo_, width_, height_);
}

QImage OffscreenTarget::readImage() {
    resolve();
    std::vector<std::uint8_t> rgba(std::size_t(width_) * height_ * 4);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
    return uprightImage(rgba, width_, height_);
}

void OffscreenTarget::readBgrBottomUp(std::vector<std::uint8_t>& out) {
    out.resize(std::size_t(width_) * height_ * 3);
    readBgrBottomUp(out.data());
}

void OffscreenTarget::readBgrBottomUp(std::uint8_t* out) {
    resolve();
    glReadPixels(0, 0, width_, height_, GL_BGR, GL_UNSIGNED_BYTE, out);
    glBindFramebuffer(GL_FRAMEBUFFER, drawFbo_);
}

QImage readFramebufferImage(GLuint sourceFbo, int width, int height) {
    GLuint fbo = 0, rb = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    glGenRenderbuffers(1, &rb);
    glBindRenderbuffer(GL_RENDERBUFFER, rb);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, rb);
    blitForReading(sourceFbo, fbo, width, height);
    std::vector<std::uint8_t> rgba(std::size_t(width) * height * 4);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    glBindFramebuffer(GL_FRAMEBUFFER, sourceFbo);
    glDeleteRenderbuffers(1, &rb);
    glDeleteFramebuffers(1, &fbo);
    return uprightImage(rgba, width, height);
}
