// The frame composer: preamble, blur captures, effect slots, frame-rate count.
#include "render/FrameComposer.h"

#include "effects/blur/BlurLayer.h"
#include "effects/fire/FireLayer.h"
#include "effects/models/ModelLayer.h"
#include "effects/particles/ParticleLayer.h"
#include "effects/pictures/PictureLayer.h"
#include "effects/stars/StarLayer.h"
#include "effects/text/TextLayer.h"
#include "effects/tiles/TileLayer.h"
#include "effects/tunnel/TunnelLayer.h"
#include "render/Clock.h"
#include "render/FrameClock.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"
#include "timeline/Playback.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <cstring>

namespace {
// A benchmark's instrument, set once for the process; the program itself never sets it.
SlotHook g_slotHook = nullptr;

void slotDone(const char* slot) {
    markSlotDone(slot);
}

// Lighting and texture-coordinate generation back on, blending and texturing off: the state every
// capture leaves behind.
void restoreAfterCapture() {
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
}

bool anyBlurBox(const CZoetraView& v) {
    return isOn(v.blurText) || isOn(v.blurStars) || isOn(v.blurParticles) || isOn(v.blurFire) ||
           isOn(v.blurModel);
}

bool anyModelRadialBlur(const CZoetraView& v) {
    for (int i = 0; i < 3; ++i)
        if (isOn(v.modelRadialBlur[i])) return true;
    return false;
}
} // namespace

void setSlotHook(SlotHook hook) {
    g_slotHook = hook;
}

void markSlotDone(const char* slot) {
    if (g_slotHook) g_slotHook(slot);
}

bool radialBlurGateOpen(const CZoetraView& v) {
    const bool source = anyBlurBox(v) || anyModelRadialBlur(v);
    const bool blurToDraw = isOn(v.radialBlurOn) || isOn(v.blurModel) || anyModelRadialBlur(v);
    return source && blurToDraw;
}

void runBlurCaptures(CZoetraView& v, FramePass pass) {
    if (isOn(v.motionBlurOn)) {
        v.radialBlurOn = 0.0f;
        glEnable(GL_TEXTURE_2D);
        glDisable(GL_TEXTURE_GEN_S);
        glDisable(GL_TEXTURE_GEN_T);
        glDisable(GL_LIGHTING);
        captureMotionBlur(v, rateGate,
                          pass == FramePass::Step ? MotionFrame::Stepped : MotionFrame::Drawn);
        restoreAfterCapture();
        slotDone("motion capture");
    }
    if (radialBlurGateOpen(v)) {
        glDisable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
        glDisable(GL_BLEND);
        // Unless the motion capture has laid its picture over the frame, the frame is as the
        // composer cleared it, and the captures need not clear it again.
        prepareRadialBlur(v, isOn(v.motionBlurOn) ? FrameAfterCapture::Clear
                                                  : FrameAfterCapture::AlreadyClear);
        slotDone("radial captures");
        if (!isOn(v.blurAfterLayers) && isOn(v.radialBlurOn)) drawRadialBlurMain(v);
        // A model's own pass before the layers runs while the model asks for it.
        for (int i = 0; i < 3; ++i)
            if (isOn(v.modelBlurPassRequest[i])) drawModelRadialBlur(v, i);
        restoreAfterCapture();
        slotDone("radial overlays before the layers");
    }
}

void drawEffectSlots(CZoetraView& v, ComposerMode mode) {
    if (isOn(v.tilesOn)) {
        drawTiles(v);
        slotDone("tiles");
    }
    if (isOn(v.tunnelOn)) {
        drawTunnel(v);
        slotDone("tunnel");
    }
    if (isOn(v.pictureOn)) drawPictures(v);
    if (mode == ComposerMode::Live || isOn(v.pictureOn)) {
        updatePictureWave(v);
        slotDone("pictures");
    }
    if (isOn(v.fireOn)) {
        drawFire(v);
        slotDone("fire");
    }
    if (isOn(v.particlesOn)) {
        drawParticles(v);
        slotDone("particles");
    }
    if (isOn(v.starsOn)) {
        drawStars(v);
        slotDone("stars");
    }
    static const char* const modelSlots[] = {"model 1", "model 2", "model 3"};
    for (int i = 0; i < 3; ++i)
        if (isOn(v.modelOn[i])) {
            drawModel(v, i);
            slotDone(modelSlots[i]);
        }

    if (isOn(v.motionBlurOn)) {
        v.radialBlurOn = 0.0f;
        drawMotionBlurOverlay(v);
        slotDone("motion overlay");
    }
    if (anyBlurBox(v) && isOn(v.radialBlurOn) && isOn(v.blurAfterLayers)) {
        drawRadialBlurMain(v);
        slotDone("radial overlay");
    }
    // Model overlays: model 2, then model 1, then model 3.
    for (int i : {1, 0, 2})
        if (isOn(v.modelRadialBlur[i])) {
            drawModelRadialBlur(v, i);
            slotDone("model radial overlays");
        }

    drawTextSlot(v);
    glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    slotDone("text");
}

bool composeFrame(CZoetraView& v, FramePass pass) {
    if (pass == FramePass::Step) glEnable(GL_RASTERIZER_DISCARD);
    if (v.multisampleAvailable) glEnable(GL_MULTISAMPLE);

    for (int i = 0; i < 2; ++i)
        if (isOff(v.pictureMeshValid[i])) rebuildPictureMesh(v, i);
    v.pictureMeshValid[0] = v.pictureMeshValid[1] = 2.0f;

    normaliseTextAngles(v.textRotation);
    glEnable(GL_NORMALIZE);
    activeClock().sleepMs(10);
    // The playback composer clears the frame to the background colour before anything is drawn.
    if (!v.timelinePlaying) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        slotDone("clear");
    }

    if (v.timelinePlaying) {
        composePlaybackFrame(v, pass);
    } else {
        runBlurCaptures(v, pass);
        drawEffectSlots(v, ComposerMode::Live);
    }

    countFrame(v);
    if (v.multisampleAvailable) glDisable(GL_MULTISAMPLE);
    if (pass == FramePass::Step) glDisable(GL_RASTERIZER_DISCARD);
    return true;
}
