// The models' and the blur's arithmetic (units, copies, capture rate) and their control tables:
// what choosing an entry switches, the toggles' click cycles, mouse routing, the pickers, the
// model picker between frames, and Reset.
#include "effects/Effects.h"
#include "effects/blur/BlurControls.h"
#include "effects/blur/BlurMath.h"
#include "effects/models/ModelControls.h"
#include "effects/models/ModelLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"
#include "startup/SceneStart.h"
#include "support/RecordingDeck.h"
#include "support/ScriptedPlatform.h"

#include <QDir>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace {

// A click on a page's toggle as the deck makes it.
void click(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle) {
    const Click c = advanceClickCounter(toggle.clicks(v, page.instance));
    toggle.flag(v, page.instance) = toggle.values[c == Click::First ? 0 : 1];
    if (toggle.onClick) toggle.onClick(v, page.instance, c == Click::Second);
}

const ToggleSpec& toggleNamed(const ControlPage& page, const std::string& caption) {
    for (const ToggleSpec& t : page.toggles)
        if (caption == t.captions[0] || caption == t.captions[1]) return t;
    ADD_FAILURE() << "no toggle " << caption;
    return page.toggles.front();
}

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

} // namespace

TEST(ModelArithmetic, UnitsFactorsAndTranslation) {
    const float factors[] = {0.001f, 0.01f, 0.1f, 1, 10, 100, 1000};
    for (int u = 0; u <= 6; ++u)
        EXPECT_FLOAT_EQ(modelUnitsFactor(u), factors[u]) << u;
    for (int u : {-1, 7, 1000, std::numeric_limits<int>::min()})
        EXPECT_EQ(modelUnitsFactor(u), 0.0f) << u;

    auto v = makeScene();
    v->modelUnits[0] = 0; // "-1000" with (0, 0, -40): z = -0.04
    EXPECT_FLOAT_EQ(modelTranslation(*v, 0).z, -0.04f);
    v->modelUnits[0] = 6; // "+1000": z = -40000
    EXPECT_FLOAT_EQ(modelTranslation(*v, 0).z, -40000.0f);
    v->modelUnits[1] = 3; // model 2 starts at x 8
    EXPECT_FLOAT_EQ(modelTranslation(*v, 1).x, 8.0f);
    v->modelUnits[2] = 12; // no such setting: not moved
    EXPECT_FLOAT_EQ(modelTranslation(*v, 2).x, 0.0f);
    EXPECT_FLOAT_EQ(modelTranslation(*v, 2).z, 0.0f);
    EXPECT_FLOAT_EQ(modelTranslation(*v, 3).z, 0.0f);
}

TEST(ModelArithmetic, AMaterialIndexOutsideTheListGivesTheDefaultMaterial) {
    Model3ds model;
    model.materials.resize(2);
    std::snprintf(model.materials[1].textureFile, kName3dsSize, "wall.jpg");
    model.materialCount = 2;
    Object3ds object;
    object.materialId = 1;
    EXPECT_STREQ(modelObjectMaterial(model, object).textureFile, "wall.jpg");
    const Material3ds* fallback = nullptr;
    for (int32_t id : {-1, 2, 1000}) {
        object.materialId = id;
        const Material3ds& m = modelObjectMaterial(model, object);
        EXPECT_EQ(m.textureFile[0], '\0') << id;
        EXPECT_EQ(m.name[0], '\0') << id;
        if (fallback) {
            EXPECT_EQ(&m, fallback);
        }
        fallback = &m;
    }
    // A count larger than the list (a record made by hand) is held to the list.
    model.materialCount = 9;
    object.materialId = 5;
    EXPECT_EQ(&modelObjectMaterial(model, object), fallback);
    // A new object has material 0 even when the file has none.
    Model3ds empty;
    EXPECT_EQ(&modelObjectMaterial(empty, Object3ds{}), fallback);
}

TEST(BlurArithmetic, RadialCopiesAreTheDensityPlus25Truncated) {
    EXPECT_EQ(radialBlurCopies(0), 25);
    EXPECT_EQ(radialBlurCopies(0.99f), 25);
    EXPECT_EQ(radialBlurCopies(1), 26);
    EXPECT_EQ(radialBlurCopies(-24.5f), 0); // trunc(0.5)
    EXPECT_EQ(radialBlurCopies(-24), 1);
    EXPECT_EQ(radialBlurCopies(-25), 0);
    EXPECT_EQ(radialBlurCopies(-300), 0);
    EXPECT_EQ(radialBlurCopies(360), 385); // the slider's end
    EXPECT_EQ(radialBlurCopies(1e9f), kMaxRadialCopies);
    EXPECT_EQ(radialBlurCopies(kInf), kMaxRadialCopies);
    EXPECT_EQ(radialBlurCopies(-kInf), 0);
    EXPECT_EQ(radialBlurCopies(kNaN), 0);
}

TEST(BlurArithmetic, MotionCaptureRateIsCappedAt99) {
    float density = 0;
    EXPECT_EQ(motionCaptureRate(density), 100.0f);
    density = 50.7f;
    EXPECT_EQ(motionCaptureRate(density), 49.0f);
    for (float high : {99.0f, 100.0f, 250.0f, kInf}) {
        density = high;
        EXPECT_EQ(motionCaptureRate(density), 1.0f) << high;
        EXPECT_EQ(density, 99.0f) << high; // the cap stays in the scene
    }
    density = -50;
    EXPECT_EQ(motionCaptureRate(density), 150.0f);
    density = kNaN;
    EXPECT_EQ(motionCaptureRate(density), 100.0f);
    EXPECT_EQ(density, 0.0f);
}

TEST(BlurArithmetic, MotionFadeAndStretch) {
    float fade = 0; // 0 or less counts as 1
    EXPECT_FLOAT_EQ(motionOverlayAlpha(fade), 0.9f - 1.0f / 400);
    EXPECT_EQ(fade, 1.0f);
    fade = 40;
    EXPECT_FLOAT_EQ(motionOverlayAlpha(fade), 0.8f);
    fade = kNaN;
    EXPECT_FLOAT_EQ(motionOverlayAlpha(fade), 0.9f - 1.0f / 400);
    fade = kInf;
    EXPECT_EQ(motionOverlayAlpha(fade), 0.0f);

    EXPECT_EQ(motionStretchPixels(0), 0);
    EXPECT_EQ(motionStretchPixels(360), 7);
    EXPECT_EQ(motionStretchPixels(-360), -7);
    EXPECT_EQ(motionStretchPixels(49), 0);
    EXPECT_EQ(motionStretchPixels(1e7f), kMotionCaptureMargin);
    EXPECT_EQ(motionStretchPixels(-kInf), 0);
}

TEST(BlurPage, ChoosingAnEntryChoosesRadialOrMotionBlur) {
    auto v = makeScene();
    const ControlPage& page = kBlurPage;
    ASSERT_EQ(page.entries.size(), 4u);
    EXPECT_STREQ(page.entries[3].text,
                 "Motion Blur Stetch Left / Right (X)  Stretch Up / Down (Y)  ");
    for (int e : {2, 3}) {
        v->radialBlurOn = 2;
        page.entries[size_t(e)].onChoose(*v, 0);
        EXPECT_EQ(v->radialBlurOn, 0.0f) << e;
        EXPECT_EQ(v->motionBlurOn, 2.0f) << e;
    }
    for (int e : {0, 1}) {
        page.entries[size_t(e)].onChoose(*v, 0);
        EXPECT_EQ(v->radialBlurOn, 2.0f) << e;
        EXPECT_EQ(v->motionBlurOn, 0.0f) << e;
    }
    // The edits only show; the motion density is reached although it is not keyed.
    for (const ControlEntry& e : page.entries)
        for (bool sets : e.editSets)
            EXPECT_FALSE(sets);
    EXPECT_EQ(controlValue(*v, page, page.entries[2].values[0]).real, &v->motionBlurDensity);
    EXPECT_FALSE(page.entries[3].enabled[2]);
    EXPECT_EQ(page.entries[1].ranges[0].max, 100);
    // The page keeps the mouse target of the page before it and has no drags.
    EXPECT_FALSE(page.routesMouse);
    v->mouseTargetText = 2;
    EXPECT_FALSE(page.leftDragGate(*v, 0));
}

TEST(BlurPage, BlurButtonSwitchesBothOffThenRadialOn) {
    auto v = makeScene();
    const ToggleSpec& button = toggleNamed(kBlurPage, "Blur On");
    v->motionBlurOn = 2;
    v->radialBlurOn = 2;
    click(*v, kBlurPage, button); // the first click: both off, "Blur Off"
    EXPECT_EQ(v->radialBlurOn, 0.0f);
    EXPECT_EQ(v->motionBlurOn, 0.0f);
    EXPECT_STREQ(button.captions[0], "Blur Off");
    v->motionBlurOn = 2;
    click(*v, kBlurPage, button); // the second: motion off, radial on, counter back to 0
    EXPECT_EQ(v->radialBlurOn, 2.0f);
    EXPECT_EQ(v->motionBlurOn, 0.0f);
    EXPECT_EQ(v->blurOnClicks, 0.0f);
    EXPECT_STREQ(button.captions[1], "Blur On");
}

TEST(BlurPage, ApplyBlurBoxesOpeningAndReset) {
    auto v = makeScene();
    // "Text" starts ticked with its counter at 1: the next click unticks it.
    const ToggleSpec& text = toggleNamed(kBlurPage, "Text");
    EXPECT_TRUE(text.ticked(*v, 0));
    click(*v, kBlurPage, text);
    EXPECT_EQ(v->blurText, 0.0f);
    click(*v, kBlurPage, text);
    EXPECT_EQ(v->blurText, 2.0f);
    const ToggleSpec& stars = toggleNamed(kBlurPage, "Stars");
    click(*v, kBlurPage, stars);
    EXPECT_EQ(v->blurStars, 2.0f);
    EXPECT_FALSE(stars.hidden);
    EXPECT_TRUE(toggleNamed(kBlurPage, "Fire").hidden);
    EXPECT_TRUE(toggleNamed(kBlurPage, "Model").hidden);

    // Opening switches the radial blur on while the text is a source.
    v->blurOnClicks = 1;
    kBlurPage.open(*v, 0);
    EXPECT_EQ(v->radialBlurOn, 2.0f);
    EXPECT_EQ(v->blurOnClicks, 0.0f);
    v->blurText = 0;
    v->radialBlurOn = 0;
    kBlurPage.open(*v, 0);
    EXPECT_EQ(v->radialBlurOn, 0.0f);

    v->radialBlurFade = 30;
    v->motionBlurOn = 2;
    v->motionBlurTrim = 5;
    v->legacyBlurColour = {1, 1, 1};
    v->radialBlurRed = 70;
    kBlurPage.reset(*v, 0);
    EXPECT_EQ(v->radialBlurFade, 0.0f); // Reset puts 0, not the start value 0.2
    EXPECT_EQ(v->motionBlurOn, 0.0f);
    EXPECT_EQ(v->motionBlurTrim, 0.0f);
    EXPECT_EQ(v->legacyBlurColour.z, 1.0f);
    EXPECT_EQ(v->legacyBlurColour.x, 0.0f);
    EXPECT_EQ(v->radialBlurRed, 70.0f); // the page colour is not reset
    EXPECT_EQ(v->blurText, 2.0f);
    EXPECT_EQ(v->blurTextClicks, 1.0f);
    EXPECT_EQ(v->blurStars, 0.0f);
    EXPECT_EQ(v->blurStarsClicks, 0.0f);
}

TEST(BlurPage, ChangeColorStartsFromTheLastChoice) {
    auto v = makeScene();
    RecordingDeck deck;
    v->deck = &deck;
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    headless.colours.push_back(QColor(255, 51, 0));
    EXPECT_TRUE(changeLegacyBlurColour(*v));
    EXPECT_FLOAT_EQ(v->legacyBlurColour.x, 1.0f);
    EXPECT_FLOAT_EQ(v->legacyBlurColour.y, 0.2f);
    EXPECT_FLOAT_EQ(v->legacyBlurColour.z, 0.0f);
    EXPECT_FALSE(changeLegacyBlurColour(*v)); // cancelled: the colour stays
    EXPECT_FLOAT_EQ(v->legacyBlurColour.x, 1.0f);
    EXPECT_EQ(v->lastBlurColourChoice, 0xff3300u);
    EXPECT_EQ(deck.calls, QStringList({"visible 0", "visible 1", "visible 0", "visible 1"}));
}

TEST(ModelPages, OneTableForThreeModelsEachReachingItsOwnValues) {
    auto v = makeScene();
    const char* captions[] = {"3DS Model", "Model 2", "Model 3"};
    const DeckPage pages[] = {DeckPage::Model1, DeckPage::Model2, DeckPage::Model3};
    for (int n = 0; n < 3; ++n) {
        const ControlPage& page = kModelPages[n];
        EXPECT_STREQ(page.caption, captions[n]);
        EXPECT_EQ(page.page, pages[n]);
        EXPECT_EQ(controlPage(pages[n]), &page);
        ASSERT_EQ(page.entries.size(), 8u);
        EXPECT_EQ(controlValue(*v, page, page.entries[0].values[0]).real, &v->modelRotation[n].x);
        EXPECT_EQ(controlValue(*v, page, page.entries[5].values[1]).real, &v->modelTexOffset[n].s);
        EXPECT_EQ(controlValue(*v, page, page.entries[7].values[2]).real, &v->modelBlurColour[n].z);
    }
    const ControlPage& page = kModelPages[0];
    // The spot light's Z: +-40000 on selection, +-4000 after a slider move.
    EXPECT_EQ(page.entries[4].ranges[2].max, 40000);
    EXPECT_EQ(page.entries[4].rangesAfterMove[2].max, 4000);
    EXPECT_TRUE(page.entries[4].rangesAfterMove[0].empty());
    // Entries 6 and 7 only show their values.
    for (int e = 0; e < 8; ++e)
        EXPECT_EQ(page.entries[size_t(e)].editSets[0], e < 6) << e;
}

TEST(ModelPages, MouseRoutingGatesAndDragRules) {
    auto v = makeScene();
    const ControlPage& page = kModelPages[1];
    EXPECT_EQ(page.mousePageCode, 8.0f);
    EXPECT_EQ(&page.mouseTarget(*v, 1), &v->mouseTargetModel[1]);
    page.activated(*v, 1);
    EXPECT_EQ(v->blurAfterLayers, 2.0f);
    EXPECT_FALSE(page.leftDragGate(*v, 1));
    v->mouseTargetModel[1] = 2;
    EXPECT_TRUE(page.leftDragGate(*v, 1));
    EXPECT_FALSE(page.rightDragGate(*v, 1)); // the right button also needs the model on
    v->modelOn[1] = 2;
    EXPECT_TRUE(page.rightDragGate(*v, 1));
    // Past the scale every entry turns the model; the right button is half the sum on Z.
    for (int e = 3; e < 8; ++e) {
        EXPECT_EQ(page.entries[size_t(e)].leftDrag.move, DragMove::TurnXY);
        EXPECT_EQ(page.entries[size_t(e)].leftDrag.entry, 0);
        EXPECT_EQ(page.entries[size_t(e)].rightDrag.entry, 0);
    }
    EXPECT_EQ(page.entries[1].leftDrag.move, DragMove::PanXY);
    EXPECT_EQ(page.entries[2].rightDrag.entry, -1);
    EXPECT_FLOAT_EQ(page.entries[2].rightDrag.factor, 0.5f);
}

TEST(ModelPages, TogglesCheckBoxesAndRadialBlurWithItsPassRequest) {
    auto v = makeScene();
    const ControlPage& page = kModelPages[2];
    kModelPages[2].open(*v, 2);
    EXPECT_EQ(v->modelOn[2], 2.0f);
    EXPECT_EQ(v->blurAfterLayers, 2.0f);
    const ToggleSpec& on = toggleNamed(page, "Model 1 On");
    click(*v, page, on);
    EXPECT_EQ(v->modelOn[2], 0.0f);
    click(*v, page, on);
    EXPECT_EQ(v->modelOn[2], 2.0f);

    const ToggleSpec& blur = toggleNamed(page, "Radial Blur On");
    click(*v, page, blur);
    EXPECT_EQ(v->modelRadialBlur[2], 2.0f);
    EXPECT_EQ(v->modelBlurPassRequest[2], 2.0f);
    click(*v, page, blur);
    EXPECT_EQ(v->modelRadialBlur[2], 0.0f);
    EXPECT_EQ(v->modelBlurPassRequest[2], 0.0f);

    // "Lighting 1" starts ticked: its first click unticks it.
    const ToggleSpec& lighting = toggleNamed(page, "Lighting 1");
    v->modelLighting[2] = 2;
    EXPECT_TRUE(lighting.ticked(*v, 2));
    click(*v, page, lighting);
    EXPECT_EQ(v->modelLighting[2], 0.0f);
    for (const char* box : {"Transparency", "Sphere Mapped", "Shiny Texture"}) {
        const ToggleSpec& t = toggleNamed(page, box);
        EXPECT_FALSE(t.ticked(*v, 2)) << box;
        click(*v, page, t);
        EXPECT_TRUE(t.ticked(*v, 2)) << box;
    }
    EXPECT_EQ(v->modelShiny[2], 2.0f);
    EXPECT_EQ(v->modelShiny[0], 0.0f); // only its own model

    setModelUnits(*v, 2, 0);
    EXPECT_EQ(v->modelUnits[2], 0);
    setModelUnits(*v, 2, 7); // not a button
    EXPECT_EQ(v->modelUnits[2], 0);
}

TEST(ModelPages, TexturePickersSetTheHollowSwitchFirst) {
    auto v = makeScene();
    const ControlPage& page = kModelPages[0];
    ASSERT_EQ(page.pickers.size(), 2u);
    const AssetPicker& plain = page.pickers[0];
    const AssetPicker& hollow = page.pickers[1];
    EXPECT_STREQ(plain.caption, "Load Texture");
    EXPECT_STREQ(hollow.caption, "Hollow Texture");
    for (const AssetPicker* p : {&plain, &hollow}) {
        EXPECT_STREQ(p->title, "Select 3DS Model Texture");
        EXPECT_STREQ(p->folder, ".\\Textures");
        EXPECT_STREQ(p->prefix, "Textures/");
    }
    EXPECT_STREQ(plain.filter, "JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||");
    EXPECT_STREQ(hollow.filter, "GIF Files (*.gif)|*.gif|All Files(*.*)|*.*||");
    hollow.before(*v, 0);
    EXPECT_EQ(v->modelHollow[0], 2.0f);
    plain.before(*v, 0);
    EXPECT_EQ(v->modelHollow[0], 0.0f);
}

TEST(ModelPages, ResetRestoresTheModelAndTheFirstPageKeepsItsFirstOffset) {
    auto v = makeScene();
    for (int n = 0; n < 3; ++n) {
        v->modelRotation[n] = {1, 2, 3};
        v->modelPosition[n] = {5, 5, 5};
        v->modelTexOffset[n] = {30, 40};
        v->modelUnits[n] = 6;
        v->modelRadialBlur[n] = 2;
        v->modelBlurPassRequest[n] = 2;
        v->modelLighting[n] = 0;
        v->modelShiny[n] = 2;
        v->modelShinyClicks[n] = 1;
        kModelPages[n].reset(*v, n);
        EXPECT_EQ(v->modelRotation[n].y, 0.0f);
        EXPECT_EQ(v->modelPosition[n].z, -40.0f);
        EXPECT_EQ(v->modelPosition[n].x, 0.0f);
        EXPECT_EQ(v->modelTexOffset[n].t, 0.0f);
        EXPECT_EQ(v->modelTexOffset[n].s, n == 0 ? 30.0f : 0.0f);
        EXPECT_EQ(v->modelUnits[n], 3);
        EXPECT_EQ(v->modelRadialBlur[n], 0.0f);
        EXPECT_EQ(v->modelBlurPassRequest[n], 0.0f);
        EXPECT_EQ(v->modelLighting[n], 2.0f);
        EXPECT_EQ(v->modelLightingClicks[n], 1.0f);
        EXPECT_EQ(v->modelShiny[n], 0.0f);
        EXPECT_EQ(v->modelShinyClicks[n], 0.0f);
    }
}

TEST(ModelPicker, LoadModelAsksTheNextFrameAndThePickerLoadsBetweenFrames) {
    auto v = makeScene();
    RecordingDeck deck;
    v->deck = &deck;
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    const QString tardis =
        QDir(qEnvironmentVariable("LUMATOY_HOME")).filePath(QStringLiteral("model/Tardis.3ds"));
    headless.files.push_back(tardis);

    EXPECT_FALSE(modelLoadRequested(*v));
    EXPECT_EQ(serveModelLoadRequests(*v), 0);
    requestModelLoad(*v, 1);
    EXPECT_EQ(v->modelLoadRequest[1], 2.0f);
    EXPECT_TRUE(modelLoadRequested(*v));
    int loads = 0;
    EXPECT_EQ(serveModelLoadRequests(*v, [&] { ++loads; }), 1);

    EXPECT_EQ(loads, 1);
    EXPECT_EQ(v->modelLoadRequest[1], 0.0f);
    ASSERT_EQ(headless.fileRequests.size(), 1u);
    const FileChoice& choice = headless.fileRequests[0];
    EXPECT_EQ(choice.title, "Choose Files");
    EXPECT_EQ(choice.filter, "3DS Model (*.3ds);;All Files (*.3ds)");
    EXPECT_TRUE(choice.initialPath.endsWith("/model")) << choice.initialPath.toStdString();
    EXPECT_GT(v->modelMesh[1].objectCount, 0);
    EXPECT_EQ(v->modelPath[1], "Model/Tardis.3ds");
    EXPECT_EQ(v->modelLoaded[1], 2.0f);
    EXPECT_EQ(deck.calls, QStringList({"visible 0", "visible 1"}));
}

TEST(ModelPicker, ACancelledPickerLoadsNothingAndShowsTheDeckAgain) {
    auto v = makeScene();
    RecordingDeck deck;
    v->deck = &deck;
    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    v->modelPath[0] = "model/Tardis.3ds";
    requestModelLoad(*v, 0);
    int loads = 0;
    EXPECT_EQ(serveModelLoadRequests(*v, [&] { ++loads; }), 1);
    EXPECT_EQ(loads, 0);
    EXPECT_EQ(v->modelLoaded[0], 0.0f);
    EXPECT_EQ(v->modelPath[0], "model/Tardis.3ds");
    EXPECT_EQ(deck.calls, QStringList({"visible 0", "visible 1"}));
    EXPECT_FALSE(modelLoadRequested(*v));
}

TEST(ModelPicker, FilterTextBecomesTheChoosersForm) {
    EXPECT_EQ(chooserFilter("JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||"),
              "JPG Files (*.jpg);;All Files(*.*)");
    EXPECT_EQ(chooserFilter("Pictures|*.png||"), "Pictures (*.png)");
    EXPECT_EQ(chooserFilter(""), "");
}
