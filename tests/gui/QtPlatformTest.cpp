// The Qt desktop services: the main window's outer size and recording frame, the progress window
// and its Cancel, the busy cursor.
#include "app/QtPlatform.h"
#include "app/MainFrame.h"
#include "export/FormatTable.h"
#include "support/TempProfile.h"

#include <QAction>
#include <QApplication>
#include <QMenuBar>
#include <QProgressDialog>
#include <QTest>
#include <QToolBar>
#include <gtest/gtest.h>

TEST(QtPlatformWindow, ResizeGivesTheOuterSizeAndKeepsThePlace) {
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    auto frame = createMainWindow();
    QtPlatform qt(frame.get());
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const QPoint place = frame->pos();
    // A wide format, the smallest banner and the largest format.
    for (int preset : {1, 13, 16}) {
        const QSize outer = exportFormat(preset)->resizeSize;
        qt.resizeMainWindow(outer.width(), outer.height());
        QTest::qWait(20);
        EXPECT_EQ(frame->frameGeometry().size(), outer) << preset;
        EXPECT_EQ(frame->pos(), place) << preset;
    }
}

TEST(QtPlatformWindow, StrippedForRecordingAndGivenBack) {
    TempProfile profile{{"Random Sequence On Start Up", 0}};
    auto frame = createMainWindow();
    QtPlatform qt(frame.get());
    frame->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    const QPoint place = frame->pos();

    qt.setMainWindowStripped(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_TRUE(frame->isStripped());
    EXPECT_FALSE(frame->menuBar()->isVisible());
    EXPECT_FALSE(frame->toolBar()->isVisible());
    EXPECT_TRUE(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_EQ(frame->pos(), place);

    qt.setMainWindowStripped(false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    EXPECT_TRUE(frame->menuBar()->isVisible());
    EXPECT_TRUE(frame->toolBar()->isVisible());
    EXPECT_TRUE(frame->action(Command::ToggleToolbar)->isChecked());
    EXPECT_FALSE(frame->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(frame->isVisible());
    EXPECT_EQ(frame->pos(), place);
}

TEST(QtPlatformWindow, ProgressReportsCancelAndGoesAway) {
    QtPlatform qt;
    qt.showProgress("Exporting", 10);
    EXPECT_TRUE(qt.setProgress(3));
    QProgressDialog* dialog = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<QProgressDialog*>(w)) dialog = p;
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->value(), 3);
    qt.setProgressText("Recording frame 4 of 10");
    EXPECT_EQ(dialog->labelText(), "Recording frame 4 of 10");
    dialog->cancel();
    EXPECT_FALSE(qt.setProgress(4));
    QPointer<QProgressDialog> watch(dialog);
    qt.hideProgress();
    EXPECT_TRUE(watch.isNull());
    EXPECT_TRUE(qt.setProgress(5)); // nothing to cancel any more
}

TEST(QtPlatformWindow, BusyCursorNestsAndUnwinds) {
    {
        QtPlatform qt;
        qt.setBusy(true);
        qt.setBusy(true);
        qt.setBusy(false);
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        qt.setBusy(false);
        qt.setBusy(false); // one more clear than sets does nothing
        EXPECT_EQ(QApplication::overrideCursor(), nullptr);
        qt.setBusy(true);
    }
    // A platform that goes away leaves no busy cursor behind.
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}
