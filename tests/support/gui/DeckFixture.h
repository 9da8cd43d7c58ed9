// The main window with its Control Deck for GUI tests: the window shown and initialised, the
// dialogs answered by a headless platform, and helpers to open pages, drive their controls and
// look at the view's picture; OpenDeckFixture the same with the deck already open.
#pragma once

#include "app/MainFrame.h"
#include "app/ZoetraGLWidget.h"
#include "deck/CMySheet.h"
#include "deck/EffectPage.h"
#include "deck/KeyframePage.h"
#include "scene/CZoetraView.h"
#include "support/ScriptedPlatform.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QThread>
#include <gtest/gtest.h>

// Counts a widget's hide and show events.
struct VisibilityLog : QObject {
    int hides = 0, shows = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide) ++hides;
        if (event->type() == QEvent::Show) ++shows;
        return false;
    }
};

class DeckFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(profile.isValid());
        frame = createMainWindow();
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        ASSERT_TRUE(QTest::qWaitFor([&] { return frame->sceneReady(); }, 20000));
    }
    void TearDown() override { frame.reset(); }

    CZoetraView& scene() { return frame->scene(); }

    // The toolbar's Control Deck command.
    CMySheet* openDeck() {
        frame->action(Command::ControlDeck)->trigger();
        CMySheet* sheet = frame->controlDeck();
        if (sheet) {
            EXPECT_TRUE(QTest::qWaitForWindowExposed(sheet));
        }
        return sheet;
    }

    // Clicks the tab of `page`, as the user does; returns the effect page (null for the keyframe
    // page).
    CEffectPage* clickTab(CMySheet* sheet, DeckPage page) {
        QTabBar* bar = sheet->tabs()->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(pageIndex(page)).center());
        EXPECT_EQ(sheet->tabs()->currentIndex(), pageIndex(page));
        return sheet->effectPage(page);
    }

    // Chooses combo entry `index` as the user does (the activated signal).
    static void chooseEntry(QComboBox* combo, int index) {
        combo->setCurrentIndex(index);
        emit combo->activated(index);
    }

    // Replaces an edit's text by typing `text`, then (optionally) presses Return.
    static void typeInto(QLineEdit* edit, const QString& text, bool finish = false) {
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        if (!text.isEmpty()) QTest::keyClicks(edit, text);
        if (finish) QTest::keyClick(edit, Qt::Key_Return);
    }

    // Runs the event loop a pass at a time until `done` holds (QTest::qWaitFor would keep
    // serving the view's endless redraws for its whole timeout before looking).
    template <typename Done> static bool waitUntil(Done done, int timeoutMs = 20000) {
        QElapsedTimer timer;
        timer.start();
        while (!done()) {
            if (timer.elapsed() > timeoutMs) return false;
            QCoreApplication::processEvents();
            QThread::msleep(2);
        }
        return true;
    }

    // The view's picture once at least `waitMs` have passed and `frames` more frames have been
    // drawn (however busy the machine, the picture then shows what was set before the call).
    QImage viewPicture(int waitMs = 400, int frames = 2) {
        ZoetraGLWidget* widget = frame->viewWidget();
        const int start = widget->framesDrawn();
        QTest::qWait(waitMs);
        EXPECT_TRUE(QTest::qWaitFor([&] { return widget->framesDrawn() >= start + frames; }, 30000))
            << "the view drew no frame";
        return widget->grabFramebuffer();
    }

    // Pixels with any channel above `level`.
    static int litPixels(const QImage& image, int level = 40) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) {
                const QRgb p = image.pixel(x, y);
                if (qRed(p) > level || qGreen(p) > level || qBlue(p) > level) ++count;
            }
        return count;
    }

    // Pixels that differ by more than `level` in some channel.
    static int differingPixels(const QImage& a, const QImage& b, int level = 24) {
        if (a.size() != b.size()) return a.width() * a.height();
        int count = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                if (std::abs(qRed(p) - qRed(q)) > level ||
                    std::abs(qGreen(p) - qGreen(q)) > level ||
                    std::abs(qBlue(p) - qBlue(q)) > level)
                    ++count;
            }
        return count;
    }

    // No random sequence at start: the scene starts from its defaults.
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    ScriptedPlatform headless;
    PlatformOverride useHeadless_{headless};
    std::unique_ptr<CMainFrame> frame;
};

// The same window with the Control Deck opened from the toolbar before each test.
class OpenDeckFixture : public DeckFixture {
  protected:
    void SetUp() override {
        DeckFixture::SetUp();
        sheet = openDeck();
        ASSERT_NE(sheet, nullptr);
    }

    CMySheet* sheet = nullptr;
};
