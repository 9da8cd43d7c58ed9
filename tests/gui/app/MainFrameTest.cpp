// The main window: its menus, toolbar and status bar, "New", the web commands and the About box.
#include "app/MainFrame.h"
#include "app/AboutBox.h"
#include "app/ToolbarImages.h"
#include "app/WebAddresses.h"
#include "scene/CZoetraView.h"
#include "support/LocalHttpServer.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

namespace {

class MainFrameTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(profile.isValid());
        frame = createMainWindow();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }
    void TearDown() override { frame.reset(); }

    // The texts of a menu's visible items in order; a separator is an empty text.
    static QStringList itemTexts(const QList<QAction*>& actions) {
        QStringList texts;
        for (const QAction* a : actions)
            if (a->isVisible()) texts << (a->isSeparator() ? QString() : a->text());
        return texts;
    }

    // No random sequence at start: the scene starts from its defaults.
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    std::unique_ptr<CMainFrame> frame;
};

} // namespace

TEST_F(MainFrameTest, MenusHaveTheirItemsInOrder) {
    QStringList titles;
    QList<QMenu*> menus;
    for (QAction* a : frame->menuBar()->actions()) {
        titles << a->text();
        menus << a->menu();
    }
    ASSERT_EQ(titles, QStringList({"&File", "&Edit", "&View", "Options", "Export Video", "&Help"}));
    // No recent files yet: the two separators stand together.
    EXPECT_EQ(itemTexts(menus[0]->actions()),
              QStringList({"&New", "&Open Sequence.", "&Save Sequence", "Save Sequence &As...", "",
                           "", "Save Bitmap", "Copy to Clipboard", "E&xit"}));
    EXPECT_FALSE(menus[0]->separatorsCollapsible());
    EXPECT_EQ(itemTexts(menus[1]->actions()), QStringList({"Undo", "Redo"}));
    EXPECT_EQ(itemTexts(menus[2]->actions()), QStringList({"&Toolbar", "&Status Bar"}));
    EXPECT_EQ(itemTexts(menus[3]->actions()), QStringList({"Settings"}));
    EXPECT_EQ(itemTexts(menus[4]->actions()), QStringList({"Export Video"}));
    EXPECT_EQ(itemTexts(menus[5]->actions()), QStringList({"&About Lumatoy...", "Online Help",
                                                           "Sequence Packs", "Check for Updates"}));

    EXPECT_EQ(frame->action(Command::New)->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frame->action(Command::OpenSequence)->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(frame->action(Command::SaveSequence)->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_EQ(frame->action(Command::SaveSequenceAs)->shortcut(), QKeySequence("Ctrl+Shift+S"));
    EXPECT_EQ(frame->action(Command::Undo)->shortcut(), QKeySequence("Ctrl+Z"));
    EXPECT_EQ(frame->action(Command::Redo)->shortcuts(),
              QList<QKeySequence>({QKeySequence("Ctrl+Shift+Z"), QKeySequence("Ctrl+Y")}));
    EXPECT_TRUE(frame->windowTitle().endsWith("Lumatoy"));
}

TEST_F(MainFrameTest, ToolbarAndStatusBar) {
    const QList<QAction*> buttons = frame->toolBar()->actions();
    ASSERT_EQ(buttons.size(), 6);
    EXPECT_EQ(buttons[0], frame->action(Command::New));
    EXPECT_EQ(buttons[1], frame->action(Command::OpenSequence));
    EXPECT_EQ(buttons[2], frame->action(Command::SaveSequence));
    EXPECT_TRUE(buttons[3]->isSeparator());
    EXPECT_EQ(buttons[4], frame->action(Command::ControlDeck));
    EXPECT_EQ(buttons[5], frame->action(Command::About));
    for (QAction* a : buttons)
        EXPECT_TRUE(a->isSeparator() || !a->icon().isNull());

    QStringList indicators;
    for (const QLabel* label : frame->statusBar()->findChildren<QLabel*>())
        indicators << label->text();
    for (const char* text : {"CAP", "NUM", "SCRL"})
        EXPECT_TRUE(indicators.contains(text)) << text;

    // The View menu's items hide and show the bars.
    frame->action(Command::ToggleToolbar)->trigger();
    EXPECT_FALSE(frame->toolBar()->isVisible());
    frame->action(Command::ToggleToolbar)->trigger();
    EXPECT_TRUE(frame->toolBar()->isVisible());
    frame->action(Command::ToggleStatusBar)->trigger();
    EXPECT_FALSE(frame->statusBar()->isVisible());
    EXPECT_FALSE(frame->action(Command::ToggleStatusBar)->isChecked());
}

namespace {
// A look far from the defaults.
void changeScene(CZoetraView& v) {
    v.aviFrameRate = 25;
    v.starsOn = 2;
    v.textString = "Changed";
    v.timelinePlaying = true;
}
} // namespace

TEST_F(MainFrameTest, NewAnsweredNoChangesNothing) {
    CZoetraView& v = frame->scene();
    changeScene(v);
    headless.answers = {false};
    frame->action(Command::New)->trigger();
    ASSERT_EQ(headless.questions, QStringList({"Are you sure you want to create a new project?"}));
    EXPECT_EQ(v.aviFrameRate, 25);
    EXPECT_EQ(v.starsOn, 2);
    EXPECT_EQ(v.textString, "Changed");
    EXPECT_TRUE(v.timelinePlaying);
}

TEST_F(MainFrameTest, NewAnsweredYesResetsTheScene) {
    CZoetraView& v = frame->scene();
    changeScene(v);
    headless.answers = {true};
    frame->action(Command::New)->trigger();
    EXPECT_EQ(headless.questions.size(), 1);
    EXPECT_EQ(v.starsOn, 0);
    EXPECT_EQ(v.textString, "Lumatoy");
    EXPECT_FALSE(v.timelinePlaying);
    // The live view runs at 50 frames per second until the settings are applied again.
    EXPECT_EQ(v.aviFrameRate, 50);
}

TEST_F(MainFrameTest, WebCommandsOpenTheirAddresses) {
    frame->action(Command::OnlineHelp)->trigger();
    frame->action(Command::SequencePacks)->trigger();
    EXPECT_EQ(headless.openedUrls,
              QStringList({makerAddress(kOnlineHelpPath), makerAddress(kSequencePacksPath)}));
    EXPECT_TRUE(headless.openedUrls[0].endsWith("/lmt2-help/lmt2-help.html"));
    EXPECT_TRUE(updateTextAddress().endsWith("/updates/full/lmt2-full-version-update.txt"));
}

TEST_F(MainFrameTest, CheckForUpdatesReadsTheUpdateFileAndAnswersInAMessage) {
    LocalHttpServer server;
    server.serve("/updates/full/lmt2-full-version-update.txt",
                 {200, "OK", "text/plain", "99.0\nhttps://example.org/download\n"});
    qputenv("LUMATOY_UPDATE_ADDRESS",
            server.address("/updates/full/lmt2-full-version-update.txt").toUtf8());
    frame->action(Command::CheckForUpdates)->trigger();
    qunsetenv("LUMATOY_UPDATE_ADDRESS");
    EXPECT_EQ(server.requests, QList<QString>{"/updates/full/lmt2-full-version-update.txt"});
    EXPECT_TRUE(headless.openedUrls.isEmpty()); // the text file is not shown in a browser
    ASSERT_EQ(headless.messages.size(), 1u);
    EXPECT_EQ(headless.messages[0].text,
              "A newer version of Lumatoy is available: version 99.0 (this is version " +
                  QStringLiteral(LUMATOY_VERSION) +
                  ").\n\nDownload it from https://example.org/download");
    EXPECT_EQ(headless.messages[0].icon, MessageIcon::Information);
}

TEST_F(MainFrameTest, AboutBoxIsModelessWithoutOwnerAndGoesAwayWhenClosed) {
    frame->action(Command::About)->trigger();
    AboutBox* box = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* b = qobject_cast<AboutBox*>(w); b && b->isVisible()) box = b;
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->parentWidget(), nullptr);
    EXPECT_FALSE(box->isModal());
    QPointer<AboutBox> watch(box);

    box->findChild<QPushButton*>("visitWebsite")->click();
    box->findChild<QPushButton*>("stockFootage")->click();
    ASSERT_EQ(headless.openedUrls.size(), 2);
    EXPECT_EQ(headless.openedUrls[0], makerAddress(kHomePagePath));
    EXPECT_EQ(headless.openedUrls[1], QString::fromLatin1(kStockFootageSearch));

    box->close();
    QTest::qWait(0);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(watch.isNull());
}

TEST(ToolbarImages, StripIsCutIntoMaskedImages) {
    const QColor key(255, 0, 255);
    QImage strip(96, 40, QImage::Format_RGB32);
    strip.fill(key);
    strip.setPixel(10, 10, qRgb(0, 0, 255));      // first image
    strip.setPixel(48 + 20, 30, qRgb(0, 255, 0)); // second image
    const std::vector<QPixmap> images = cutToolbarStrip(strip);
    ASSERT_EQ(images.size(), 2u);
    const QImage first = images[0].toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(first.size(), QSize(48, 40));
    EXPECT_EQ(qAlpha(first.pixel(0, 0)), 0);
    EXPECT_EQ(first.pixel(10, 10), qRgb(0, 0, 255));
    const QImage second = images[1].toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(second.pixel(20, 30), qRgb(0, 255, 0));
    EXPECT_EQ(qAlpha(second.pixel(20, 29)), 0);

    // A partial image at the end is dropped; a strip narrower than one image gives none.
    EXPECT_EQ(cutToolbarStrip(strip.copy(0, 0, 100, 40)).size(), 2u);
    EXPECT_TRUE(cutToolbarStrip(strip.copy(0, 0, 40, 40)).empty());
    EXPECT_TRUE(cutToolbarStrip(QImage()).empty());
}
