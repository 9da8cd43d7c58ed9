// Particle layer: the emitter's set-up from the scene, the slot and its blur-source redraw.
#include "effects/particles/ParticleLayer.h"

#include "effects/CommonGl.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// The time step of a frame: the particle speed slider over 50.
float frameStep(const CZoetraView& v) {
    return v.particleSpeed / 50.0f;
}

// Lighting off, texturing on, additive blending, no depth test (step 1 of the slot).
void enterParticleState() {
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glEnable(GL_POINT_SMOOTH);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
}

void applyParticleFog(const CZoetraView& v) {
    const GLfloat black[] = {0, 0, 0, 1};
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogfv(GL_FOG_COLOR, black);
    glFogf(GL_FOG_DENSITY, 0.05f);
    glHint(GL_FOG_HINT, GL_NICEST);
    glFogf(GL_FOG_START, 0.0f);
    // An end at the start (0) fogs every particle fully; GL would switch the fog off there
    // instead, so the end goes a hair beyond it.
    glFogf(GL_FOG_END, v.particleFogEnd == 0.0f ? 1e-4f : v.particleFogEnd);
    glEnable(GL_FOG);
}

void placeLayer(const CZoetraView& v) {
    glTranslatef(v.particlePosition.x, v.particlePosition.y, v.particlePosition.z - 40);
    glRotatef(v.particleRotate.x, 1, 0, 0);
    glRotatef(v.particleRotate.y, 0, 1, 0);
    glRotatef(v.particleRotate.z, 0, 0, 1);
}

// Particles are depth-tested but write no depth; the star sprite is bound for points mode.
void drawEmitter(CZoetraView& v) {
    glEnable(GL_TEXTURE_2D);
    glDepthMask(GL_TRUE);
    glEnable(GL_BLEND);
    glDepthMask(GL_FALSE);
    glEnable(GL_DEPTH_TEST);
    const float pointSize = v.particleSizeBase / std::sqrt(50.0f);
    if (pointSize > 0 && std::isfinite(pointSize)) glPointSize(pointSize);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, v.starTexture2);
    v.particleSystem.draw();
}

void leaveParticleState() {
    glDepthMask(GL_TRUE);
    glFlush();
    leaveUnlitFoggedLayer();
}

// Lives at or below 0.1, and lives that are no number, become 0.2.
void floorAge(float& age) {
    if (!(age > 0.1f)) age = 0.2f;
}

} // namespace

void configureParticles(ParticleSystem& ps) {
    ps.allocate(300);
    ps.emissionRate = 300;
    ps.emissionVariation = 0;
    ps.lifeMin = 0.5f;
    ps.lifeMax = 1.5f;
    ps.setColourStart({1, 0, 0}, {1, 0.5f, 0});
    ps.setColourEnd({1, 1, 1}, {1, 0.5f, 0});
    ps.setAlpha(1, 1, 0, 0);
    ps.setOrigin({0, 0, 0.5f}, {0.1f, 0, 0.1f});
    ps.setGravity({0, 1, 0}, 0.3f, 0.4f);
    ps.setSize(0.04f, 0.08f, 0.06f, 0.12f);
    ps.speedMin = 0.3f;
    ps.speedMax = 0.2f;
    ps.setDirection({0, 1, 0}, {0.08f, 0.5f, 0.08f});
    ps.emitAtOrigin = 1;
    ps.setSpin(-2.576106f, 2.576106f);
    ps.billboardMode = 1;
}

void serveParticleRebuild(CZoetraView& v) {
    if (!isOn(v.particleRebuildRequest)) return;
    configureParticles(v.particleSystem);
    v.particleSystem.allocate(v.particleCount); // a refused count keeps the 300 slots
    v.particleRebuildRequest = 0;
}

void copyParticleBlock(CZoetraView& v) {
    ParticleSystem& ps = v.particleSystem;
    ps.setOrigin(v.particleScale / 1000.0f, v.particleScale - Vec3{0.01f, 0.01f, 0.01f});
    ps.setGravity(
        Vec3{v.particleGravityLeftRight, v.particleGravityUpDown, v.particleGravityInOut} / 100.0f,
        v.particleGravitySpeedMin / 100.0f, v.particleGravitySpeedMax / 100.0f);
    ps.setDirection(v.particleDirection1 / 100.0f, v.particleDirection2 / 100.0f);
    floorAge(v.particleMaxAge);
    floorAge(v.particleMinAge);
    ps.lifeMin = v.particleMaxAge + 0.0025f;
    ps.lifeMax = v.particleMinAge + 0.0025f;
    ps.setColourStart(v.particleColour / 15.0f - Vec3{10, 10, 10}, v.particleColourFloor);
    ps.setAlpha(100, 500, 100, 100); // every particle is drawn at full alpha
    const float g = v.particleSizeBase * 5;
    ps.setSize(g, g, g, 0.12f);
    // "Multi Color": the particles die towards the colours of a wheel that turns once in
    // `particleMultiColourLevel` births (600 when the button switches it on).
    const bool wheel = isOn(v.particleMultiColour) && v.particleMultiColourLevel >= 1;
    ps.colourWheelBirths = wheel ? v.particleMultiColourLevel : 0;
}

void stepParticlesForFrame(CZoetraView& v) {
    // A loaded sequence starts with a populated cloud.
    if (isOn(v.particleWarmUpRequest))
        v.particleSystem.step(50.0f);
    else if (isOff(v.particleWarmUpRequest))
        v.particleSystem.step(frameStep(v));
    v.particleWarmUpRequest = 0;
}

void drawParticles(CZoetraView& v) {
    enterParticleState();
    serveParticleRebuild(v);
    if (v.sceneVersion >= 6.0f) applyParticleFog(v);
    copyParticleBlock(v);
    placeLayer(v);
    stepParticlesForFrame(v);
    drawEmitter(v);
    leaveParticleState();
}

void drawParticlesBlurSource(CZoetraView& v) {
    enterParticleState();
    serveParticleRebuild(v);
    copyParticleBlock(v);
    placeLayer(v);
    v.particleSystem.step(frameStep(v));
    drawEmitter(v);
    leaveParticleState();
}
