// The "Text" page: its tab brings the text into the view, its entries, sliders and edits, the
// toggles, the texture picker, Reset, and its own controls (the text, style and material combos,
// "Change Font", "Font Color").
#include "support/gui/DeckFixture.h"

#include "deck/TextPage.h"
#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>

namespace {

class TextPage : public OpenDeckFixture {
  protected:
    CMyPage1* openTextTab() { return static_cast<CMyPage1*>(clickTab(sheet, DeckPage::Text)); }
};

constexpr int kFadeEntry = 10;
constexpr int kFontColourEntry = 2;
constexpr int kBackgroundEntry = 3;

} // namespace

TEST_F(TextPage, OpeningTheTabBringsTheTextIntoTheView) {
    scene().textOn = 0;
    const QImage without = viewPicture();
    EXPECT_LT(litPixels(without), 20);
    openTextTab();
    EXPECT_FLOAT_EQ(scene().textOn, 2);
    EXPECT_FLOAT_EQ(scene().textOnClicks, 0);
    EXPECT_GT(litPixels(viewPicture()), 1000);
}

TEST_F(TextPage, EntriesShowTheirRangesAndFadeAlphaDisablesYAndZ) {
    CMyPage1* page = openTextTab();
    QComboBox* combo = page->entryCombo();
    ASSERT_EQ(combo->count(), 11);
    EXPECT_EQ(combo->itemText(0), "Text Rotate  (Left Mouse Rotate X and Y, Right Mouse Rotate Z)");
    EXPECT_EQ(page->slider(0)->minimum(), -360);
    EXPECT_EQ(page->slider(2)->maximum(), 360);

    scene().spotPosition = {10, -20, 3000};
    chooseEntry(combo, 7);
    EXPECT_EQ(page->slider(1)->minimum(), -2000);
    EXPECT_EQ(page->slider(2)->maximum(), 4000);
    EXPECT_EQ(page->slider(2)->value(), 3000);
    EXPECT_EQ(page->edit(1)->text(), "-20");

    chooseEntry(combo, 9);
    EXPECT_EQ(page->slider(0)->maximum(), 400);
    EXPECT_EQ(page->slider(2)->minimum(), -2000);
    EXPECT_EQ(page->edit(2)->text(), "10");

    scene().textFade = 200;
    chooseEntry(combo, kFadeEntry);
    EXPECT_EQ(page->slider(0)->maximum(), 255);
    EXPECT_EQ(page->slider(0)->value(), 200);
    for (int n : {1, 2}) {
        EXPECT_FALSE(page->slider(n)->isEnabled());
        EXPECT_FALSE(page->edit(n)->isEnabled());
        EXPECT_EQ(page->slider(n)->value(), 0);
    }
    // The fade's edit only shows the value.
    EXPECT_TRUE(page->edit(0)->isReadOnly());
    typeInto(page->edit(0), "12", true);
    EXPECT_FLOAT_EQ(scene().textFade, 200);
    EXPECT_EQ(page->edit(0)->text(), "200");
    page->slider(0)->setValue(128);
    EXPECT_FLOAT_EQ(scene().textFade, 128);

    chooseEntry(combo, 4);
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(page->slider(n)->isEnabled());
        EXPECT_FALSE(page->edit(n)->isReadOnly());
        EXPECT_EQ(page->slider(n)->maximum(), 3600);
    }
}

TEST_F(TextPage, SlidersAndEditsMoveTheTextAndTheBackgroundClearsAtOnce) {
    CMyPage1* page = openTextTab();
    page->slider(1)->setValue(45);
    EXPECT_FLOAT_EQ(scene().textRotation.y, 45);
    EXPECT_EQ(page->edit(1)->text(), "45");
    typeInto(page->edit(2), "-120");
    EXPECT_FLOAT_EQ(scene().textRotation.z, -120);
    EXPECT_EQ(page->slider(2)->value(), -120);
    // Past the slider's end: the value is the number typed, the slider stops at its end.
    typeInto(page->edit(0), "1000", true);
    EXPECT_FLOAT_EQ(scene().textRotation.x, 1000);
    EXPECT_EQ(page->slider(0)->value(), 360);
    EXPECT_EQ(page->edit(0)->text(), "1000");
    // "Text Pan and Zoom" Z reaches 2000 by its slider and 3000 by its edit.
    chooseEntry(page->entryCombo(), 1);
    typeInto(page->edit(2), "3000", true);
    EXPECT_FLOAT_EQ(scene().textPosition.z, 3000);
    EXPECT_EQ(page->slider(2)->value(), 2000);
    EXPECT_EQ(page->edit(2)->text(), "3000");
    // Choosing the entry again shows the number the scene holds, not the slider's end.
    chooseEntry(page->entryCombo(), 0);
    chooseEntry(page->entryCombo(), 1);
    EXPECT_EQ(page->edit(2)->text(), "3000");
    EXPECT_FLOAT_EQ(scene().textPosition.z, 3000);

    chooseEntry(page->entryCombo(), kBackgroundEntry);
    page->slider(1)->setValue(200);
    EXPECT_FLOAT_EQ(scene().backgroundColour.y, 200);
    const QImage picture = viewPicture();
    EXPECT_EQ(qGreen(picture.pixel(2, 2)), 200);
    EXPECT_EQ(qRed(picture.pixel(2, 2)), 0);
}

TEST_F(TextPage, TheTextButtonAndTheLightsBox) {
    CMyPage1* page = openTextTab();
    QAbstractButton* text = page->toggleButtons()[0];
    QAbstractButton* lights = page->toggleButtons()[1];
    EXPECT_EQ(text->text(), "Text On");
    ASSERT_NE(qobject_cast<QCheckBox*>(lights), nullptr);
    EXPECT_EQ(lights->text(), "Lights ON/OFF");
    EXPECT_FALSE(lights->isChecked());

    text->click();
    EXPECT_EQ(text->text(), "Text Off");
    EXPECT_FLOAT_EQ(scene().textOn, 0);
    EXPECT_FLOAT_EQ(scene().textOnClicks, 1);
    EXPECT_LT(litPixels(viewPicture()), 20);
    text->click();
    EXPECT_EQ(text->text(), "Text On");
    EXPECT_FLOAT_EQ(scene().textOn, 2);
    EXPECT_FLOAT_EQ(scene().textOnClicks, 0);
    EXPECT_GT(litPixels(viewPicture()), 1000);

    lights->click();
    EXPECT_TRUE(lights->isChecked());
    EXPECT_FLOAT_EQ(scene().textLighting, 2);
    lights->click();
    EXPECT_FALSE(lights->isChecked());
    EXPECT_FLOAT_EQ(scene().textLighting, 0);
}

TEST_F(TextPage, LoadTextureTakesAPictureAndRefusesABrokenOne) {
    CMyPage1* page = openTextTab();
    ASSERT_EQ(page->pickerButtons().size(), 1);
    QPushButton* load = page->pickerButtons()[0];
    EXPECT_EQ(load->text(), "Load Texture");

    const QString picture = QDir(programFolder()).filePath("Textures/pollav.jpg");
    ASSERT_TRUE(QFile::exists(picture));
    scene().textUseDefaultTexture = 2;
    const unsigned before = scene().textUserTexture;
    headless.files = {picture};
    VisibilityLog log;
    sheet->installEventFilter(&log);
    load->click();
    sheet->removeEventFilter(&log);
    EXPECT_EQ(log.hides, 1);
    EXPECT_EQ(headless.fileRequests.back().title, "Select Texture");
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_NE(scene().textUserTexture, before);
    EXPECT_FLOAT_EQ(scene().textUseDefaultTexture, 0);
    EXPECT_EQ(scene().textTexturePath, "Textures/pollav.jpg");
    EXPECT_EQ(scene().assetPathMode, 2);

    QTemporaryDir dir;
    QFile broken(dir.filePath("broken.jpg"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("this is not a picture");
    broken.close();
    const unsigned loaded = scene().textUserTexture;
    headless.files = {broken.fileName()};
    load->click();
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_TRUE(headless.messages[0].text.contains("broken.jpg"));
    EXPECT_EQ(scene().textUserTexture, loaded);
    EXPECT_EQ(scene().textTexturePath, "Textures/pollav.jpg");
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_GT(litPixels(viewPicture()), 1000);
}

TEST_F(TextPage, ResetRestoresTheLookButKeepsFadeStyleAndSwitches) {
    CMyPage1* page = openTextTab();
    CZoetraView& v = scene();
    v.textRotation = {10, 20, 30};
    v.textPosition = {1, 2, 3};
    v.fontColour = {1, 2, 3};
    v.backgroundColour = {40, 50, 60};
    v.textTwist = {5, 5, 5};
    v.lineSpacing = {1, 1, 1};
    v.charSpacing = {2, 2, 2};
    v.spotPosition = {3, 3, 3};
    v.spotColour = {4, 4, 4};
    v.textScale = {9, 9, 9};
    v.textFade = 77;
    v.textStyle = 3;
    v.textLighting = 2;
    page->textEdit()->setPlainText("Hello");
    chooseEntry(page->styleCombo(), 1);
    chooseEntry(page->materialCombo(), 4);
    chooseEntry(page->entryCombo(), 5);

    page->resetButton()->click();
    EXPECT_FLOAT_EQ(v.textRotation.y, 0);
    EXPECT_FLOAT_EQ(v.textPosition.z, 0);
    EXPECT_FLOAT_EQ(v.fontColour.x, 255);
    EXPECT_FLOAT_EQ(v.backgroundColour.z, 0);
    EXPECT_FLOAT_EQ(v.textTwist.x, 0);
    EXPECT_FLOAT_EQ(v.lineSpacing.y, -60);
    EXPECT_FLOAT_EQ(v.charSpacing.z, 0);
    EXPECT_FLOAT_EQ(v.spotPosition.z, 4000);
    EXPECT_FLOAT_EQ(v.spotColour.y, 128);
    EXPECT_FLOAT_EQ(v.textScale.z, 10);
    EXPECT_EQ(v.textString, "Lumatoy");
    EXPECT_FLOAT_EQ(v.textFade, 77);
    EXPECT_FLOAT_EQ(v.textStyle, 1); // chosen above: Reset keeps it
    EXPECT_FLOAT_EQ(v.textLighting, 2);

    EXPECT_EQ(v.pageEntry(DeckPage::Text), 0);
    EXPECT_EQ(page->entryCombo()->currentIndex(), 0);
    EXPECT_EQ(page->styleCombo()->currentIndex(), 0);
    EXPECT_EQ(page->materialCombo()->currentIndex(), 0);
    EXPECT_EQ(v.textStyleEntry, 0);
    EXPECT_EQ(v.textMaterialEntry, 0);
    EXPECT_EQ(page->slider(0)->maximum(), 360);
    EXPECT_EQ(page->edit(1)->text(), "0");
    EXPECT_EQ(page->textEdit()->toPlainText(), "Lumatoy");
    EXPECT_TRUE(page->toggleButtons()[1]->isChecked());
}

TEST_F(TextPage, TheMultiLineTextBecomesTheText) {
    CMyPage1* page = openTextTab();
    EXPECT_EQ(page->textEdit()->toPlainText(), "Lumatoy");
    page->textEdit()->clear();
    QTest::keyClicks(page->textEdit(), "A");
    QTest::keyClick(page->textEdit(), Qt::Key_Return);
    QTest::keyClicks(page->textEdit(), "B");
    EXPECT_EQ(scene().textString, "A\r\nB");
    // Two lines stand taller in the view than one.
    const QImage twoLines = viewPicture();
    page->textEdit()->setPlainText("AB");
    EXPECT_EQ(scene().textString, "AB");
    EXPECT_GT(differingPixels(twoLines, viewPicture()), 500);
}

TEST_F(TextPage, StyleAndMaterialCombos) {
    CMyPage1* page = openTextTab();
    QComboBox* style = page->styleCombo();
    ASSERT_EQ(style->count(), 9);
    EXPECT_EQ(style->itemText(4), "Texture (Eye]");
    ASSERT_EQ(page->materialCombo()->count(), 17);
    EXPECT_EQ(page->materialCombo()->itemText(16), "Black Plastic");

    chooseEntry(style, 2);
    EXPECT_FLOAT_EQ(scene().textStyle, 2);
    const QImage solid = viewPicture();
    chooseEntry(style, 5);
    EXPECT_FLOAT_EQ(scene().textWireframe, 2);
    EXPECT_EQ(scene().textStyleEntry, 5);
    // The glyphs are outlines now.
    const QImage wire = viewPicture();
    EXPECT_GT(differingPixels(solid, wire), 1000);
    EXPECT_LT(litPixels(wire), litPixels(solid));
    chooseEntry(style, 6);
    EXPECT_FLOAT_EQ(scene().textWireframe, 0);
    EXPECT_LT(differingPixels(solid, viewPicture()), 200);
    chooseEntry(style, 7);
    EXPECT_FLOAT_EQ(scene().textShiny, 2);
    chooseEntry(style, 8);
    EXPECT_FLOAT_EQ(scene().textShiny, 0);

    chooseEntry(page->materialCombo(), 1);
    EXPECT_EQ(scene().textMaterialEntry, 1);
}

TEST_F(TextPage, ChangeFontHidesTheDeckAndRebuildsTheGlyphs) {
    CMyPage1* page = openTextTab();
    const QImage before = viewPicture();
    headless.fonts = {FontChoice{"DejaVu Serif", 400, true, {}}};
    VisibilityLog log;
    sheet->installEventFilter(&log);
    page->changeFontButton()->click();
    sheet->removeEventFilter(&log);
    EXPECT_EQ(log.hides, 1);
    EXPECT_EQ(scene().fontFace, "DejaVu Serif");
    EXPECT_EQ(scene().fontItalic, 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_GT(differingPixels(before, viewPicture()), 500);

    // Cancelled: the font stays.
    page->changeFontButton()->click();
    EXPECT_EQ(scene().fontFace, "DejaVu Serif");
    EXPECT_GT(litPixels(viewPicture()), 1000);
}

TEST_F(TextPage, FontColorSetsTheColourAndTheSlidersOfColourFont) {
    CMyPage1* page = openTextTab();
    chooseEntry(page->entryCombo(), kFontColourEntry);
    headless.colours = {QColor(10, 200, 30)};
    VisibilityLog log;
    sheet->installEventFilter(&log);
    page->fontColourButton()->click();
    sheet->removeEventFilter(&log);
    EXPECT_EQ(log.hides, 1);
    EXPECT_FLOAT_EQ(scene().fontColour.x, 10);
    EXPECT_FLOAT_EQ(scene().fontColour.y, 200);
    EXPECT_EQ(page->slider(1)->value(), 200);
    EXPECT_EQ(page->edit(2)->text(), "30");
    EXPECT_TRUE(sheet->isVisible());

    // Cancelled: the colour stays as it is.
    page->slider(0)->setValue(90);
    page->fontColourButton()->click();
    EXPECT_FLOAT_EQ(scene().fontColour.x, 90);
    EXPECT_FLOAT_EQ(scene().fontColour.y, 200);
}
