// The deck pages' scene logic without widgets: numbers typed into edits, slider positions,
// toggle clicks and captions, mouse routing, picker dialogs, and the Text page's own actions.
#include "controls/PageModel.h"
#include "effects/Effects.h"
#include "effects/text/TextEffect.h"
#include "effects/text/TextPageActions.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"

#include <QDir>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const ControlEntry& textEntry(int index) {
    return kTextPage.entries[size_t(index)];
}

} // namespace

TEST(DeckEditNumbers, WholeNumbersAreTakenAsTypedAndEverythingElseIsRefused) {
    EXPECT_EQ(parseEditNumber("120"), 120);
    EXPECT_EQ(parseEditNumber("  -45 "), -45);
    EXPECT_EQ(parseEditNumber("+7"), 7);
    EXPECT_EQ(parseEditNumber("007"), 7);
    // No slider range applies: 280 stars, 3000 units of zoom.
    EXPECT_EQ(parseEditNumber("280"), 280);
    EXPECT_EQ(parseEditNumber("3000"), 3000);
    EXPECT_EQ(parseEditNumber("-100000"), -100000);
    // Twenty digits, and far more, stop at the ends of the int range instead of overflowing.
    EXPECT_EQ(parseEditNumber("99999999999999999999"), std::numeric_limits<int>::max());
    EXPECT_EQ(parseEditNumber("-" + QString(400, QChar('9'))), std::numeric_limits<int>::min());
    for (const char* bad : {"", " ", "-", "+", "abc", "12a", "1.5", "1e3", "--3", "٣"})
        EXPECT_FALSE(parseEditNumber(QString::fromUtf8(bad))) << bad;
}

TEST(DeckEditNumbers, PositionsTruncateAndStayInsideTheIntRange) {
    EXPECT_EQ(valuePosition(12.9f, 1), 12);
    EXPECT_EQ(valuePosition(-12.9f, 1), -12);
    EXPECT_EQ(valuePosition(50, 0.5f), 100);
    EXPECT_EQ(valuePosition(std::numeric_limits<float>::quiet_NaN(), 1), 0);
    EXPECT_EQ(valuePosition(std::numeric_limits<float>::infinity(), 1),
              std::numeric_limits<int>::max());
    EXPECT_EQ(valuePosition(-1e30f, 1), std::numeric_limits<int>::min());
}

TEST(DeckEntries, PositionsReadAndWriteTheEntrysValues) {
    auto v = makeScene();
    v->textRotation = {10, -20.5f, 30};
    EXPECT_EQ(entryPosition(*v, kTextPage, textEntry(0), 1), -20);
    EXPECT_TRUE(setEntryPosition(*v, kTextPage, textEntry(0), 2, -300));
    EXPECT_FLOAT_EQ(v->textRotation.z, -300);
    // "Fade Alpha" has a value for X only.
    EXPECT_TRUE(setEntryPosition(*v, kTextPage, textEntry(10), 0, 128));
    EXPECT_FLOAT_EQ(v->textFade, 128);
    EXPECT_FALSE(entryPosition(*v, kTextPage, textEntry(10), 1));
    EXPECT_FALSE(setEntryPosition(*v, kTextPage, textEntry(10), 2, 5));
}

TEST(DeckToggles, ClicksRunTheTwoClickCycleAndCaptionsFollowTheSwitch) {
    auto v = makeScene();
    const ToggleSpec& textOn = kTextPage.toggles[0];
    v->textOn = 2;
    v->textOnClicks = 0;
    EXPECT_EQ(toggleCaption(*v, kTextPage, textOn), 1); // "Text On"
    EXPECT_EQ(clickToggle(*v, kTextPage, textOn), Click::First);
    EXPECT_FLOAT_EQ(v->textOn, 0);
    EXPECT_FLOAT_EQ(v->textOnClicks, 1);
    EXPECT_EQ(toggleCaption(*v, kTextPage, textOn), 0); // "Text Off"
    EXPECT_EQ(clickToggle(*v, kTextPage, textOn), Click::Second);
    EXPECT_FLOAT_EQ(v->textOn, 2);
    EXPECT_FLOAT_EQ(v->textOnClicks, 0);

    // A counter left at a value no click gives still yields a first and a second click.
    v->textOnClicks = 7;
    EXPECT_EQ(clickToggle(*v, kTextPage, textOn), Click::First);
    EXPECT_FLOAT_EQ(v->textOnClicks, 1);
    v->textOnClicks = -3;
    EXPECT_EQ(clickToggle(*v, kTextPage, textOn), Click::First);
    EXPECT_EQ(clickToggle(*v, kTextPage, textOn), Click::Second);

    // A switch between the two states shows what the counter says the next click does.
    v->textOn = 1.5f;
    v->textOnClicks = 1;
    EXPECT_EQ(toggleCaption(*v, kTextPage, textOn), 0);
    v->textOnClicks = 0;
    EXPECT_EQ(toggleCaption(*v, kTextPage, textOn), 1);

    // "Lights ON/OFF" is a check box whose first click ticks it.
    const ToggleSpec& lights = kTextPage.toggles[1];
    v->textLighting = 0;
    v->textLightingClicks = 0;
    clickToggle(*v, kTextPage, lights);
    EXPECT_TRUE(lights.ticked(*v, 0));
    clickToggle(*v, kTextPage, lights);
    EXPECT_FALSE(lights.ticked(*v, 0));
}

TEST(DeckMouseRouting, APageMakesItsSwitchTheOnlyTargetAndKeepingPagesChangeNothing) {
    auto v = makeScene();
    v->mouseTargetStars = 2;
    v->mouseTargetModel[1] = 2;
    v->mouseTargetText = 0;
    v->mousePage = 8;
    activatePage(*v, kTextPage);
    EXPECT_FLOAT_EQ(v->mouseTargetText, 2);
    EXPECT_FLOAT_EQ(v->mouseTargetStars, 0);
    EXPECT_FLOAT_EQ(v->mouseTargetModel[1], 0);
    EXPECT_FLOAT_EQ(v->mousePage, 1);

    ControlPage keeping = kTextPage;
    keeping.routesMouse = false;
    v->mouseTargetText = 0;
    v->mouseTargetPictures = 2;
    v->mousePage = 9;
    activatePage(*v, keeping);
    EXPECT_FLOAT_EQ(v->mouseTargetText, 0);
    EXPECT_FLOAT_EQ(v->mouseTargetPictures, 2);
    EXPECT_FLOAT_EQ(v->mousePage, 9);

    // A routing page without a switch of its own (the tiles) leaves no target at all.
    ControlPage noTarget = kTextPage;
    noTarget.mouseTarget = nullptr;
    noTarget.mousePageCode = 0;
    activatePage(*v, noTarget);
    EXPECT_FLOAT_EQ(v->mouseTargetText, 0);
    EXPECT_FLOAT_EQ(v->mouseTargetPictures, 0);
    EXPECT_FLOAT_EQ(v->mousePage, 0);
}

TEST(DeckPickers, DialogFiltersFoldersAndRecordedPaths) {
    EXPECT_EQ(pickerFilter("Bitmap Files (*.bmp)|*.bmp|All Files(*.*)|*.*||"),
              "Bitmap Files (*.bmp);;All Files (*)");
    EXPECT_EQ(pickerFilter("TGA Files (*.TGA)|*.TGA|All Files(*.*)|*.*||"),
              "TGA Files (*.TGA);;All Files (*)");
    EXPECT_EQ(pickerFilter("Pictures|*.jpg;*.png||"), "Pictures (*.jpg *.png)");
    EXPECT_EQ(pickerFilter(""), "");
    EXPECT_EQ(pickerFilter(nullptr), "");

    const AssetPicker& text = kTextPage.pickers[0];
    const FileChoice choice = pickerChoice(text);
    EXPECT_EQ(choice.title, "Select Texture");
    EXPECT_TRUE(choice.filter.startsWith("Jpg Texture Files (*.jpg);;Jpeg Texture Files (*.jpeg)"));
    EXPECT_TRUE(choice.filter.endsWith(";;All files (*)"));
    EXPECT_EQ(choice.filter.count(";;"), 7);
    EXPECT_EQ(QDir(choice.initialPath), QDir(QDir(programFolder()).filePath("Textures")));
    EXPECT_EQ(pickerRecordedPath(text, "/somewhere/else/Marble.jpg"), "Textures/Marble.jpg");
}

TEST(TextPageActions, TheEditsTextIsStoredWithCarriageReturnsAndLatin1) {
    auto v = makeScene();
    setTextFromEdit(*v, "A\nB");
    EXPECT_EQ(v->textString, "A\r\nB");
    EXPECT_EQ(textForEdit(*v), "A\nB");
    setTextFromEdit(*v, QString::fromUtf8("caf\u00e9 \u20ac"));
    EXPECT_EQ(v->textString, "caf\xe9 ?");
    setTextFromEdit(*v, QString(40000, QChar('x')));
    EXPECT_EQ(v->textString.size(), 30000u);
    setTextFromEdit(*v, "");
    EXPECT_EQ(v->textString, "");
}

TEST(TextPageActions, StylesMaterialsAndTheChoosers) {
    auto v = makeScene();
    EXPECT_EQ(textStyleEntries().size(), 9);
    EXPECT_EQ(textMaterialEntries().size(), 17);
    chooseTextStyleEntry(*v, 1);
    EXPECT_FLOAT_EQ(v->textStyle, 1);
    EXPECT_EQ(v->textStyleEntry, 1);
    chooseTextStyleEntry(*v, 7);
    EXPECT_FLOAT_EQ(v->textShiny, 2);
    EXPECT_FLOAT_EQ(v->textStyle, 1); // the style stays
    chooseTextStyleEntry(*v, 8);
    EXPECT_FLOAT_EQ(v->textShiny, 0);
    chooseTextStyleEntry(*v, 42); // not an entry: nothing changes
    EXPECT_EQ(v->textStyleEntry, 8);
    chooseTextMaterialEntry(*v, 3);
    EXPECT_EQ(v->textMaterialEntry, 3);
    chooseTextMaterialEntry(*v, 17);
    EXPECT_EQ(v->textMaterialEntry, 3);

    ScriptedPlatform headless;
    const PlatformOverride useHeadless(headless);
    v->fontFace = "Arial Black";
    EXPECT_FALSE(askTextFont(*v)); // cancelled
    EXPECT_EQ(v->fontFace, "Arial Black");
    headless.fonts = {FontChoice{"DejaVu Serif", 700, true, {}}};
    EXPECT_TRUE(askTextFont(*v));
    EXPECT_EQ(v->fontFace, "DejaVu Serif");
    EXPECT_EQ(v->fontWeight, 700);
    EXPECT_EQ(v->fontItalic, 1);

    QColor last(1, 2, 3);
    v->fontColour = {200, 100, 50};
    EXPECT_FALSE(askFontColour(*v, last)); // a cancelled chooser changes nothing
    EXPECT_FLOAT_EQ(v->fontColour.x, 200);
    headless.colours = {QColor(10, 20, 30)};
    EXPECT_TRUE(askFontColour(*v, last));
    EXPECT_FLOAT_EQ(v->fontColour.y, 20);
    EXPECT_EQ(last, QColor(10, 20, 30));
}
