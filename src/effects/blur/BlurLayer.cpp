// Radial and motion blur: render targets, captures and overlays.
#include "effects/blur/BlurLayer.h"

#include "assets/TextureLoaders.h"
#include "effects/OverlayOrtho.h"
#include "effects/blur/BlurMath.h"
#include "effects/blur/CaptureTarget.h"
#include "effects/blur/RadialSumProgram.h"
#include "effects/fire/FireLayer.h"
#include "effects/models/ModelLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/stars/StarLayer.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <QByteArray>

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

namespace {

unsigned modelBlurTexture(const CZoetraView& v, int index) {
    return index == 0   ? v.modelBlurTexture1
           : index == 1 ? v.modelBlurTexture2
                        : v.modelBlurTexture3;
}

void restoreViewport(const CZoetraView& v) {
    glViewport(0, 0, v.viewportWidth, v.viewportHeight);
}

void drawBlurSource(CZoetraView& v, bool radial) {
    if (isOn(v.blurText)) drawTextSlot(v);
    if (isOn(v.blurStars)) drawStarsBlurSource(v);
    if (isOn(v.blurParticles)) drawParticlesBlurSource(v);
    if (isOn(v.blurFire)) {
        if (radial && v.fireNumber <= 116) v.fireNumber = 243;
        drawFireBlurSource(v, radial);
    }
    if (isOn(v.blurModel))
        for (int i = 0; i < kModelCount; ++i)
            if (isOn(v.modelOn[i])) drawModel(v, i);
}

// One radial capture: `drawSource` into the 512 x 512 target, copied grey into `texture`.
template <typename Draw>
void radialCapture(CZoetraView& v, unsigned texture, FrameAfterCapture after, Draw drawSource) {
    if (prepareCaptureTarget(v.radialCapture, kRadialCaptureSize, currentSampleCount())) {
        const FramebufferBinding frame = beginCapture(v.radialCapture);
        drawSource();
        glBindTexture(GL_TEXTURE_2D, texture);
        readCapture(v.radialCapture);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_LUMINANCE, 0, 0, kRadialCaptureSize,
                         kRadialCaptureSize, 0);
        endCapture(frame);
    }
    restoreViewport(v);
    if (after == FrameAfterCapture::Clear) glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The colour of older scenes and of the background overlay; a value that is not a number is 0.
Vec3 legacyColour(const CZoetraView& v) {
    const Vec3& c = v.legacyBlurColour;
    return {drawable(c.x), drawable(c.y), drawable(c.z)};
}

struct OverlayLook {
    unsigned texture;
    float fade, separation;
    float red, green, blue; // hundredths
};

// The overlay colour by the blur colour mode: up to 1 the scene's colour (the legacy one for
// files of version 4 and older), from 4 on the legacy colour. Files may carry a mode in between
// (or one that is not a number); it names no colour, and such copies are drawn white, so that
// they never depend on whatever colour the layer before them left behind.
Vec3 overlayRgb(const CZoetraView& v, const OverlayLook& look) {
    const Vec3 legacy = legacyColour(v);
    if (v.blurColourMode <= 1) {
        if (v.sceneVersion < 5) return legacy;
        return {drawable(drawable(look.red) / 100), drawable(drawable(look.green) / 100),
                drawable(drawable(look.blue) / 100)};
    }
    if (v.blurColourMode >= 4) return legacy;
    return {1, 1, 1};
}

// Each copy's inset and alpha, accumulated as the copies are drawn one after the other.
std::vector<RadialCopy> radialCopies(const OverlayLook& look, int copies, float step) {
    std::vector<RadialCopy> out(static_cast<std::size_t>(copies));
    float inset = textureShift(drawable(look.separation) / 20);
    float alpha = drawable(drawable(look.fade) / 400 + 0.2f);
    const float alphaStep = alpha / float(copies);
    for (RadialCopy& c : out) {
        c = {inset, alpha};
        inset += step;
        alpha -= alphaStep;
    }
    return out;
}

// Runs `draw` in the copies' projection: 640 x 480 with y growing downwards, both matrices
// pushed before and popped after.
template <typename Draw> void inCopyProjection(Draw draw) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0, 640, 480, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    draw();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

// The copies themselves: each samples a smaller central part of the capture and is fainter.
void drawCopies(const CZoetraView& v, const OverlayLook& look, int copies, float step) {
    const Vec3 rgb = overlayRgb(v, look);
    glBindTexture(GL_TEXTURE_2D, look.texture);
    inCopyProjection([&] {
        glBegin(GL_QUADS);
        for (const RadialCopy& c : radialCopies(look, copies, step)) {
            glColor4f(rgb.x, rgb.y, rgb.z, c.alpha);
            glTexCoord2f(c.inset, 1 - c.inset);
            glVertex2f(0, 0);
            glTexCoord2f(c.inset, c.inset);
            glVertex2f(0, 480);
            glTexCoord2f(1 - c.inset, c.inset);
            glVertex2f(640, 480);
            glTexCoord2f(1 - c.inset, 1 - c.inset);
            glVertex2f(640, 0);
        }
        glEnd();
    });
}

// The copies added up per pixel by the fragment program and blended over the frame once.
bool drawProgramCopies(CZoetraView& v, const OverlayLook& look, int copies, float step) {
    if (!prepareRadialSumProgram(v.radialSumProgram)) return false;
    const Vec3 rgb = overlayRgb(v, look);
    const std::vector<RadialCopy> list = radialCopies(look, copies, step);
    glBindTexture(GL_TEXTURE_2D, look.texture);
    inCopyProjection(
        [&] { drawRadialSum(v.radialSumProgram, list.data(), copies, rgb.x, rgb.y, rgb.z); });
    return true;
}

// Adds the single-sample picture `texture` (the frame's size) over the frame, pixel for pixel.
void addPictureOverFrame(unsigned texture, int width, int height) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glBlendFunc(GL_ONE, GL_ONE);
    glColor4f(1, 1, 1, 1);
    beginOrtho(width, height);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1);
    glVertex2f(0, 0);
    glTexCoord2f(0, 0);
    glVertex2f(0, float(height));
    glTexCoord2f(1, 0);
    glVertex2f(float(width), float(height));
    glTexCoord2f(1, 1);
    glVertex2f(float(width), 0);
    glEnd();
    endOrtho();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

// The copies are summed in a single-sample picture of the frame's size, which is then added to
// the frame in one pass. Each copy adds (colour x alpha) under (GL_SRC_ALPHA, GL_ONE), so the sum
// added once is what the copies added one by one give (both saturate at full intensity), while
// the frame's samples are blended once instead of once per copy.
bool drawSummedCopies(CZoetraView& v, const OverlayLook& look, int copies, float step) {
    const int width = v.viewportWidth, height = v.viewportHeight;
    if (!prepareOverlayTarget(v.radialOverlaySum, width, height)) return false;
    const FramebufferBinding frame = currentFramebuffers();
    beginOverlay(v.radialOverlaySum);
    drawCopies(v, look, copies, step);
    bindFramebuffers(frame);
    addPictureOverFrame(v.radialOverlaySum.texture, width, height);
    return true;
}

// How many threads the processor's sum may use: the rasteriser's own count where it is set (a
// render spread over processes gives each one thread), else the machine's cores, at most 8.
int summingThreads() {
    const QByteArray set = qgetenv("LP_NUM_THREADS");
    bool ok = false;
    const int rasterisers = set.toInt(&ok);
    if (ok) return std::clamp(rasterisers, 1, 8);
    return std::clamp(int(std::thread::hardware_concurrency()), 1, 8);
}

// The copies added up on the processor from the capture's pixels (RadialSum.h), and the sum
// laid over the frame in one pass.
bool drawProcessorCopies(CZoetraView& v, const OverlayLook& look, int copies, float step) {
    const int width = v.viewportWidth, height = v.viewportHeight;
    if (!prepareOverlayTarget(v.radialOverlaySum, width, height)) return false;
    glBindTexture(GL_TEXTURE_2D, look.texture);
    GLint size = 0, rows = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &size);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &rows);
    if (size <= 0 || size != rows || size > 4096) return false;
    v.radialCaptureBytes.resize(std::size_t(size) * std::size_t(size));
    GLint packAlignment = 4, unpackAlignment = 4;
    glGetIntegerv(GL_PACK_ALIGNMENT, &packAlignment);
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &unpackAlignment);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_LUMINANCE, GL_UNSIGNED_BYTE, v.radialCaptureBytes.data());
    glPixelStorei(GL_PACK_ALIGNMENT, packAlignment);

    const Vec3 rgb = overlayRgb(v, look);
    const std::vector<RadialCopy> list = radialCopies(look, copies, step);
    RadialSumJob job;
    job.capture = v.radialCaptureBytes.data();
    job.size = size;
    job.copies = list.data();
    job.count = copies;
    job.red = rgb.x;
    job.green = rgb.y;
    job.blue = rgb.z;
    job.width = width;
    job.height = height;
    sumRadialCopies(job, v.radialSumBuffers, summingThreads());

    glBindTexture(GL_TEXTURE_2D, v.radialOverlaySum.texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE,
                    v.radialSumBuffers.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, unpackAlignment);
    addPictureOverFrame(v.radialOverlaySum.texture, width, height);
    return true;
}

// Software renderers (Mesa's llvmpipe and softpipe) sample textures on the processor, copy by
// copy and pixel by pixel; the processor's own sum shares the work between the copies.
bool softwareRenderer() {
    const auto* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    if (!name) return false;
    return std::strstr(name, "llvmpipe") || std::strstr(name, "softpipe") ||
           std::strstr(name, "swrast");
}

// The method by the renderer, unless $LUMATOY_RADIAL_SUM names one ("processor", "program" or
// "blended": for comparing them in the benchmarks).
RadialSumMethod chosenSumMethod(CZoetraView& v) {
    if (v.radialSumMethod != RadialSumMethod::Automatic) return v.radialSumMethod;
    const QByteArray named = qgetenv("LUMATOY_RADIAL_SUM");
    if (named == "processor")
        v.radialSumMethod = RadialSumMethod::Processor;
    else if (named == "program")
        v.radialSumMethod = RadialSumMethod::Program;
    else if (named == "blended")
        v.radialSumMethod = RadialSumMethod::Blended;
    else
        v.radialSumMethod =
            softwareRenderer() ? RadialSumMethod::Processor : RadialSumMethod::Program;
    return v.radialSumMethod;
}

void overlay(CZoetraView& v, const OverlayLook& look, int copies, float step) {
    if (copies <= 0) return;
    // A flat picture over the frame: unlit, whatever the models before it left on.
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    if (copies > 1) {
        const RadialSumMethod method = chosenSumMethod(v);
        if (method == RadialSumMethod::Processor && drawProcessorCopies(v, look, copies, step))
            return;
        if (method != RadialSumMethod::Blended && drawProgramCopies(v, look, copies, step)) return;
        if (drawSummedCopies(v, look, copies, step)) return;
    }
    drawCopies(v, look, copies, step);
}

// The motion texture over (0, 0)-(width, height) of the current viewport, trimmed vertically.
void motionQuad(const CZoetraView& v, int width, int height) {
    const float d = textureShift(drawable(drawable(v.motionBlurTrim) / 100));
    beginOrtho(width, height);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 1 + d);
    glVertex2f(0, 0);
    glTexCoord2f(0, d);
    glVertex2f(0, float(height));
    glTexCoord2f(1, d);
    glVertex2f(float(width), float(height));
    glTexCoord2f(1, 1 + d);
    glVertex2f(float(width), 0);
    glEnd();
    endOrtho();
}

// The motion texture added over (0, 0)-(width, height) in `rgb`, unlit and without the depth
// test, which is back on afterwards, with blending off.
void addMotionTexture(CZoetraView& v, int width, int height, const Vec3& rgb) {
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
    glBindTexture(GL_TEXTURE_2D, v.motionBlurTexture);
    glColor4f(rgb.x, rgb.y, rgb.z, motionOverlayAlpha(v.motionBlurFade));
    motionQuad(v, width, height);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
}

// The motion texture drawn with the legacy colour; the previous blurred image that the next
// capture and the frame start from.
void backgroundOverlay(CZoetraView& v, int width, int height) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    addMotionTexture(v, width, height, legacyColour(v));
}

} // namespace

void createBlurTargets(CZoetraView& v) {
    v.radialBlurTexture = createBlankTexture512();
    v.modelBlurTexture1 = createBlankTexture512();
    v.modelBlurTexture2 = createBlankTexture512();
    v.modelBlurTexture3 = createBlankTexture512();
    createBlankTexture(&v.motionBlurTexture, 512, 3, GL_RGB, 0);
}

void drawBlurSourceRadial(CZoetraView& v) {
    drawBlurSource(v, true);
}
void drawBlurSourceMotion(CZoetraView& v) {
    drawBlurSource(v, false);
}

void captureRadial(CZoetraView& v, FrameAfterCapture after) {
    radialCapture(v, v.radialBlurTexture, after, [&] { drawBlurSourceRadial(v); });
}

void captureModelRadial(CZoetraView& v, int index, FrameAfterCapture after) {
    if (index < 0 || index >= kModelCount) return;
    if (!isOn(v.modelRadialBlur[index]) && !isOn(v.modelBlurPassRequest[index])) return;
    radialCapture(v, modelBlurTexture(v, index), after, [&] {
        drawModelBlurSource(v, index);
        const GLfloat red[4] = {1, 0, 0, 1}, white[4] = {1, 1, 1, 1};
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE, red);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    });
}

void prepareRadialBlur(CZoetraView& v, FrameAfterCapture after) {
    captureRadial(v, after);
    for (int i = 0; i < kModelCount; ++i)
        captureModelRadial(v, i, after);
}

void overlayRadial(CZoetraView& v, int copies, float step) {
    overlay(v,
            {v.radialBlurTexture, v.radialBlurFade, v.radialBlurSeparation, v.radialBlurRed,
             v.radialBlurGreen, v.radialBlurBlue},
            copies, step);
}

void overlayModelRadial(CZoetraView& v, int index, int copies, float step) {
    if (index < 0 || index >= kModelCount) return;
    const Vec3& blur = v.modelBlur[index];
    const Vec3& colour = v.modelBlurColour[index];
    overlay(v, {modelBlurTexture(v, index), blur.y, blur.z, colour.x, colour.y, colour.z}, copies,
            step);
}

void drawRadialBlurMain(CZoetraView& v) {
    overlayRadial(v, radialBlurCopies(v.radialBlurDensity), kRadialCopyStep);
}

void drawModelRadialBlur(CZoetraView& v, int index) {
    if (index < 0 || index >= kModelCount) return;
    overlayModelRadial(v, index, radialBlurCopies(v.modelBlur[index].x), kRadialCopyStep);
}

void captureMotionBlur(CZoetraView& v, bool (*rateGate)(float rate), MotionFrame frameKind) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    const float rate = motionCaptureRate(v.motionBlurDensity);
    const int margin = kMotionCaptureMargin;
    if (rateGate && rateGate(rate) &&
        prepareCaptureTarget(v.motionCapture, kMotionCaptureSize + 2 * margin,
                             currentSampleCount())) {
        if (frameKind == MotionFrame::Stepped) glDisable(GL_RASTERIZER_DISCARD);
        const FramebufferBinding frame = beginCapture(v.motionCapture);
        glViewport(margin, margin, kMotionCaptureSize, kMotionCaptureSize);
        backgroundOverlay(v, kMotionCaptureSize, kMotionCaptureSize);
        drawBlurSourceMotion(v);
        glBindTexture(GL_TEXTURE_2D, v.motionBlurTexture);
        readCapture(v.motionCapture);
        glCopyTexImage2D(GL_TEXTURE_2D, 0, GL_RGB,
                         margin + motionStretchPixels(v.motionBlurStretchX),
                         margin + motionStretchPixels(v.motionBlurStretchY), kMotionCaptureSize,
                         kMotionCaptureSize, 0);
        endCapture(frame);
        if (frameKind == MotionFrame::Stepped) glEnable(GL_RASTERIZER_DISCARD);
        restoreViewport(v);
    }
    backgroundOverlay(v, v.viewportWidth, v.viewportHeight);
}

void drawMotionBlurOverlay(CZoetraView& v) {
    v.radialBlurOn = 0;
    addMotionTexture(v, v.viewportWidth, v.viewportHeight, {1, 1, 0});
}
