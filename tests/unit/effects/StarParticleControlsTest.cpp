// The "Star Controls" and "Particle Controls" tables: what choosing, clicking, opening and Reset
// change, the mouse routing and the drags each page allows.
#include "controls/MouseControl.h"
#include "effects/Effects.h"
#include "effects/particles/ParticleEffect.h"
#include "effects/stars/StarEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// A click on toggle `n` of `page`, as the deck's button makes it; returns the caption shown.
std::string click(CZoetraView& v, const ControlPage& page, int n) {
    const ToggleSpec& t = page.toggles[size_t(n)];
    const bool second = advanceClickCounter(t.clicks(v, page.instance)) == Click::Second;
    t.flag(v, page.instance) = t.values[second ? 1 : 0];
    if (t.onClick) t.onClick(v, page.instance, second);
    return t.captions[second ? 1 : 0];
}

// The page's window exists, its tab was activated last and `entry` is selected.
void activate(CZoetraView& v, const ControlPage& page, int entry) {
    v.pageCreated[pageIndex(page.page)] = true;
    v.selectedEntry[pageIndex(page.page)] = entry;
    v.mouseTargetText = v.mouseTargetStars = v.mouseTargetParticles = 0;
    page.mouseTarget(v, page.instance) = 2;
    v.mousePage = page.mousePageCode;
}

void drag(CZoetraView& v, Qt::MouseButton button, int dx, int dy) {
    mousePress(v, button, 100, 100);
    mouseMove(v, 100 + dx, 100 + dy, Qt::NoModifier);
    mouseRelease(v, button);
}

} // namespace

TEST(StarControls, EntriesAsThePageListsThemWithAnEmptySixth) {
    ASSERT_EQ(controlPage(DeckPage::Stars), &kStarPage);
    ASSERT_EQ(kStarPage.entries.size(), 6u);
    EXPECT_STREQ(kStarPage.caption, "Star Controls");
    EXPECT_STREQ(kStarPage.entries[0].text,
                 "Star Rotate  (Left Mouse Rotate X and Y, Right Mouse Rotate Z)");
    EXPECT_STREQ(kStarPage.entries[4].text,
                 "Star Colour (Red)  Star Colour (Green)  Start Colour (Blue)");
    EXPECT_STREQ(kStarPage.entries[5].text, "");
    const ControlEntry& number = kStarPage.entries[3];
    EXPECT_EQ(number.ranges[0].max, 250);
    EXPECT_EQ(number.ranges[1].max, 255);
    EXPECT_FALSE(number.enabled[2]);
    EXPECT_STREQ(kStarPage.pickers[0].title, "Select a Star Texture");
    EXPECT_STREQ(kStarPage.pickers[0].filter, "Bitmap Files (*.bmp)|*.bmp|All Files(*.*)|*.*||");
    EXPECT_STREQ(kStarPage.pickers[0].folder, ".\\Particles");
}

TEST(StarControls, TheColourEntrySwitchesToOneColourAndArmsMultiColour) {
    auto v = makeScene();
    kStarPage.entries[4].onChoose(*v, 0);
    EXPECT_FLOAT_EQ(v->starSingleColour, 2);
    // The next click of "Multi Color" switches every star back to its own colour.
    EXPECT_EQ(click(*v, kStarPage, 1), "Multi Color On");
    EXPECT_FLOAT_EQ(v->starSingleColour, 0);
    EXPECT_EQ(click(*v, kStarPage, 1), "Multi Color Off");
    EXPECT_FLOAT_EQ(v->starSingleColour, 2);
}

TEST(StarControls, OpeningSwitchesTheStarsOnAndResetKeepsTheColours) {
    auto v = makeScene();
    v->starNumber = 12;
    v->starsOnClicks = 1;
    v->starSingleColour = 2;
    kStarPage.open(*v, 0);
    EXPECT_FLOAT_EQ(v->starsOn, 2);
    EXPECT_FLOAT_EQ(v->starNumber, 250);
    EXPECT_FLOAT_EQ(v->starsOnClicks, 0);
    EXPECT_FLOAT_EQ(v->starSingleColourClicks, 1); // already one colour: the next click leaves it
    EXPECT_EQ(click(*v, kStarPage, 0), "Stars Off");
    EXPECT_FLOAT_EQ(v->starsOn, 0);
    EXPECT_EQ(click(*v, kStarPage, 0), "Stars On");
    EXPECT_FLOAT_EQ(v->starsOn, 2);

    v->starZoom = 7;
    v->starRotateX = 1;
    v->starDirection = 3;
    v->starRed = 9;
    v->starAlphaFade = 20;
    kStarPage.reset(*v, 0);
    EXPECT_FLOAT_EQ(v->starZoom, -35);
    EXPECT_FLOAT_EQ(v->starRotateX, 90);
    EXPECT_FLOAT_EQ(v->starDirection, 50);
    EXPECT_FLOAT_EQ(v->starRed, 9);
    EXPECT_FLOAT_EQ(v->starAlphaFade, 20);
    EXPECT_FLOAT_EQ(v->starSingleColour, 2);
}

TEST(StarControls, LeftDragsNeedTheStarTabLastAndRightDragsZoomFromAnyEntry) {
    auto v = makeScene();
    activate(*v, kStarPage, 2);
    EXPECT_FLOAT_EQ(v->mouseTargetStars, 2);
    EXPECT_FLOAT_EQ(v->mousePage, 2);
    drag(*v, Qt::LeftButton, 10, 4); // entry 2 turns the spiral
    EXPECT_FLOAT_EQ(v->starRotateX, 92);
    EXPECT_FLOAT_EQ(v->starRotateY, 5);
    drag(*v, Qt::RightButton, 10, 10);
    EXPECT_FLOAT_EQ(v->starZoom, -30);
    EXPECT_FLOAT_EQ(v->starRotateZ, 0);

    v->selectedEntry[pageIndex(DeckPage::Stars)] = 1;
    drag(*v, Qt::LeftButton, 10, 4);
    EXPECT_FLOAT_EQ(v->starPanX, 5);
    EXPECT_FLOAT_EQ(v->starPanY, -2);

    // The colour entry does not follow the left button.
    v->selectedEntry[pageIndex(DeckPage::Stars)] = 4;
    drag(*v, Qt::LeftButton, 10, 4);
    EXPECT_FLOAT_EQ(v->starRed, 255);
    EXPECT_FLOAT_EQ(v->starRotateY, 5);

    // Another tab last: the left button leaves the stars alone, the right one still zooms
    // while the star target stays on.
    v->selectedEntry[pageIndex(DeckPage::Stars)] = 0;
    v->mousePage = 1;
    drag(*v, Qt::LeftButton, 10, 4);
    EXPECT_FLOAT_EQ(v->starRotateY, 5);
    drag(*v, Qt::RightButton, 2, 0);
    EXPECT_FLOAT_EQ(v->starZoom, -29.5f);
    v->mouseTargetStars = 0;
    drag(*v, Qt::RightButton, 2, 0);
    EXPECT_FLOAT_EQ(v->starZoom, -29.5f);
}

TEST(ParticleControls, EntriesAsThePageListsThemWithAnEmptyEleventh) {
    ASSERT_EQ(controlPage(DeckPage::Particles), &kParticlePage);
    ASSERT_EQ(kParticlePage.entries.size(), 11u);
    EXPECT_STREQ(kParticlePage.caption, "Particle Controls");
    EXPECT_STREQ(kParticlePage.entries[2].text,
                 "Particle Gravity  Speed 1 (X)  Gravity Up/Down (Y)  Double Direction (Z)");
    EXPECT_STREQ(kParticlePage.entries[9].text, "Particles Fog (X) ");
    EXPECT_STREQ(kParticlePage.entries[10].text, "");
    EXPECT_FALSE(kParticlePage.entries[9].enabled[1]);
    EXPECT_EQ(kParticlePage.entries[6].ranges[2].max, 360);
    EXPECT_EQ(kParticlePage.entries[4].ranges[0].min, 0);
    EXPECT_STREQ(kParticlePage.pickers[0].title, "Select a Particle Texture");
    EXPECT_STREQ(kParticlePage.pickers[0].filter, "TGA Files (*.TGA)|*.TGA|All Files(*.*)|*.*||");
    EXPECT_STREQ(kParticlePage.pickers[0].prefix, "Particles/");
    // Both gravity entries show the one "Double Direction" value.
    auto v = makeScene();
    EXPECT_EQ(controlValue(*v, kParticlePage, kParticlePage.entries[2].values[2]).real,
              &v->particleGravitySpeedMin);
    EXPECT_EQ(controlValue(*v, kParticlePage, kParticlePage.entries[3].values[2]).real,
              &v->particleGravitySpeedMin);
}

TEST(ParticleControls, TogglesOpeningAndResetSetTheLayer) {
    auto v = makeScene();
    kParticlePage.open(*v, 0);
    EXPECT_FLOAT_EQ(v->particlesOn, 2);
    EXPECT_EQ(click(*v, kParticlePage, 0), "Particles Off");
    EXPECT_FLOAT_EQ(v->particlesOn, 0);

    EXPECT_EQ(click(*v, kParticlePage, 1), "Multi Color On");
    EXPECT_FLOAT_EQ(v->particleMultiColour, 2);
    EXPECT_FLOAT_EQ(v->particleMultiColourLevel, 600);
    EXPECT_EQ(click(*v, kParticlePage, 1), "Multi Color Off");
    EXPECT_FLOAT_EQ(v->particleMultiColour, 0);
    EXPECT_FLOAT_EQ(v->particleMultiColourLevel, 0);

    v->particleRotate = {1, 2, 3};
    v->particleGravitySpeedMax = 40;
    v->particleGravityInOut = 5;
    v->particleColour = {1, 1, 1};
    v->particleSpeed = 3;
    v->particleCount = 17;
    v->particleFogEnd = 100;
    v->particleMultiColourLevel = 600;
    v->particleRebuildRequest = 0;
    kParticlePage.reset(*v, 0);
    EXPECT_EQ(v->particleRotate, Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(v->particleGravitySpeedMax, 2);
    EXPECT_FLOAT_EQ(v->particleGravityInOut, 0);
    EXPECT_EQ(v->particleColour, Vec3(122, 100, 135));
    EXPECT_FLOAT_EQ(v->particleSpeed, 25);
    EXPECT_EQ(v->particleCount, 800);
    EXPECT_FLOAT_EQ(v->particleRebuildRequest, 2);
    EXPECT_FLOAT_EQ(v->particleMultiColourLevel, 0);
    EXPECT_FLOAT_EQ(v->particleFogEnd, 100); // Reset leaves the fog
}

TEST(ParticleControls, DragsMoveHalfAsFarAndTurnTheLayerFromTheOtherEntries) {
    auto v = makeScene();
    activate(*v, kParticlePage, 0);
    EXPECT_FLOAT_EQ(v->mousePage, 0);
    drag(*v, Qt::LeftButton, 8, 4);
    EXPECT_EQ(v->particleRotate, Vec3(1, 2, 0));
    drag(*v, Qt::RightButton, 4, 4);
    EXPECT_EQ(v->particleRotate, Vec3(1, 2, 2));

    v->selectedEntry[pageIndex(DeckPage::Particles)] = 1;
    drag(*v, Qt::LeftButton, 8, 4);
    EXPECT_EQ(v->particlePosition, Vec3(2, -1, 0));
    drag(*v, Qt::RightButton, 4, 4);
    EXPECT_EQ(v->particlePosition, Vec3(2, -1, 2));

    v->selectedEntry[pageIndex(DeckPage::Particles)] = 9; // the fog entry turns the layer
    drag(*v, Qt::LeftButton, 8, 4);
    drag(*v, Qt::RightButton, 4, 4);
    EXPECT_EQ(v->particleRotate, Vec3(2, 4, 4));
    EXPECT_FLOAT_EQ(v->particleFogEnd, 360);

    v->mouseTargetParticles = 0;
    drag(*v, Qt::LeftButton, 8, 4);
    EXPECT_EQ(v->particleRotate, Vec3(2, 4, 4));
}
