// Projection, frame throttle, capture pacing, frame-rate count and ortho bracket.
#include "render/FrameClock.h"

#include "render/Clock.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <cstdio>

namespace {
// Kept beside the clock it reads (activeClock(), itself process-wide): resetRateGate restarts it
// whenever a run switches clocks.
float g_lastGateSeconds = 0.0f;
} // namespace

void setPerspective(int width, int height) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / static_cast<double>(height), 0.1, 10000.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

bool frameDue(CZoetraView& v) {
    if (v.lockToAviRate == 0) return true;
    if (v.aviFrameRate <= 0) return true;
    const std::int32_t now = activeClock().clockMs();
    if (now - v.lastFrameClock <= 1000 / v.aviFrameRate) return false;
    if (!(v.exportInProgress > 1.0f)) v.lastFrameClock = now;
    return true;
}

bool rateGate(float rate) {
    const float now = static_cast<float>(activeClock().tickCountMs()) * 0.001f;
    if (now - g_lastGateSeconds > 1.0f / rate) {
        g_lastGateSeconds = now;
        return true;
    }
    return false;
}

void resetRateGate() {
    g_lastGateSeconds = 0.0f;
}

void countFrame(CZoetraView& v) {
    ++v.framesThisSecond;
    const std::int32_t now = activeClock().clockMs();
    if (now - v.fpsWindowStart > 1010) {
        v.measuredFps = v.framesThisSecond;
        v.framesThisSecond = 0;
        if (v.showFps >= 2.0f && v.pageExists(DeckPage::Keyframes))
            v.deckUi().showFrameRate(QString::fromLatin1(fpsText(v.measuredFps)));
        v.fpsWindowStart = now;
    }
}

const char* fpsText(int measuredFps) {
    static char text[32];
    std::snprintf(text, sizeof text, "%d Fps", measuredFps + 3);
    return text;
}
