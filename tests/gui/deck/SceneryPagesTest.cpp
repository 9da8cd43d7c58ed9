// The own controls of the "Tunnel Controls" and "Tile Controls" pages: the tunnel's "Change
// Color", the tiles' "Quad 1" / "Quad 2" radio buttons and each quad's group of controls.
#include "support/gui/DeckFixture.h"

#include "deck/SceneryPages.h"
#include "effects/tiles/TileEffect.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QRadioButton>

namespace {

class SceneryPages : public OpenDeckFixture {};

} // namespace

TEST_F(SceneryPages, ChangeColorPaintsTheTunnelWalls) {
    auto* page = static_cast<CmyPage5*>(clickTab(sheet, DeckPage::Tunnel));
    ASSERT_NE(page->changeColourButton(), nullptr);
    EXPECT_EQ(page->changeColourButton()->text(), "Change Color");
    scene().textOn = 0;
    const QImage green = viewPicture();

    headless.colours = {QColor(255, 0, 128)};
    VisibilityLog log;
    sheet->installEventFilter(&log);
    page->changeColourButton()->click();
    sheet->removeEventFilter(&log);
    EXPECT_EQ(log.hides, 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FLOAT_EQ(scene().tunnelRed, 1);
    EXPECT_FLOAT_EQ(scene().tunnelGreen, 0);
    EXPECT_NEAR(scene().tunnelBlue, 128 / 255.0f, 1e-6);
    EXPECT_GT(differingPixels(green, viewPicture()), 1000);

    // Cancelled: the walls keep their colour.
    page->changeColourButton()->click();
    EXPECT_FLOAT_EQ(scene().tunnelRed, 1);
    EXPECT_FLOAT_EQ(scene().tunnelGreen, 0);
}

TEST_F(SceneryPages, TheQuadButtonsChooseWhichQuadThePageTunes) {
    CZoetraView& v = scene();
    v.tileRotateX1 = 11;
    v.tileRotateX2 = 33;
    auto* page = static_cast<CmyPage6*>(clickTab(sheet, DeckPage::Tiles));
    ASSERT_NE(page->quadButton(0), nullptr);
    EXPECT_EQ(page->quadButton(0)->text(), "Quad 1");
    EXPECT_EQ(page->quadButton(1)->text(), "Quad 2");
    EXPECT_TRUE(page->quadButton(0)->isChecked());
    EXPECT_EQ(page->edit(0)->text(), "11");

    // Each quad's boxes and picker sit with its button.
    QWidget* first = page->quadButton(0)->parentWidget();
    QWidget* second = page->quadButton(1)->parentWidget();
    EXPECT_NE(first, second);
    EXPECT_EQ(page->toggleButtons()[kTileToggleTransparent1]->parentWidget(), first);
    EXPECT_EQ(page->toggleButtons()[kTileToggleVisible1]->parentWidget(), first);
    EXPECT_EQ(page->toggleButtons()[kTileToggleTransparent2]->parentWidget(), second);
    EXPECT_EQ(page->toggleButtons()[kTileToggleVisible2]->parentWidget(), second);
    EXPECT_EQ(page->pickerButtons()[0]->parentWidget(), first);
    EXPECT_EQ(page->pickerButtons()[1]->parentWidget(), second);

    page->quadButton(1)->click();
    EXPECT_FLOAT_EQ(v.tileSelected, 4);
    EXPECT_EQ(page->edit(0)->text(), "33");
    EXPECT_EQ(page->slider(0)->value(), 33);
    page->slider(1)->setValue(-90);
    EXPECT_FLOAT_EQ(v.tileRotateY2, -90);
    EXPECT_FLOAT_EQ(v.tileRotateY1, 0);

    // "Quad Roll" has no Z; choosing the other quad keeps the entry and its controls.
    chooseEntry(page->entryCombo(), 2);
    EXPECT_FALSE(page->slider(2)->isEnabled());
    page->quadButton(0)->click();
    EXPECT_FLOAT_EQ(v.tileSelected, 2);
    EXPECT_FALSE(page->slider(2)->isEnabled());
    EXPECT_EQ(page->slider(0)->maximum(), 300);
    chooseEntry(page->entryCombo(), 0);
    EXPECT_TRUE(page->slider(2)->isEnabled());
    EXPECT_EQ(page->edit(0)->text(), "11");

    // Reset goes back to the first quad.
    page->quadButton(1)->click();
    page->resetButton()->click();
    EXPECT_FLOAT_EQ(v.tileSelected, 2);
    EXPECT_TRUE(page->quadButton(0)->isChecked());
    EXPECT_FALSE(page->quadButton(1)->isChecked());
}

TEST_F(SceneryPages, TheTileButtonReadsTilesOnUntilItsFirstClick) {
    auto* page = clickTab(sheet, DeckPage::Tiles);
    QAbstractButton* layer = page->toggleButtons()[kTileToggleLayer];
    EXPECT_EQ(layer->text(), "Tiles On");
    // Other changes on the page leave the opening caption alone.
    page->resetButton()->click();
    page->slider(0)->setValue(40);
    EXPECT_EQ(layer->text(), "Tiles On");
    layer->click();
    EXPECT_EQ(layer->text(), "Tile Off");
    EXPECT_FLOAT_EQ(scene().tilesOn, 0);
    layer->click();
    EXPECT_EQ(layer->text(), "Tile On");
    EXPECT_FLOAT_EQ(scene().tilesOn, 2);
    EXPECT_GE(layer->width(), layer->fontMetrics().horizontalAdvance("Tiles On"));

    // A deck opened again opens the page afresh.
    sheet->close();
    QTest::qWait(20);
    sheet = openDeck();
    page = clickTab(sheet, DeckPage::Tiles);
    EXPECT_EQ(page->toggleButtons()[kTileToggleLayer]->text(), "Tiles On");
}
