// The Qt desktop services: the main window's outer size and recording frame, the progress window
// and its Cancel, the busy cursor, web pages and files opened in the desktop's programs.
#include "app/QtPlatform.h"
#include "app/MainFrame.h"
#include "export/FormatTable.h"
#include "support/TempProfile.h"
#include "support/gui/ModalAnswerer.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressDialog>
#include <QScreen>
#include <QTemporaryDir>
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
    // A wide format, the smallest banner and the largest format (held to the screen's area; the
    // window stays at the top left corner of this test screen).
    const QSize screen = frame->screen()->availableGeometry().size();
    for (int preset : {1, 13, 16}) {
        const QSize outer = exportFormat(preset)->resizeSize;
        qt.resizeMainWindow(outer.width(), outer.height());
        QTest::qWait(20);
        EXPECT_EQ(frame->frameGeometry().size(), outer.boundedTo(screen)) << preset;
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

namespace {
// The environment Qt reads to find a browser, changed for the length of a test.
class LauncherEnvironment {
  public:
    explicit LauncherEnvironment(const QString& path) {
        for (const char* name : kNames) {
            saved_.push_back({name, qgetenv(name), qEnvironmentVariableIsSet(name)});
            qunsetenv(name);
        }
        qputenv("PATH", path.toLocal8Bit());
    }
    ~LauncherEnvironment() {
        for (const auto& [name, value, set] : saved_)
            set ? qputenv(name, value) : qunsetenv(name);
    }

  private:
    static constexpr const char* kNames[] = {"PATH",
                                             "BROWSER",
                                             "DEFAULT_BROWSER",
                                             "XDG_CURRENT_DESKTOP",
                                             "DESKTOP_SESSION",
                                             "KDE_FULL_SESSION",
                                             "GNOME_DESKTOP_SESSION_ID"};
    struct Saved {
        const char* name;
        QByteArray value;
        bool set;
    };
    std::vector<Saved> saved_;
};
} // namespace

TEST(QtPlatformOpen, WithoutABrowserOrPlayerAMessageSaysSo) {
    QTemporaryDir dir;
    auto frame = createMainWindow();
    QtPlatform qt(frame.get());
    QStringList texts;
    QList<QMessageBox::Icon> icons;
    ModalAnswerer answerer([&](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            texts << box->text();
            icons << box->icon();
        }
    });
    const QString video = dir.filePath("clip.avi");
    QFile file(video);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    {
        // No xdg-open, no browser named, no desktop: Qt finds nothing to open them with.
        const LauncherEnvironment nothing(dir.filePath("empty-bin"));
        qt.openUrl("https://lumatoy.example.org/lmt2-help/lmt2-help.html");
        qt.openUrl(video);
    }
    ASSERT_EQ(texts.size(), 2);
    EXPECT_EQ(texts[0], "The web page https://lumatoy.example.org/lmt2-help/lmt2-help.html could "
                        "not be opened: no web browser is set up on this computer.");
    EXPECT_EQ(texts[1], "The file " + video +
                            " could not be opened: no program to open it (such as a video "
                            "player) is set up on this computer.");
    EXPECT_EQ(icons, QList<QMessageBox::Icon>({QMessageBox::Warning, QMessageBox::Warning}));

    // With a launcher the page is handed over and nothing is said.
    QDir(dir.path()).mkdir("bin");
    const QString launcher = dir.filePath("bin/xdg-open");
    QFile script(launcher);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(("#!/bin/sh\necho \"$1\" >> '" + dir.filePath("opened.txt") + "'\n").toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    {
        const LauncherEnvironment xdgOpen(dir.filePath("bin") + ":/usr/bin:/bin");
        qt.openUrl("https://lumatoy.example.org/");
    }
    QFile opened(dir.filePath("opened.txt"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return opened.exists() && opened.size() > 0; }, 10000));
    ASSERT_TRUE(opened.open(QIODevice::ReadOnly));
    EXPECT_EQ(opened.readAll().trimmed(), "https://lumatoy.example.org/");
    EXPECT_EQ(texts.size(), 2);
}
