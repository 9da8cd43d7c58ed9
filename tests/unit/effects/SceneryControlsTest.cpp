// The tunnel, tile and picture pages as tables: what their entries reach (the tile page through
// the selected quad), their mouse drags and gates, toggles and boxes, opening, Reset and the
// page actions the deck calls.
#include "controls/MouseControl.h"
#include "controls/PageModel.h"
#include "effects/pictures/PictureEffect.h"
#include "effects/tiles/TileEffect.h"
#include "effects/tunnel/TunnelEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"
#include "startup/SceneStart.h"
#include "support/RecordingDeck.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

void showPage(CZoetraView& v, DeckPage page, int entry) {
    v.pageCreated[pageIndex(page)] = true;
    v.selectedEntry[pageIndex(page)] = entry;
}

void drag(CZoetraView& v, Qt::MouseButton button, int dx, int dy) {
    v.mouseTargetText = 0; // the text stays out of it
    mousePress(v, button, 100, 100);
    mouseMove(v, 100 + dx, 100 + dy, Qt::NoModifier);
    mouseRelease(v, button);
}

// A click of a toggle as the deck makes it: the counter advances, the flag takes the value of
// the click, and the caption the matching text.
const char* click(CZoetraView& v, const ControlPage& page, int toggle) {
    const ToggleSpec& t = page.toggles[size_t(toggle)];
    const int second = advanceClickCounter(t.clicks(v, page.instance)) == Click::Second;
    t.flag(v, page.instance) = t.values[second];
    return t.captions[second];
}

bool ticked(const CZoetraView& v, const ControlPage& page, int toggle) {
    return page.toggles[size_t(toggle)].ticked(v, page.instance);
}

float* valueOf(CZoetraView& v, const ControlPage& page, int entry, int n) {
    return controlValue(v, page, page.entries[size_t(entry)].values[n]).real;
}

struct SceneryControls : ::testing::Test {
    std::unique_ptr<CZoetraView> v = makeScene();
    RecordingDeck deck;
    void SetUp() override { v->deck = &deck; }
};

} // namespace

TEST_F(SceneryControls, TilePageEditsTheQuadTheRadioButtonsChoose) {
    EXPECT_EQ(valueOf(*v, kTilePage, 0, 0), &v->tileRotateX1);
    EXPECT_EQ(valueOf(*v, kTilePage, 1, 2), &v->tilePosZ1);
    selectTileQuad(*v, 1);
    EXPECT_EQ(v->tileSelected, 4.0f);
    EXPECT_EQ(tileQuadSelected(*v), 1);
    EXPECT_EQ(valueOf(*v, kTilePage, 0, 0), &v->tileRotateX2);
    EXPECT_EQ(valueOf(*v, kTilePage, 2, 1), &v->tileRollY2);
    EXPECT_TRUE(deck.calls.isEmpty()); // no page to show it
    showPage(*v, DeckPage::Tiles, 1);
    selectTileQuad(*v, 0);
    EXPECT_EQ(v->tileSelected, 2.0f);
    EXPECT_EQ(deck.calls, QStringList{QString("values %1").arg(pageIndex(DeckPage::Tiles))});
}

TEST_F(SceneryControls, TileDragsMoveTheSelectedQuadWhileThePageBringsTheMouse) {
    showPage(*v, DeckPage::Tiles, 0);
    drag(*v, Qt::LeftButton, 20, 10);
    EXPECT_EQ(v->tileRotateX1, 0.0f); // the mouse switch is still off
    kTilePage.open(*v, 0);
    EXPECT_TRUE(isOn(v->tileMouse));
    drag(*v, Qt::LeftButton, 20, 10); // h 10, v 5
    EXPECT_EQ(v->tileRotateX1, 5.0f);
    EXPECT_EQ(v->tileRotateY1, 10.0f);
    v->selectedEntry[pageIndex(DeckPage::Tiles)] = 2;
    drag(*v, Qt::LeftButton, 20, 10);
    EXPECT_FLOAT_EQ(v->tileRollX1, 0.5f); // a twentieth
    EXPECT_FLOAT_EQ(v->tileRollY1, -0.25f);
    drag(*v, Qt::RightButton, 20, 10);
    EXPECT_EQ(v->tileRotateZ1, 0.0f); // the roll has no Z
    selectTileQuad(*v, 1);
    v->selectedEntry[pageIndex(DeckPage::Tiles)] = 1;
    drag(*v, Qt::RightButton, 20, 10);
    EXPECT_EQ(v->tilePosZ2, -150.0f + 7.5f);
    EXPECT_EQ(v->tilePosZ1, -200.0f);
    drag(*v, Qt::LeftButton, 20, 10);
    EXPECT_EQ(v->tilePosX2, 10.0f);
    EXPECT_EQ(v->tilePosY2, -5.0f);
    // A selector that is neither quad stops the drags.
    v->tileSelected = 3;
    drag(*v, Qt::LeftButton, 20, 10);
    EXPECT_EQ(v->tilePosX2, 10.0f);
}

TEST_F(SceneryControls, TunnelDragsNeedTheTargetAndThePage) {
    v->mouseTargetTunnel = 2;
    drag(*v, Qt::LeftButton, 10, 6);
    EXPECT_EQ(v->tunnelSpeed, 0.0f); // no page
    showPage(*v, DeckPage::Tunnel, 0);
    drag(*v, Qt::LeftButton, 10, 6); // h 5, v 3
    EXPECT_EQ(v->tunnelSpeed, 5.0f);
    EXPECT_EQ(v->tunnelTwist, -3.0f);
    drag(*v, Qt::RightButton, 10, 6);
    EXPECT_EQ(v->tunnelRotate, 272.0f + 4.0f);
    v->selectedEntry[pageIndex(DeckPage::Tunnel)] = 2;
    drag(*v, Qt::LeftButton, 10, 6);
    EXPECT_EQ(v->tunnelFogStart, 5.0f);
    EXPECT_EQ(v->tunnelFogEnd, 227.0f);
    drag(*v, Qt::RightButton, 10, 6); // fog has no Z: nothing moves
    EXPECT_EQ(v->tunnelRotate, 276.0f);
    v->selectedEntry[pageIndex(DeckPage::Tunnel)] = 3;
    drag(*v, Qt::LeftButton, -10, 6);
    EXPECT_EQ(v->tunnelSqueezeX, 295.0f);
    EXPECT_EQ(v->tunnelSqueezeY, 297.0f);
    v->mouseTargetTunnel = 0;
    drag(*v, Qt::LeftButton, -10, 6);
    EXPECT_EQ(v->tunnelSqueezeX, 295.0f);
}

TEST_F(SceneryControls, PictureDragsFollowTheEntryAndTurnThePicturesFromTheWaveAndFade) {
    showPage(*v, DeckPage::Pictures, 3);
    drag(*v, Qt::LeftButton, 10, 6);
    EXPECT_EQ(v->pictureLight.x, 0.0f); // the page code is not the pictures'
    v->mousePage = 9;
    drag(*v, Qt::LeftButton, 10, 6);
    EXPECT_EQ(v->pictureLight, Vec3(5, -3, 0));
    drag(*v, Qt::RightButton, 10, 6);
    EXPECT_EQ(v->pictureLight.z, 4.0f);
    v->selectedEntry[pageIndex(DeckPage::Pictures)] = 2;
    drag(*v, Qt::RightButton, 10, 6); // scale Z is not on the page
    EXPECT_EQ(v->pictureScale, Vec3(50, 50, 1));
    for (int entry : {4, 5}) {
        v->pictureRotation = {0, 0, 0};
        v->selectedEntry[pageIndex(DeckPage::Pictures)] = entry;
        drag(*v, Qt::LeftButton, 10, 6);
        drag(*v, Qt::RightButton, 10, 6);
        EXPECT_EQ(v->pictureRotation, Vec3(3, 5, 4)) << entry;
    }
    EXPECT_EQ(v->pictureWavy, -1.0f);
    EXPECT_EQ(v->pictureFade, 0.0f);
}

TEST_F(SceneryControls, FlagWaveIsTheWaveEntrysIntegerAndOnlyItsXEditTypes) {
    const ControlEntry& wave = kPicturePage.entries[4];
    const ValueHandle flag = controlValue(*v, kPicturePage, wave.values[2]);
    ASSERT_EQ(flag.whole, &v->flagWave);
    flag.set(-37.9f);
    EXPECT_EQ(v->flagWave, -37);
    EXPECT_TRUE(wave.editSets[0]);
    EXPECT_FALSE(wave.editSets[1] || wave.editSets[2]);
    const ControlEntry& fade = kPicturePage.entries[5];
    EXPECT_FALSE(fade.editSets[0]);
    EXPECT_FALSE(fade.enabled[1] || fade.enabled[2]);
}

TEST_F(SceneryControls, LayerButtonsGoOffThenOnAfterThePageOpens) {
    kTunnelPage.open(*v, 0);
    kTilePage.open(*v, 0);
    kPicturePage.open(*v, 0);
    EXPECT_TRUE(isOn(v->tunnelOn) && isOn(v->tilesOn) && isOn(v->pictureOn));
    EXPECT_STREQ(click(*v, kTunnelPage, 0), "Tunnel Off");
    EXPECT_EQ(v->tunnelOn, 0.0f);
    EXPECT_STREQ(click(*v, kTunnelPage, 0), "Tunnel On");
    EXPECT_EQ(v->tunnelOn, 2.0f);
    // The tile button opens as "Tiles On"; its clicks then read "Tile Off" and "Tile On".
    const ToggleSpec& tiles = kTilePage.toggles[kTileToggleLayer];
    EXPECT_STREQ(toggleButtonText(*v, kTilePage, tiles, false), "Tiles On");
    EXPECT_STREQ(click(*v, kTilePage, kTileToggleLayer), "Tile Off");
    EXPECT_STREQ(toggleButtonText(*v, kTilePage, tiles, true), "Tile Off");
    EXPECT_STREQ(click(*v, kTilePage, kTileToggleLayer), "Tile On");
    EXPECT_STREQ(toggleButtonText(*v, kTilePage, tiles, true), "Tile On");
    EXPECT_STREQ(toggleButtonText(*v, kTunnelPage, kTunnelPage.toggles[0], false), "Tunnel On");
    EXPECT_STREQ(click(*v, kPicturePage, 0), "Picture 1 Off");
    EXPECT_EQ(v->pictureOn, 0.0f);
    // The first click of picture 2's button hides it.
    EXPECT_STREQ(click(*v, kPicturePage, 1), "Picture 2 Off");
    EXPECT_EQ(v->picture2Off, 2.0f);
    EXPECT_STREQ(click(*v, kPicturePage, 1), "Picture 2 On");
    EXPECT_EQ(v->picture2Off, 0.0f);
}

TEST_F(SceneryControls, TileBoxesShowTheirFlagsAndTheNextClickChangesIt) {
    v->tileHidden2 = 2; // hidden by a sequence file
    kTilePage.open(*v, 0);
    EXPECT_TRUE(ticked(*v, kTilePage, kTileToggleTransparent1));
    EXPECT_TRUE(ticked(*v, kTilePage, kTileToggleVisible1));
    EXPECT_FALSE(ticked(*v, kTilePage, kTileToggleVisible2));
    // Unticking "Transparent" makes the quad opaque, ticking it again transparent.
    click(*v, kTilePage, kTileToggleTransparent1);
    EXPECT_EQ(v->tileOpaque1, 2.0f);
    EXPECT_FALSE(ticked(*v, kTilePage, kTileToggleTransparent1));
    click(*v, kTilePage, kTileToggleTransparent1);
    EXPECT_EQ(v->tileOpaque1, 0.0f);
    // The hidden quad's box comes back ticked with its first click.
    click(*v, kTilePage, kTileToggleVisible2);
    EXPECT_EQ(v->tileHidden2, 0.0f);
    EXPECT_TRUE(ticked(*v, kTilePage, kTileToggleVisible2));
    click(*v, kTilePage, kTileToggleVisible1);
    EXPECT_EQ(v->tileHidden1, 2.0f);
}

TEST_F(SceneryControls, LightingBoxTicksOnItsFirstClickAndResetUnticksIt) {
    kPicturePage.open(*v, 0);
    EXPECT_FALSE(ticked(*v, kPicturePage, 2));
    EXPECT_STREQ(click(*v, kPicturePage, 2), "Lighting");
    EXPECT_TRUE(isOn(v->pictureLighting));
    kPicturePage.reset(*v, 0);
    EXPECT_FALSE(ticked(*v, kPicturePage, 2));
    click(*v, kPicturePage, 2);
    EXPECT_TRUE(isOn(v->pictureLighting));
    // Opened again with lighting on, the next click turns it off.
    kPicturePage.open(*v, 0);
    click(*v, kPicturePage, 2);
    EXPECT_FALSE(isOn(v->pictureLighting));
}

TEST_F(SceneryControls, ResetsRestoreTheValuesAndSelectTheFirstEntry) {
    for (DeckPage page : {DeckPage::Tunnel, DeckPage::Tiles, DeckPage::Pictures})
        showPage(*v, page, 2);
    v->tunnelOn = 2;
    v->tunnelTexture = 77;
    v->tunnelSpeed = 40;
    v->tunnelRotate = -45;
    v->tunnelTexMode = 2;
    v->tunnelArcX = 100;
    v->tunnelRed = 0.5f;
    v->tunnelPosZ = 9;
    kTunnelPage.reset(*v, 0);
    const TunnelParams defaults;
    EXPECT_EQ(v->tunnelSpeed, 0.0f);
    EXPECT_EQ(v->tunnelRotate, defaults.tunnelRotate);
    EXPECT_EQ(v->tunnelTexMode, 0.0f);
    EXPECT_EQ(v->tunnelArcX, 200.0f);
    EXPECT_EQ(v->tunnelGreen, 255.0f);
    EXPECT_EQ(v->tunnelRed, 0.0f);
    EXPECT_EQ(v->tunnelPosZ, 0.0f);
    EXPECT_EQ(v->tunnelOn, 2.0f);
    EXPECT_EQ(v->tunnelTexture, 77u);
    EXPECT_EQ(v->pageEntry(DeckPage::Tunnel), 0);

    v->tilesOn = 2;
    v->tileSelected = 4;
    v->tilePosZ2 = 3;
    v->tileRollY1 = 30;
    v->tileOpaque2 = v->tileHidden1 = 2;
    kTilePage.reset(*v, 0);
    EXPECT_EQ(v->tileSelected, 2.0f);
    EXPECT_EQ(v->tilePosZ1, -200.0f);
    EXPECT_EQ(v->tilePosZ2, -150.0f);
    EXPECT_EQ(v->tileRollY1, 0.0f);
    EXPECT_EQ(v->tileOpaque2, 0.0f);
    EXPECT_EQ(v->tileHidden1, 0.0f);
    EXPECT_EQ(v->tileHidden1Clicks, 1.0f);
    EXPECT_EQ(v->tilesOn, 2.0f);
    EXPECT_EQ(v->pageEntry(DeckPage::Tiles), 0);

    v->pictureScale = {1, 2, 3};
    v->pictureWavy = 500;
    v->flagWave = 90;
    v->pictureFade = 128;
    v->pictureOn = 2;
    kPicturePage.reset(*v, 0);
    EXPECT_EQ(v->pictureScale, Vec3(50, 50, 1));
    EXPECT_EQ(v->pictureWavy, -1.0f);
    EXPECT_EQ(v->flagWave, 0);
    EXPECT_EQ(v->pictureFade, 0.0f);
    EXPECT_EQ(v->pictureOn, 2.0f);
    EXPECT_EQ(v->pageEntry(DeckPage::Pictures), 0);
}

TEST_F(SceneryControls, ChangeColorStoresTheChosenColourAsFractions) {
    setTunnelColour(*v, 255, 51, 0);
    EXPECT_FLOAT_EQ(v->tunnelRed, 1.0f);
    EXPECT_FLOAT_EQ(v->tunnelGreen, 0.2f);
    EXPECT_FLOAT_EQ(v->tunnelBlue, 0.0f);
}

TEST_F(SceneryControls, PicturePickersChooseThePictureBeforeTheDialog) {
    ASSERT_EQ(kPicturePage.pickers.size(), 2u);
    v->pictureSelector = 2;
    kPicturePage.pickers[0].before(*v, 0);
    EXPECT_EQ(v->pictureSelector, 0.0f);
    kPicturePage.pickers[1].before(*v, 0);
    EXPECT_EQ(v->pictureSelector, 2.0f);
    EXPECT_STREQ(kPicturePage.pickers[1].title, "Select Image 2");
    EXPECT_STREQ(kTilePage.pickers[1].title, "Select Tile Texture 2");
}
