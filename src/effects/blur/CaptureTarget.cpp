// The blur captures' own framebuffers: multisampled drawing, resolve, and binding hygiene.
#include "effects/blur/CaptureTarget.h"

#include <GL/gl.h>
#include <GL/glext.h>

namespace {

GLuint makeRenderbuffer(GLenum format, int size, int samples) {
    GLuint rb = 0;
    glGenRenderbuffers(1, &rb);
    glBindRenderbuffer(GL_RENDERBUFFER, rb);
    if (samples > 0)
        glRenderbufferStorageMultisample(GL_RENDERBUFFER, samples, format, size, size);
    else
        glRenderbufferStorage(GL_RENDERBUFFER, format, size, size);
    return rb;
}

bool complete() {
    return glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
}

bool build(CaptureTarget& t, int size, int samples) {
    const FramebufferBinding previous = currentFramebuffers();
    GLint previousRb = 0;
    glGetIntegerv(GL_RENDERBUFFER_BINDING, &previousRb);

    t.size = size;
    t.samples = samples;
    glGenFramebuffers(1, &t.drawFbo);
    glBindFramebuffer(GL_FRAMEBUFFER, t.drawFbo);
    t.drawColour = makeRenderbuffer(GL_RGBA8, size, samples);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, t.drawColour);
    t.drawDepth = makeRenderbuffer(GL_DEPTH24_STENCIL8, size, samples);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER,
                              t.drawDepth);
    bool ok = complete();
    if (ok && samples > 0) {
        glGenFramebuffers(1, &t.resolveFbo);
        glBindFramebuffer(GL_FRAMEBUFFER, t.resolveFbo);
        t.resolveColour = makeRenderbuffer(GL_RGBA8, size, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  t.resolveColour);
        ok = complete();
    }
    bindFramebuffers(previous);
    glBindRenderbuffer(GL_RENDERBUFFER, GLuint(previousRb));
    if (!ok) releaseCaptureTarget(t);
    return ok;
}

} // namespace

bool prepareCaptureTarget(CaptureTarget& target, int size, int samples) {
    if (samples < 0) samples = 0;
    GLint maxSamples = 0;
    glGetIntegerv(GL_MAX_SAMPLES, &maxSamples);
    if (samples > maxSamples) samples = maxSamples;
    if (target.drawFbo != 0 && target.size == size && target.samples == samples) return true;
    releaseCaptureTarget(target);
    if (build(target, size, samples)) return true;
    // A driver that refuses the multisampled one may still give a plain one.
    return samples > 0 && build(target, size, 0);
}

void releaseCaptureTarget(CaptureTarget& t) {
    const GLuint fbos[] = {t.drawFbo, t.resolveFbo};
    for (GLuint fbo : fbos)
        if (fbo) glDeleteFramebuffers(1, &fbo);
    const GLuint rbs[] = {t.drawColour, t.drawDepth, t.resolveColour};
    for (GLuint rb : rbs)
        if (rb) glDeleteRenderbuffers(1, &rb);
    t = CaptureTarget{};
}

bool prepareOverlayTarget(OverlayTarget& t, int width, int height) {
    if (width <= 0 || height <= 0) return false;
    if (t.fbo != 0 && t.width == width && t.height == height) return true;
    releaseOverlayTarget(t);
    const FramebufferBinding previous = currentFramebuffers();
    GLint previousTexture = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &previousTexture);
    t.width = width;
    t.height = height;
    glGenTextures(1, &t.texture);
    glBindTexture(GL_TEXTURE_2D, t.texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glGenFramebuffers(1, &t.fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, t.fbo);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, t.texture, 0);
    const bool ok = complete();
    bindFramebuffers(previous);
    glBindTexture(GL_TEXTURE_2D, GLuint(previousTexture));
    if (!ok) releaseOverlayTarget(t);
    return ok;
}

void releaseOverlayTarget(OverlayTarget& t) {
    if (t.fbo) glDeleteFramebuffers(1, &t.fbo);
    if (t.texture) glDeleteTextures(1, &t.texture);
    t = OverlayTarget{};
}

int currentSampleCount() {
    GLint samples = 0;
    glGetIntegerv(GL_SAMPLES, &samples);
    return samples;
}

FramebufferBinding beginCapture(const CaptureTarget& target) {
    const FramebufferBinding previous = currentFramebuffers();
    glBindFramebuffer(GL_FRAMEBUFFER, target.drawFbo);
    glViewport(0, 0, target.size, target.size);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return previous;
}

void readCapture(const CaptureTarget& target) {
    if (target.samples > 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawFbo);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, target.resolveFbo);
        glBlitFramebuffer(0, 0, target.size, target.size, 0, 0, target.size, target.size,
                          GL_COLOR_BUFFER_BIT, GL_NEAREST);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.resolveFbo);
    } else {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, target.drawFbo);
    }
}

void endCapture(const FramebufferBinding& binding) {
    bindFramebuffers(binding);
}

FramebufferBinding currentFramebuffers() {
    FramebufferBinding binding;
    glGetIntegerv(GL_DRAW_FRAMEBUFFER_BINDING, &binding.draw);
    glGetIntegerv(GL_READ_FRAMEBUFFER_BINDING, &binding.read);
    return binding;
}

void bindFramebuffers(const FramebufferBinding& binding) {
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, GLuint(binding.draw));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, GLuint(binding.read));
}

void beginOverlay(const OverlayTarget& target) {
    GLfloat clearColour[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColour);
    glBindFramebuffer(GL_FRAMEBUFFER, target.fbo);
    glViewport(0, 0, target.width, target.height);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(clearColour[0], clearColour[1], clearColour[2], clearColour[3]);
}
