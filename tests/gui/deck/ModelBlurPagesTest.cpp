// The own controls of the "Blur Control" page (its "Apply Blur to:" group, the hidden "Change
// Color") and of the three model pages ("Load Model", the seven "Model Units" buttons).
#include "support/gui/DeckFixture.h"

#include "deck/ModelBlurPages.h"
#include "effects/ControlTable.h"
#include "platform/ProgramFolder.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

namespace {

class ModelBlurPages : public OpenDeckFixture {};

} // namespace

TEST_F(ModelBlurPages, TheBlurPageGroupsWhatItAppliesTo) {
    auto* page = static_cast<CmyPage7*>(clickTab(sheet, DeckPage::Blur));
    ASSERT_NE(page->applyGroup(), nullptr);
    EXPECT_EQ(page->applyGroup()->title(), "Apply Blur to:");
    QStringList inGroup;
    for (QAbstractButton* button : page->toggleButtons())
        if (button->parentWidget() == page->applyGroup() && button->isVisibleTo(page))
            inGroup << button->text();
    EXPECT_EQ(inGroup, QStringList({"Text", "Stars", "Particles"}));
    EXPECT_NE(page->toggleButtons()[0]->parentWidget(), page->applyGroup()); // "Blur On"
    EXPECT_FALSE(page->changeColourButton()->isVisibleTo(page));
    EXPECT_FALSE(page->changeColourButton()->isEnabled());
    EXPECT_EQ(page->changeColourButton()->text(), "Change Color");
    // The boxes in the group still count their clicks.
    QAbstractButton* stars = page->toggleButtons()[2];
    stars->click();
    EXPECT_TRUE(stars->isChecked());
    EXPECT_FLOAT_EQ(scene().blurStars, 2);
}

TEST_F(ModelBlurPages, UnitsButtonsSetEachModelsUnits) {
    for (DeckPage modelPage : {DeckPage::Model1, DeckPage::Model2, DeckPage::Model3}) {
        auto* page = static_cast<CModelPage*>(clickTab(sheet, modelPage));
        const int n = page->table()->instance;
        SCOPED_TRACE(n);
        ASSERT_NE(page->unitsButton(0), nullptr);
        EXPECT_EQ(page->unitsButton(0)->text(), "-1000");
        EXPECT_EQ(page->unitsButton(6)->text(), "+1000");
        EXPECT_TRUE(page->unitsButton(3)->isChecked());
        page->unitsButton(5)->click();
        EXPECT_EQ(scene().modelUnits[n], 5);
        EXPECT_FALSE(page->unitsButton(3)->isChecked());
        page->resetButton()->click();
        EXPECT_EQ(scene().modelUnits[n], 3);
        EXPECT_TRUE(page->unitsButton(3)->isChecked());
    }
    // Far larger units put the first model out of sight.
    auto* first = static_cast<CModelPage*>(clickTab(sheet, DeckPage::Model1));
    scene().textOn = 0;
    // Reset put all three at the same place: only the first one stays on.
    scene().modelOn[1] = scene().modelOn[2] = 0;
    const QImage near = viewPicture();
    EXPECT_GT(litPixels(near, 20), 500);
    first->unitsButton(6)->click();
    EXPECT_GT(differingPixels(near, viewPicture()), 500);
}

TEST_F(ModelBlurPages, LoadModelOpensThePickerBeforeTheNextFrame) {
    auto* page = static_cast<CModelPage*>(clickTab(sheet, DeckPage::Model2));
    ASSERT_NE(page->loadModelButton(), nullptr);
    EXPECT_EQ(page->loadModelButton()->text(), "Load Model");

    // Cancelled: the deck comes back and the model stays.
    const std::string before = scene().modelPath[1];
    page->loadModelButton()->click();
    EXPECT_FALSE(sheet->isVisible());
    ASSERT_TRUE(waitUntil([&] { return !headless.fileRequests.empty(); }));
    EXPECT_EQ(headless.fileRequests.back().title, "Choose Files");
    ASSERT_TRUE(waitUntil([&] { return sheet->isVisible(); }));
    EXPECT_EQ(scene().modelPath[1], before);

    const QString model = QDir(programFolder()).filePath("model/Tardis.3ds");
    headless.files = {model};
    page->loadModelButton()->click();
    ASSERT_TRUE(waitUntil([&] { return headless.fileRequests.size() == 2 && sheet->isVisible(); }));
    EXPECT_TRUE(headless.messages.empty());
    EXPECT_EQ(scene().modelPath[1], "Model/Tardis.3ds");
}

TEST_F(ModelBlurPages, AFileThatIsNoModelKeepsTheModelAndItsButton) {
    auto* page = static_cast<CModelPage*>(clickTab(sheet, DeckPage::Model1));
    const QString caption = page->toggleButtons()[0]->text();
    EXPECT_EQ(caption, "Model 1 On");
    const int objects = scene().modelMesh[0].objectCount;
    ASSERT_GT(objects, 0);

    QTemporaryDir dir;
    const QString notAModel = dir.filePath("picture.3ds");
    ASSERT_TRUE(QFile::copy(QDir(programFolder()).filePath("Textures/Gold.jpg"), notAModel));
    headless.files = {notAModel};
    page->loadModelButton()->click();
    ASSERT_TRUE(waitUntil([&] { return !headless.fileRequests.empty() && sheet->isVisible(); }));
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text,
              "Unable to load PRIMARY chuck from file: " + notAModel + "!");
    EXPECT_EQ(headless.messages[0].caption, "Error");
    EXPECT_EQ(headless.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(scene().modelMesh[0].objectCount, objects);
    EXPECT_EQ(scene().modelPath[0], kDefaultModelPath);
    EXPECT_GE(scene().modelOn[0], 2.0f);
    EXPECT_EQ(page->toggleButtons()[0]->text(), caption);
}
