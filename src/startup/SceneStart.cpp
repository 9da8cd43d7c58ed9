// Start-up initialisation of the scene: the steps OnInitialUpdate runs once the context exists.
#include "startup/SceneStart.h"

#include "effects/EffectLoads.h"
#include "effects/Effects.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "timeline/KeyframeStore.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>

#include <GL/gl.h>

namespace {

void setBaseGlState() {
    glShadeModel(GL_SMOOTH);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glEnable(GL_BLEND);
}

void setStartLighting() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);

    const GLfloat ambient[] = {0.2f, 0.2f, 0.2f, 1.0f};
    const GLfloat position[] = {0.0f, 5.0f, 10.0f, 1.0f};
    const GLfloat diffuse[] = {0.3f, 0.3f, 0.3f, 1.0f};
    const GLfloat specular[] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, specular);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glShadeModel(GL_SMOOTH);
    glMaterialf(GL_FRONT, GL_SHININESS, 128.0f);
    glClearColor(0.0f, 0.0f, 0.0f, 0.5f);
}

} // namespace

std::unique_ptr<CZoetraView> makeScene() {
    auto v = std::make_unique<CZoetraView>();
    captureStartValues(*v);
    return v;
}

void initialiseScene(CZoetraView& v) {
    v.sceneVersion = kSequenceFormatVersion;
    QDir::setCurrent(programFolder());
    setBaseGlState();

    // Every layer's default files (the text's built-in texture first among its own), then its
    // tables and GL objects.
    EffectLoads& loads = effectLoads();
    for (const EffectDescriptor* effect : allEffects())
        if (effect->loadDefaults) effect->loadDefaults(v, loads);
    v.assetPathMode = 2; // from here on paths are used as given
    for (const EffectDescriptor* effect : allEffects())
        if (effect->startUp) effect->startUp(v);
    setStartLighting();
    scanSequences(v);
}
