// The Control Deck sheet: opened from the toolbar command, its eleven tabs, pages made when first
// shown, closing and "New", hidden while frames are read or the settings dialog is up, and every
// page laid out without clipped captions (optionally saving a picture of each page).
#include "support/gui/DeckFixture.h"

#include "effects/Effects.h"
#include "export/ui/ExportSettingsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

namespace {

class DeckSheet : public DeckFixture {};

// Every visible caption of `page` fits into its widget.
void expectNothingClipped(QWidget* page, const QString& where) {
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page)) continue;
        const QString what =
            where + " / " + w->metaObject()->className() + " " + w->property("text").toString();
        int needed = -1;
        if (auto* label = qobject_cast<QLabel*>(w); label && !label->wordWrap())
            needed = label->sizeHint().width();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            needed = button->sizeHint().width();
        else if (auto* combo = qobject_cast<QComboBox*>(w))
            needed = combo->sizeHint().width();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            needed = group->minimumSizeHint().width();
        if (needed >= 0) {
            EXPECT_GE(w->width(), needed) << what.toStdString();
        }
    }
}

} // namespace

TEST_F(DeckSheet, OpensAsAnAlwaysOnTopToolWindowWithElevenTabsInOrder) {
    CMySheet* sheet = openDeck();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->windowTitle(), "Lumatoy Version 2: Control Deck");
    EXPECT_EQ(sheet->windowType(), Qt::Tool);
    EXPECT_TRUE(sheet->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_EQ(sheet->parentWidget(), nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(sheet->isModal());
    EXPECT_EQ(scene().deckOpen, 1);

    const QStringList captions{
        "Keyframe Controls", "Text",          "Star Controls",   "Particle Controls",
        "Tunnel Controls",   "Tile Controls", "Blur Control",    "3DS Model",
        "Model 2",           "Model 3",       "Picture Controls"};
    const QStringList classes{"CmyPage10", "CMyPage1",  "CMyPage2", "CmyPage3",
                              "CmyPage5",  "CmyPage6",  "CmyPage7", "CmyPage8",
                              "CMyPage12", "CMyPage13", "CmyPage9"};
    ASSERT_EQ(sheet->tabs()->count(), 11);
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(sheet->tabs()->tabText(i), captions[i]);
        EXPECT_EQ(sheet->tabs()->widget(i)->objectName(), classes[i]);
    }
    // The first tab is shown and its page made at once; the others wait for their tab.
    EXPECT_EQ(sheet->tabs()->currentIndex(), 0);
    EXPECT_TRUE(sheet->keyframePage()->isCreated());
    EXPECT_TRUE(scene().pageExists(DeckPage::Keyframes));
    for (int i = 1; i < 11; ++i) {
        EXPECT_FALSE(sheet->page(DeckPage(i))->isCreated()) << i;
        EXPECT_FALSE(scene().pageExists(DeckPage(i))) << i;
    }

    // A second command brings the same sheet forward.
    frame->action(Command::ControlDeck)->trigger();
    EXPECT_EQ(frame->controlDeck(), sheet);
    int sheets = 0;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (qobject_cast<CMySheet*>(w)) ++sheets;
    EXPECT_EQ(sheets, 1);
}

TEST_F(DeckSheet, ShowingATabMakesItsPageOnceAndSwitchesItsLayerOn) {
    scene().textOn = 0;
    CMySheet* sheet = openDeck();
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    ASSERT_TRUE(text->isCreated());
    EXPECT_TRUE(scene().pageExists(DeckPage::Text));
    EXPECT_EQ(scene().pageEntry(DeckPage::Text), 0);
    EXPECT_FLOAT_EQ(scene().textOn, 2);

    // Shown again later, the page is the same one: opening does not run twice.
    scene().textOn = 0;
    clickTab(sheet, DeckPage::Keyframes);
    clickTab(sheet, DeckPage::Text);
    EXPECT_FLOAT_EQ(scene().textOn, 0);
}

TEST_F(DeckSheet, ClosingStopsTheFrameRateAndLetsGoOfEveryPageButKeepsTheValues) {
    CMySheet* sheet = openDeck();
    clickTab(sheet, DeckPage::Text);
    EXPECT_FLOAT_EQ(scene().showFps, 2);
    scene().textRotation = {12, 34, 56};
    sheet->close();
    QTest::qWait(50);
    EXPECT_EQ(frame->controlDeck(), nullptr);
    EXPECT_EQ(scene().deckOpen, 0);
    EXPECT_FLOAT_EQ(scene().showFps, 0);
    for (int i = 0; i < kDeckPageCount; ++i)
        EXPECT_FALSE(scene().pageExists(DeckPage(i))) << i;
    EXPECT_FLOAT_EQ(scene().textRotation.y, 34);

    // Opened again, the deck has new pages that show the current values.
    CMySheet* again = openDeck();
    ASSERT_NE(again, nullptr);
    CEffectPage* text = clickTab(again, DeckPage::Text);
    EXPECT_EQ(text->slider(1)->value(), 34);
    EXPECT_EQ(text->edit(2)->text(), "56");
}

TEST_F(DeckSheet, NewClosesTheDeck) {
    openDeck();
    headless.answers = {true};
    frame->action(Command::New)->trigger();
    QTest::qWait(50);
    EXPECT_EQ(frame->controlDeck(), nullptr);
    EXPECT_EQ(scene().deckOpen, 0);
    EXPECT_EQ(scene().deck, nullptr);
    // The next command builds a new sheet.
    EXPECT_NE(openDeck(), nullptr);
    EXPECT_EQ(scene().deckOpen, 1);
}

TEST_F(DeckSheet, SaveBitmapAndCopyHideTheDeckWhileTheyReadTheFrame) {
    CMySheet* sheet = openDeck();
    VisibilityLog log;
    sheet->installEventFilter(&log);
    QTemporaryDir dir;
    headless.files = {dir.filePath("frame.bmp")};
    frame->action(Command::SaveBitmap)->trigger();
    EXPECT_GE(log.hides, 1);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(QFile::exists(dir.filePath("frame.bmp")));

    const int hides = log.hides;
    frame->action(Command::CopyToClipboard)->trigger();
    EXPECT_GT(log.hides, hides);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_FALSE(headless.clipboard.isNull());
    sheet->removeEventFilter(&log);
}

TEST_F(DeckSheet, TheSettingsButtonsHideTheDeckUntilTheDialogIsAnswered) {
    CMySheet* sheet = openDeck();
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    for (QPushButton* button :
         {text->movieSettingsButton(), sheet->keyframePage()->button("Video Export Settings")}) {
        ASSERT_NE(button, nullptr);
        bool hiddenMeanwhile = false, dialogShown = false;
        QTimer::singleShot(100, [&] {
            hiddenMeanwhile = !sheet->isVisible();
            auto* dialog = qobject_cast<ExportSettingsDialog*>(QApplication::activeModalWidget());
            dialogShown = dialog != nullptr;
            if (dialog) dialog->reject();
        });
        if (button == sheet->keyframePage()->button("Video Export Settings"))
            clickTab(sheet, DeckPage::Keyframes);
        button->click();
        EXPECT_TRUE(dialogShown);
        EXPECT_TRUE(hiddenMeanwhile);
        EXPECT_TRUE(sheet->isVisible());
    }
}

TEST_F(DeckSheet, ExportVideoButtonsRunTheWindowsCommand) {
    CMySheet* sheet = openDeck();
    CEffectPage* text = clickTab(sheet, DeckPage::Text);
    // Without a sequence the command says so; the deck it hid stays hidden.
    text->exportVideoButton()->click();
    ASSERT_FALSE(headless.messages.empty());
    EXPECT_EQ(headless.messages.back().text,
              "Please create or load a keyframe sequence. There currently nothing to record.");
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(scene().deckOpen, 0);

    // The next command builds the deck again; its keyframe page has the same button.
    CMySheet* again = openDeck();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(scene().deckOpen, 1);
    const size_t before = headless.messages.size();
    again->keyframePage()->button("Export Video")->click();
    EXPECT_EQ(headless.messages.size(), before + 1);
}

TEST_F(DeckSheet, EveryEffectPageHasTheCommonButtons) {
    CMySheet* sheet = openDeck();
    for (int i = 1; i < kDeckPageCount; ++i) {
        const DeckPage page = DeckPage(i);
        CEffectPage* p = clickTab(sheet, page);
        ASSERT_TRUE(p->isCreated());
        EXPECT_TRUE(p->movieSettingsButton()->isVisibleTo(p));
        EXPECT_EQ(p->movieSettingsButton()->text(), "Movie Export Settings");
        EXPECT_TRUE(p->exportVideoButton()->isVisibleTo(p));
        EXPECT_EQ(p->exportVideoButton()->text(), "Export Video");
        EXPECT_FALSE(p->keyFrameEditorButton()->isVisibleTo(p));
        EXPECT_FALSE(p->keyFrameEditorButton()->isEnabled());
        EXPECT_EQ(p->keyFrameEditorButton()->text(), "Key Frame Editor");
        if (!controlPage(page)) {
            // A layer without a table yet: the caption and the common buttons only.
            EXPECT_EQ(p->entryCombo(), nullptr);
            const QList<QLabel*> labels = p->findChildren<QLabel*>();
            ASSERT_EQ(labels.size(), 1) << i;
            EXPECT_EQ(labels[0]->text(), sheet->tabs()->tabText(i));
        } else {
            EXPECT_NE(p->entryCombo(), nullptr);
        }
    }
}

// Every page at the scale the test runs with (ctest runs it at 100 % and at 200 %): nothing
// clipped, and on a screen of ordinary size the window and all its tabs on it. With
// LUMATOY_DECK_SCREENSHOTS naming a folder, a picture of each page goes there.
TEST_F(DeckSheet, EveryPageIsLaidOutWithoutClippedCaptions) {
    CMySheet* sheet = openDeck();
    const QString shots = qEnvironmentVariable("LUMATOY_DECK_SCREENSHOTS");
    if (!shots.isEmpty()) QDir().mkpath(shots);
    for (int i = 0; i < kDeckPageCount; ++i) {
        clickTab(sheet, DeckPage(i));
        QTest::qWait(50);
        QWidget* page = sheet->tabs()->widget(i);
        expectNothingClipped(page, sheet->tabs()->tabText(i));
        if (!shots.isEmpty()) {
            const QString name = QStringLiteral("deck-%1-%2.png")
                                     .arg(i, 2, 10, QLatin1Char('0'))
                                     .arg(sheet->tabs()->tabText(i).replace(' ', '-'));
            sheet->grab().save(QDir(shots).filePath(name));
        }
    }
    // On a screen of ordinary size (in the scaled pixels) the whole deck is on it, every tab too.
    const QRect screen = sheet->screen()->availableGeometry();
    if (screen.width() >= 1200 && screen.height() >= 700) {
        EXPECT_LE(sheet->frameGeometry().width(), screen.width());
        EXPECT_LE(sheet->frameGeometry().height(), screen.height());
        EXPECT_GE(sheet->tabs()->tabBar()->width(), sheet->tabs()->tabBar()->sizeHint().width());
    }
}
