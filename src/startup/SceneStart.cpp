// Start-up initialisation of the scene: the steps OnInitialUpdate runs once the context exists.
#include "scene/SceneInit.h"

#include "assets/DefaultAssets.h"
#include "effects/blur/BlurLayer.h"
#include "effects/fire/FireLayer.h"
#include "effects/pictures/PictureLayer.h"
#include "effects/stars/StarLayer.h"
#include "effects/text/TextLayer.h"
#include "export/ExportSettings.h"
#include "scene/CZoetraView.h"
#include "scene/ProgramFolder.h"
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

void initialiseScene(CZoetraView& v, StartMode mode) {
    v.sceneVersion = 6.0f;
    QDir::setCurrent(programFolder());

    uploadBuiltInTextTexture(v);
    setBaseGlState();
    v.spotColour = {128, 128, 128};

    // Default textures, the three Tardis models, the reflection image and the particle sprite.
    v.textTexturePath = "Textures/Gold.jpg";
    loadDefaultTextures(v);
    for (int n = 0; n < kModelCount; ++n) {
        v.modelPath[n] = "model/Tardis.3ds";
        v.modelTexturePath[n] = "Textures/TardisImages3.jpg";
    }
    loadDefaultModelsAndSprites(v);

    // The layers' start values (already given by construction) and their simulation tables.
    v.particleCount = 800;
    v.particleRebuildRequest = 2.0f;
    for (float& lighting : v.modelLighting)
        lighting = 2.0f;
    buildStarTable(v);
    buildFirePool(v);
    v.picturePath1 = "Images/sleeping-dog.jpg";
    v.picturePath2 = "Images/video-girl.jpg";
    loadDefaultPictures(v);
    v.assetPathMode = 2; // from here on paths are used as given

    createBlurTargets(v);
    setStartLighting();
    buildPictureGrid(v);
    buildTextLists(v);
    v.textOn = 2.0f;

    if (mode == StartMode::CommandLine) {
        scanSequences(v);
        return;
    }
    readSettings(v);
    scanSequences(v);
    applyPresetWindowSize(v);
    loadStartSequence(v);
}
