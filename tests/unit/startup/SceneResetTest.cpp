// The values of the layer blocks outside the page triples at start, and what "New" does to them.
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/RecordingDeck.h"
#include "timeline/KeyableParams.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

TEST(SceneStart, LayerSettingsWithoutAPageEntryHaveTheirDefaults) {
    auto v = makeScene();
    // Text.
    EXPECT_EQ(v->textString, "Lumatoy");
    EXPECT_EQ(v->fontFace, "Arial Black");
    EXPECT_EQ(v->fontWeight, 0);
    EXPECT_FLOAT_EQ(v->textStyle, 0);
    EXPECT_FLOAT_EQ(v->textUseDefaultTexture, 0);
    EXPECT_EQ(v->textTexturePath, "Textures/Gold.jpg");
    // Particles.
    EXPECT_EQ(v->particleCount, 800);
    EXPECT_FLOAT_EQ(v->particleSizeBase, 1.0f);
    EXPECT_FLOAT_EQ(v->particleRebuildRequest, 2);
    EXPECT_FLOAT_EQ(v->particleWarmUpRequest, 0);
    EXPECT_TRUE(v->particleTextureName.empty());
    // A fresh emitter: every field 0 except the end alpha and the life range.
    const ParticleSystem& e = v->particleSystem;
    EXPECT_FLOAT_EQ(e.alphaEndMin, 1);
    EXPECT_FLOAT_EQ(e.alphaEndMax, 1);
    EXPECT_FLOAT_EQ(e.lifeMin, 1);
    EXPECT_FLOAT_EQ(e.lifeMax, 1);
    EXPECT_EQ(e.maxParticles, 0);
    EXPECT_EQ(e.textured, 0);
    EXPECT_EQ(e.particles[kMaxParticles - 1].alive, 0);
    // Stars, fire, tunnel, tiles.
    EXPECT_FLOAT_EQ(v->starSingleColour, 0);
    EXPECT_EQ(v->fireSystem.particleCount, 300);
    EXPECT_FLOAT_EQ(v->fireMultiColour, 0);
    EXPECT_FLOAT_EQ(v->fireRampRequest, 0);
    EXPECT_FLOAT_EQ(v->tunnelFogDensity, 0.25f);
    EXPECT_FLOAT_EQ(v->tunnelArcX, 200);
    EXPECT_FLOAT_EQ(v->tunnelArcY, 200);
    EXPECT_EQ(Vec3(v->tunnelRed, v->tunnelGreen, v->tunnelBlue), Vec3(0, 255, 0));
    EXPECT_FLOAT_EQ(v->tunnelTexMode, 0);
    EXPECT_FLOAT_EQ(v->tileSelected, 2);
    // Blur: only the text is a blur source, its box counted as clicked once.
    EXPECT_EQ(v->legacyBlurColour, Vec3(0, 0, 1));
    EXPECT_FLOAT_EQ(v->blurText, 2);
    EXPECT_FLOAT_EQ(v->blurTextClicks, 1);
    EXPECT_FLOAT_EQ(v->blurStars + v->blurParticles + v->blurFire + v->blurModel, 0);
    EXPECT_FLOAT_EQ(v->blurAfterLayers, 0);
    // Models: lit, unit scale x1, the Tardis.
    for (int n = 0; n < kModelCount; ++n) {
        EXPECT_FLOAT_EQ(v->modelLighting[n], 2) << n;
        EXPECT_EQ(v->modelUnits[n], 3) << n;
        EXPECT_FLOAT_EQ(v->modelRadialBlur[n], 0) << n;
        EXPECT_EQ(v->modelPath[n], "model/Tardis.3ds") << n;
        EXPECT_EQ(v->modelTexturePath[n], "Textures/TardisImages3.jpg") << n;
    }
    // Pictures.
    EXPECT_EQ(v->flagWave, 0);
    EXPECT_FLOAT_EQ(v->picture2Off, 0);
    EXPECT_FLOAT_EQ(v->pictureLighting, 0);
    EXPECT_EQ(v->picturePath1, "Images/sleeping-dog.jpg");
    EXPECT_EQ(v->picturePath2, "Images/video-girl.jpg");
    // The rest of the record.
    EXPECT_FLOAT_EQ(v->sceneVersion, 6.0f);
    EXPECT_EQ(v->assetPathMode, 0);
    EXPECT_EQ(v->assetPath[0], '\0');
    EXPECT_EQ(v->deckOpen, 0);
    EXPECT_FALSE(v->pageExists(DeckPage::Text));
    EXPECT_EQ(v->pageEntry(DeckPage::Text), -1);
    EXPECT_EQ(v->buttonDown, 0);
}

// Puts a scene into a state far from its defaults, as a session of editing would.
void edit(CZoetraView& v) {
    v.sceneVersion = 4.0f;
    v.textString = "Hello";
    v.fontFace = "Serif";
    v.fontWeight = 700;
    v.textStyle = 3;
    v.textWireframe = 2;
    v.textUseDefaultTexture = 0;
    v.textTexturePath = "Textures/Mine.jpg";
    v.backgroundColour = {10, 20, 30};
    v.starNumber = 100;
    v.starSingleColour = 2;
    v.stars[5].distance = 3.5f;
    v.particleCount = 50;
    v.particleRebuildRequest = 0;
    v.particleTextureName = "Particles/mine.tga";
    v.fireMultiColour = 2;
    v.fireRampRequest = 2;
    v.tunnelTexMode = 2;
    v.tunnelTextureName = "Textures/wall.jpg";
    v.tileOpaque2 = 2;
    v.tileSelected = 4;
    v.blurText = 0;
    v.blurTextClicks = 0;
    v.blurAfterLayers = 2;
    v.blurColourMode = 4;
    v.legacyBlurColour = {1, 1, 1};
    v.modelUnits[1] = 6;
    v.modelLighting[2] = 0;
    v.modelRadialBlur[0] = 2;
    v.modelLoadRequest[0] = 2;
    v.modelPath[1] = "Model/other.3ds";
    v.flagWave = 90;
    v.pictureMeshValid[0] = v.pictureMeshValid[1] = 2;
    v.picturePath1 = "Images/one.jpg";
    v.picturePath2 = "Images/two.jpg";
    v.pictureSelector = 2;
    v.buttonDown = v.rightButtonDown = 1;
    v.dragAnchor = {40, 50};
    v.dragStepX = 3;
    v.dragStepY = -2;
    v.mouseTargetText = 0;
    v.mouseTargetModel[1] = 2;
    v.mousePage = 8;
    v.timelinePlaying = true;
    v.bakeCursor = 3;
    v.timelineLength = 500;
    v.playFrame = 42;
    v.lastFrameClock = 12345;
    v.aviFrameRate = 25;
    v.framesThisSecond = 17;
}

TEST(SceneNew, ResetsTextFontAndVersionDependentState) {
    auto v = makeScene();
    edit(*v);
    resetSceneValues(*v);
    EXPECT_FLOAT_EQ(v->sceneVersion, 6.0f);
    EXPECT_EQ(v->textString, "Lumatoy");
    EXPECT_EQ(v->fontFace, "Arial Black");
    EXPECT_EQ(v->fontWeight, 0);
    EXPECT_FLOAT_EQ(v->textStyle, 0);
    EXPECT_FLOAT_EQ(v->textWireframe, 0);
    EXPECT_FLOAT_EQ(v->textUseDefaultTexture, 2); // the reloaded default texture is bound
    EXPECT_EQ(v->textTexturePath, "Textures/Gold.jpg");
    EXPECT_EQ(v->backgroundColour, Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(v->blurAfterLayers, 0);
    EXPECT_FLOAT_EQ(v->blurColourMode, 0);
    EXPECT_FLOAT_EQ(v->blurText, 2);
    EXPECT_FLOAT_EQ(v->blurTextClicks, 1);
    EXPECT_EQ(v->legacyBlurColour, Vec3(0, 0, 1));
}

TEST(SceneNew, RestoresLayerSettingsButKeepsTheLoadedAssetsAndTables) {
    auto v = makeScene();
    edit(*v);
    resetSceneValues(*v);
    EXPECT_FLOAT_EQ(v->starNumber, 250);
    EXPECT_FLOAT_EQ(v->starSingleColour, 0);
    EXPECT_FLOAT_EQ(v->stars[5].distance, 3.5f); // the star layout is never rebuilt
    EXPECT_EQ(v->particleCount, 800);
    EXPECT_FLOAT_EQ(v->particleRebuildRequest, 2); // the emitter is rebuilt with 800 slots
    EXPECT_FLOAT_EQ(v->fireMultiColour, 0);
    EXPECT_FLOAT_EQ(v->fireRampRequest, 0);
    EXPECT_FLOAT_EQ(v->tunnelTexMode, 0);
    EXPECT_FLOAT_EQ(v->tileOpaque2, 0);
    EXPECT_FLOAT_EQ(v->tileSelected, 2);
    EXPECT_EQ(v->modelUnits[1], 3);
    EXPECT_FLOAT_EQ(v->modelLighting[2], 2);
    EXPECT_FLOAT_EQ(v->modelRadialBlur[0], 0);
    EXPECT_FLOAT_EQ(v->modelLoadRequest[0], 0);
    EXPECT_EQ(v->flagWave, 0);
    EXPECT_FLOAT_EQ(v->pictureSelector, 0);
    // Textures "New" does not reload keep the paths that describe them.
    EXPECT_EQ(v->particleTextureName, "Particles/mine.tga");
    EXPECT_EQ(v->tunnelTextureName, "Textures/wall.jpg");
    EXPECT_EQ(v->modelPath[1], "Model/other.3ds");
    EXPECT_EQ(v->picturePath1, "Images/one.jpg");
    // Picture 2 is reloaded from its default, and both meshes are rebuilt by the next frame.
    EXPECT_EQ(v->picturePath2, "Images/video-girl.jpg");
    EXPECT_FLOAT_EQ(v->pictureMeshValid[0], 0);
    EXPECT_FLOAT_EQ(v->pictureMeshValid[1], 0);
}

TEST(SceneNew, StopsPlaybackAndClearsTheMouseDragAndTheFrameClock) {
    auto v = makeScene();
    edit(*v);
    resetSceneValues(*v);
    EXPECT_EQ(v->buttonDown, 0);
    EXPECT_EQ(v->rightButtonDown, 0);
    EXPECT_EQ(v->dragAnchor.x, 0);
    EXPECT_EQ(v->dragAnchor.y, 0);
    EXPECT_FLOAT_EQ(v->dragStepX, 0);
    EXPECT_FLOAT_EQ(v->dragStepY, 0);
    EXPECT_FLOAT_EQ(v->mouseTargetText, 2); // the text is the mouse target again
    EXPECT_FLOAT_EQ(v->mouseTargetModel[1], 0);
    EXPECT_FLOAT_EQ(v->mousePage, 0);
    EXPECT_FALSE(v->timelinePlaying);
    EXPECT_EQ(v->bakeCursor, 0);
    EXPECT_EQ(v->timelineLength, 0);
    EXPECT_EQ(v->playFrame, 0);
    EXPECT_EQ(v->lastFrameClock, 0);
    EXPECT_EQ(v->aviFrameRate, 50); // 20 ms frames until the export settings apply again
    EXPECT_EQ(v->framesThisSecond, 0);
}

TEST(SceneStart, KeyZeroStartsFromTheConstructedLook) {
    auto v = makeScene();
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        ASSERT_FLOAT_EQ(v->startKey[p], keyableValue(*v, p)) << keyableParams()[p].id;
    EXPECT_FLOAT_EQ(v->startKey[keyableIndex("text.scale.x")], 50);
}

TEST(SceneNew, EmptiesTheTimelineAndStartsKeyZeroFromTheResetLook) {
    auto v = makeScene();
    v->keyCount = 2;
    v->keyFrames[1] = 10;
    v->keyFrames[2] = 20;
    v->sequenceLoaded = true;
    edit(*v);
    v->textScale = {1, 2, 3};
    v->startKey[keyableIndex("text.scale.x")] = 1;

    resetSceneValues(*v);

    EXPECT_EQ(v->keyCount, 0);
    EXPECT_EQ(v->keyFrames[2], 0);
    for (int p = 0, pEnd = keyableCount(); p < pEnd; ++p)
        ASSERT_FLOAT_EQ(v->startKey[p], keyableValue(*v, p)) << keyableParams()[p].id;
    EXPECT_FLOAT_EQ(v->startKey[keyableIndex("text.scale.x")], 50);
}

TEST(SceneNew, ClosesAnOpenDeckAndForgetsItsPages) {
    auto v = makeScene();
    RecordingDeck deck;
    v->deckOpen = 1;
    v->deck = &deck;
    v->pageCreated[pageIndex(DeckPage::Text)] = true;
    v->selectedEntry[pageIndex(DeckPage::Text)] = 4;
    v->pageCreated[pageIndex(DeckPage::Model3)] = true;
    v->textMaterialEntry = 2;

    resetSceneValues(*v);
    EXPECT_EQ(deck.calls, QStringList{"close"});
    EXPECT_EQ(v->deckOpen, 0);
    EXPECT_EQ(v->deck, nullptr);
    EXPECT_FALSE(v->pageExists(DeckPage::Text));
    EXPECT_EQ(v->pageEntry(DeckPage::Text), -1);
    EXPECT_FALSE(v->pageExists(DeckPage::Model3));
    EXPECT_EQ(v->textMaterialEntry, -1);

    // With the deck closed there is nothing to close.
    resetSceneValues(*v);
    EXPECT_EQ(deck.calls, QStringList{"close"});
}

} // namespace
