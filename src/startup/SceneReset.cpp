// The reset of the "New" command: every block back to its defaults, with the few values "New"
// keeps or sets differently, then the reloads, the timeline and the deck.
#include "assets/DefaultAssets.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"
#include "scene/SceneInit.h"
#include "timeline/KeyframeStore.h"

#include <GL/gl.h>

namespace {

void resetText(CZoetraView& v) {
    const float textOn = v.textOn; // the text keeps its switch
    static_cast<TextParams&>(v) = TextParams{};
    v.textOn = textOn;
    v.spotColour = {255, 255, 255};
    v.textUseDefaultTexture = 2.0f;
    v.textTexturePath = "Textures/Gold.jpg";
}

void resetParticles(CZoetraView& v) {
    const float fogEnd = v.particleFogEnd;
    static_cast<ParticleParams&>(v) = ParticleParams{};
    v.particleFogEnd = fogEnd;
}

void resetModels(CZoetraView& v) {
    Vec3 blurColour[kModelCount];
    for (int n = 0; n < kModelCount; ++n)
        blurColour[n] = v.modelBlurColour[n];
    static_cast<ModelParams&>(v) = ModelParams{};
    for (int n = 0; n < kModelCount; ++n)
        v.modelPosition[n] = {0, 0, -40};
    // Model 1 keeps its red and green, models 2 and 3 their green.
    v.modelBlurColour[0] = {blurColour[0].x, blurColour[0].y, 50};
    v.modelBlurColour[1] = {50, blurColour[1].y, 0};
    v.modelBlurColour[2] = {50, blurColour[2].y, 0};
}

void resetPictures(CZoetraView& v) {
    static_cast<PictureParams&>(v) = PictureParams{};
    v.picturePath2 = "Images/video-girl.jpg";
    v.pictureMeshValid[0] = 0;
    v.pictureMeshValid[1] = 0;
}

void resetMouse(CZoetraView& v) {
    v.buttonDown = 0;
    v.rightButtonDown = 0;
    v.dragAnchor = {};
    v.dragStepX = 0;
    v.dragStepY = 0;
    v.mouseTargetText = 2.0f;
    v.mouseTargetStars = 0;
    v.mouseTargetParticles = 0;
    v.mouseTargetTunnel = 0;
    for (float& target : v.mouseTargetModel)
        target = 0;
    v.mouseTargetPictures = 0;
    v.mousePage = 0;
}

void closeDeck(CZoetraView& v) {
    if (v.deckOpen && v.hideDeck) v.hideDeck(v);
    v.deckOpen = 0;
    v.deckSheet = nullptr;
    v.timelineUi = nullptr;
    v.keyframePage = nullptr;
    v.textPage = nullptr;
    v.starPage = nullptr;
    v.particlePage = nullptr;
    v.tunnelPage = nullptr;
    v.tilePage = nullptr;
    v.blurPage = nullptr;
    v.modelPage1 = nullptr;
    v.modelPage2 = nullptr;
    v.modelPage3 = nullptr;
    v.picturePage = nullptr;
}

} // namespace

void resetSceneValues(CZoetraView& v) {
    v.sceneVersion = 6.0f;

    resetText(v);
    static_cast<StarParams&>(v) = StarParams{};
    resetParticles(v);
    static_cast<FireParams&>(v) = FireParams{};
    static_cast<TunnelParams&>(v) = TunnelParams{};
    static_cast<TileParams&>(v) = TileParams{};
    static_cast<BlurParams&>(v) = BlurParams{};
    resetModels(v);
    resetPictures(v);
    v.assetPathMode = 0; // the text textures are reloaded from their relative path

    // Timeline and frame clock.
    v.timelinePlaying = false;
    v.bakeCursor = 0;
    v.timelineLength = 0;
    v.playFrame = 0;
    resetTimeline(v);
    v.lastFrameClock = 0;
    v.aviFrameRate = 50;
    v.framesThisSecond = 0;

    closeDeck(v);
    resetMouse(v);
    captureStartValues(v); // key 0 starts from the new look
}

void resetScene(CZoetraView& v) {
    resetSceneValues(v);

    // The glyph lists for "Lumatoy" in "Arial Black", the text textures and picture 2; both
    // picture meshes are rebuilt by the next frame. None of this changes a keyable value.
    buildTextLists(v); // deletes the previous lists first
    loadDefaultTextTextures(v);
    loadDefaultPicture2(v);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
}
