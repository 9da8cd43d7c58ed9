// Fire: the pool built at start-up, the slot's chain of copies, the live ramp of the fire life,
// and the blur-source redraw.
#include "effects/fire/FireLayer.h"

#include "effects/AdditiveLayer.h"
#include "effects/KeySlice.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

namespace {

void enterFireState() {
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_BLEND);
    glBlendFunc(GL_ONE, GL_ONE);
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_FASTEST);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
}

void leaveFireState() {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// The chain: each copy is drawn, the pool stepped, and the frame moved on for the next copy,
// relative to the one before. A fire number at or below 116 is first replaced by `lowNumber`.
void drawFireChain(CZoetraView& v, float lowNumber) {
    enterFireState();
    if (v.fireNumber <= 116) v.fireNumber = lowNumber;
    const int dt = fireTimeStep(v);
    const float copies = 50 - v.fireNumber / 5;
    for (int c = 1; c < kFireCopies && static_cast<float>(c) < copies; ++c) {
        FireCopy& copy = v.fireCopies[c];
        glTranslatef(0, -3, v.fireMoveZ - 7);
        v.fireSystem.drawFire(v.fireTexture);
        v.fireSystem.stepFire(dt, v);
        glRotatef(v.fireTilt, 1, 0, 0);
        glRotatef(copy.copyAngle + v.fireSpeed, 0, 1, 0);
        glRotatef(v.fireSpiral / 5, 0, 0, 1);
        glTranslatef(copy.copyDistance - v.fireSpacing / 10, 0, v.fireMoveZ);
        glRotatef(-copy.copyAngle - v.fireSpeed, 0, 1, 0);
        // Used from the next frame on.
        copy.copyAngle = v.fireDirection + static_cast<float>(c) * v.fireDirection * 10 / 50;
    }
    leaveFireState();
}

} // namespace

void buildFirePool(CZoetraView& v) {
    v.fireSystem.particleCount = kFireParticles;
    v.fireSystem.spawnOrigin = {0, 0, 0};
    v.fireSystem.clear();
}

int fireTimeStep(const CZoetraView& v) {
    return truncateToInt(2 + v.fireLife + v.fireNumber - 1);
}

void rampFireLife(CZoetraView& v) {
    if (!isOn(v.fireRampRequest)) return;
    if (v.fireLife <= -180) v.fireLife += 20;
    if (v.fireLife >= -1) v.fireRampRequest = 0;
}

void drawFire(CZoetraView& v) {
    drawAdditiveLayer(v.additiveTargets, [&] { drawFireChain(v, 118); });
    if (!v.timelinePlaying) rampFireLife(v); // the live composer only
}

void drawFireBlurSource(CZoetraView& v, bool radialCapture) {
    drawAdditiveLayer(v.additiveTargets,
                      [&] { drawFireChain(v, radialCapture ? 243.0f : 118.0f); });
}
