// Start-up through the application object: the profile's location, the Qt desktop services, the
// window sized for the stored format once the view has its scene, the start file handed over.
#include "app/ZoetraApp.h"
#include "app/MainFrame.h"
#include "app/QtPlatform.h"
#include "app/ZoetraGLWidget.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "support/TempProfile.h"
#include "timeline/SequenceLibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
ZoetraGLWidget* glView(CZoetraApp& app) {
    return qobject_cast<ZoetraGLWidget*>(app.mainFrame()->viewWidget());
}

// The window's outer size once it has become `expected` or a short while has passed: a window
// manager may report its frame a little after the window appears.
QSize settledOuterSize(CMainFrame& frame, QSize expected) {
    [[maybe_unused]] const bool settled =
        QTest::qWaitFor([&] { return frame.frameGeometry().size() == expected; }, 2000);
    return frame.frameGeometry().size();
}
} // namespace

TEST(ZoetraApp, StartsSizedForTheStoredFormat) {
    TempProfile profile{{"Random Sequence On Start Up", 0}, {"Avi Export Settings", 0}};
    {
        CZoetraApp app;
        ASSERT_TRUE(app.initInstance());
        EXPECT_EQ(QCoreApplication::organizationName(), "Local AppWizard-Generated Applications");
        EXPECT_EQ(QCoreApplication::applicationName(), "Lumatoy");
        EXPECT_NE(dynamic_cast<QtPlatform*>(&platform()), nullptr);
        EXPECT_EQ(app.openFileAtStart, 0);
        ASSERT_NE(glView(app), nullptr);
        ASSERT_TRUE(QTest::qWaitFor([&] { return glView(app)->sceneReady(); }, 20000));
        EXPECT_EQ(settledOuterSize(*app.mainFrame(), QSize(724, 717)), QSize(724, 717));
        EXPECT_EQ(app.scene()->aviFrameRate, 25);
        EXPECT_EQ(app.scene()->exportPreset, 0);
        EXPECT_TRUE(app.mainFrame()->windowTitle().endsWith("Lumatoy"));
    }
    // The application object takes its desktop services with it.
    EXPECT_EQ(dynamic_cast<QtPlatform*>(&platform()), nullptr);
}

TEST(ZoetraApp, PlainWindowWhenResizingIsOff) {
    TempProfile profile{
        {"Random Sequence On Start Up", 0}, {"Resize", 0}, {"Avi Export Settings", 16}};
    CZoetraApp app;
    ASSERT_TRUE(app.initInstance());
    ASSERT_TRUE(QTest::qWaitFor([&] { return glView(app)->sceneReady(); }, 20000));
    EXPECT_EQ(settledOuterSize(*app.mainFrame(), QSize(800, 600)), QSize(800, 600));
    EXPECT_EQ(app.scene()->aviFrameRate, 30);
}

TEST(ZoetraApp, StartFileIsLoadedInsteadOfARandomSequence) {
    TempProfile profile{{"Random Sequence On Start Up", 1}};
    const QString file = QDir(profile.path()).filePath("start.lmt");
    {
        auto source = makeScene();
        source->textString = "From the command line";
        QString error;
        ASSERT_TRUE(saveSequenceFile(*source, file, &error)) << error.toStdString();
    }
    CZoetraApp app;
    ASSERT_TRUE(app.initInstance(file));
    EXPECT_EQ(app.openFileAtStart, 1);
    EXPECT_EQ(app.scene()->startFilePath, file);
    ASSERT_TRUE(QTest::qWaitFor([&] { return glView(app)->sceneReady(); }, 20000));
    EXPECT_EQ(app.scene()->startFileRequested, 0);
    EXPECT_EQ(app.scene()->textString, "From the command line");
}
