// The settings dialog: its controls and texts, Apply and Cancel, the re-entry guard.
#include "export/ui/ExportSettingsDialog.h"
#include "export/FormatTable.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/ScriptedPlatform.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "support/RecordingDeck.h"

namespace {

QPushButton* buttonNamed(QWidget* dialog, const QString& text) {
    for (QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->text() == text) return b;
    return nullptr;
}

// Runs `work` on the modal dialog once it is open.
void whenDialogOpens(std::function<void(ExportSettingsDialog*)> work) {
    QTimer::singleShot(0, [work] {
        auto* dialog = qobject_cast<ExportSettingsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        work(dialog);
    });
}

class SettingsDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
        view = makeScene();
        view->lockToAviRate = 1;
        view->randomSequenceAtStart = 0;
        view->presetLoop = 1;
        view->exportPreset = 3;
        view->resizeToPreset = 0;
        view->aviFrameRate = 30;
    }

    QTemporaryDir dir;
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    std::unique_ptr<CZoetraView> view;
};

} // namespace

TEST_F(SettingsDialogTest, ShowsTheSeventeenFormatsAndItsTexts) {
    ExportSettingsDialog dialog(settingsChoiceFromView(*view));
    QComboBox* combo = dialog.formatCombo();
    ASSERT_EQ(combo->count(), kExportFormatCount);
    for (int i = 0; i < kExportFormatCount; ++i)
        EXPECT_EQ(combo->itemText(i), QString::fromLatin1(exportFormat(i)->label)) << i;
    EXPECT_EQ(combo->currentIndex(), 3);

    QStringList labels;
    for (const QLabel* l : dialog.findChildren<QLabel*>())
        labels << l->text();
    EXPECT_EQ(labels, QStringList({"Format:", "Frame Rate:", "Resoultion:"}));
    QStringList groups;
    for (const QGroupBox* g : dialog.findChildren<QGroupBox*>())
        groups << g->title();
    EXPECT_EQ(groups, QStringList({"AVI Export Settings", "Lumatoy Settings"}));
    EXPECT_EQ(dialog.lockBox()->text(), "Lock Lumatoy to AVI Export Frame Rate");
    EXPECT_EQ(dialog.randomBox()->text(), "Random Sequence on Start Up");
    EXPECT_EQ(dialog.resizeBox()->text(), "Resize Screen to Match AVI Export Settings");
    EXPECT_TRUE(dialog.lockBox()->isChecked());
    EXPECT_FALSE(dialog.randomBox()->isChecked());
    EXPECT_FALSE(dialog.resizeBox()->isChecked());
    ASSERT_NE(buttonNamed(&dialog, "Apply"), nullptr);
    ASSERT_NE(buttonNamed(&dialog, "Cancel"), nullptr);
    EXPECT_TRUE(buttonNamed(&dialog, "Apply")->isDefault());
}

TEST_F(SettingsDialogTest, ApplyStoresTheControlsAndResizesWhenAsked) {
    RecordingDeck deck;
    view->deck = &deck;
    view->deckOpen = 1;
    whenDialogOpens([](ExportSettingsDialog* d) {
        QComboBox* combo = d->formatCombo();
        combo->setCurrentIndex(15);
        emit combo->activated(15);
        d->randomBox()->setChecked(true);
        d->resizeBox()->setChecked(true);
        buttonNamed(d, "Apply")->click();
    });
    openExportSettings(*view);
    EXPECT_EQ(deck.calls, QStringList{"visible 1"});
    view->deck = nullptr;
    EXPECT_EQ(view->exportPreset, 15);
    EXPECT_EQ(view->randomSequenceAtStart, 1);
    EXPECT_EQ(view->resizeToPreset, 1);
    EXPECT_EQ(view->presetLoop, 0);
    EXPECT_EQ(view->aviFrameRate, 30);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(1284, 880));
    EXPECT_FALSE(exportSettingsOpen());
}

TEST_F(SettingsDialogTest, CancelChangesNothingButShowsTheDeckAndIgnoresReentry) {
    RecordingDeck deck;
    view->deck = &deck;
    view->deckOpen = 1;
    bool nestedReturned = false;
    whenDialogOpens([&](ExportSettingsDialog* d) {
        EXPECT_TRUE(exportSettingsOpen());
        // A second call while the dialog runs returns at once and opens nothing.
        openExportSettings(*view);
        nestedReturned = true;
        EXPECT_EQ(QApplication::activeModalWidget(), d);
        d->formatCombo()->setCurrentIndex(0);
        emit d->formatCombo()->activated(0);
        d->lockBox()->setChecked(false);
        buttonNamed(d, "Cancel")->click();
    });
    openExportSettings(*view);
    EXPECT_TRUE(nestedReturned);
    EXPECT_EQ(deck.calls, QStringList{"visible 1"});
    view->deck = nullptr;
    EXPECT_EQ(view->exportPreset, 3);
    EXPECT_EQ(view->lockToAviRate, 1);
    EXPECT_EQ(view->presetLoop, 1);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(0, 0));
    EXPECT_FALSE(QSettings(QSettings::IniFormat, QSettings::UserScope,
                           "Local AppWizard-Generated Applications", "Lumatoy")
                     .contains("Preset Loop/Value"));
}

TEST_F(SettingsDialogTest, UntouchedComboKeepsAnUnknownPreset) {
    view->exportPreset = 12345;
    view->resizeToPreset = 1;
    whenDialogOpens([](ExportSettingsDialog* d) {
        EXPECT_EQ(d->formatCombo()->currentIndex(), -1);
        buttonNamed(d, "Apply")->click();
    });
    openExportSettings(*view);
    EXPECT_EQ(view->exportPreset, 12345);
    EXPECT_EQ(headless.mainWindowSize, std::make_pair(0, 0));
    EXPECT_EQ(view->aviFrameRate, 30);
}
