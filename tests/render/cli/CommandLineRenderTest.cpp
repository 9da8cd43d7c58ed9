// The lumatoy program run as a user runs it: headless renders, their failures, and no display.
#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(CommandLine, RendersNumberedPngFramesOfTheFormatSize) {
    QTemporaryDir dir;
    const QString out = dir.filePath("frames/");
    const ProgramRun run = runLumatoy({"render", "-o", out, "--frames", "0-4"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const QStringList files = QDir(out).entryList({"*.png"}, QDir::Files, QDir::Name);
    ASSERT_EQ(files, QStringList({"frame-000000.png", "frame-000001.png", "frame-000002.png",
                                  "frame-000003.png", "frame-000004.png"}));
    const QImage first(QDir(out).filePath(files.first()));
    EXPECT_EQ(first.size(), QSize(720, 480));
    EXPECT_TRUE(run.out.startsWith("rendered 5 frames 720x480 in ")) << run.out.toStdString();
    // Rendering is deterministic: the same frame twice is the same picture.
    const ProgramRun again = runLumatoy({"render", "-o", dir.filePath("again/"), "--frames", "4"});
    ASSERT_EQ(again.exitCode, 0);
    EXPECT_EQ(QImage(dir.filePath("again/frame-000004.png")),
              QImage(QDir(out).filePath("frame-000004.png")));
}

TEST(CommandLine, FormatAndSizeChooseTheFrameSize) {
    QTemporaryDir dir;
    ASSERT_EQ(runLumatoy({"render", "-o", dir.filePath("pal/"), "--frames", "0", "--format", "0"})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(dir.filePath("pal/frame-000000.png")).size(), QSize(720, 576));
    ASSERT_EQ(runLumatoy({"render", "-o", dir.filePath("s/"), "--frames", "0", "--size", "64x48"})
                  .exitCode,
              0);
    EXPECT_EQ(QImage(dir.filePath("s/frame-000000.png")).size(), QSize(64, 48));
}

TEST(CommandLine, BadInputGivesAMessageAndAFailingExit) {
    QTemporaryDir dir;
    for (const QStringList& args :
         {QStringList{"render"}, QStringList{"render", "-o", dir.filePath("x/"), "--format", "17"},
          QStringList{"render", "-o", dir.filePath("x/"), "--frames", "5-2"},
          QStringList{"render", "-o", dir.filePath("x/"), "--bogus"},
          QStringList{"render", dir.filePath("missing.lmt"), "-o", dir.filePath("x/")}}) {
        const ProgramRun run = runLumatoy(args);
        EXPECT_NE(run.exitCode, 0) << args.join(' ').toStdString();
        EXPECT_TRUE(run.err.startsWith("lumatoy: ")) << run.err.toStdString();
    }
    EXPECT_FALSE(QDir(dir.filePath("x")).exists());
}

TEST(CommandLine, WithoutADisplayTheWindowSaysSoInsteadOfCrashing) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("QT_QPA_PLATFORM");
    const ProgramRun run = runLumatoy({}, env);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains("no display")) << run.err.toStdString();
}

TEST(CommandLine, HelpAndVersion) {
    EXPECT_TRUE(runLumatoy({"--help"}).out.contains("lumatoy render"));
    EXPECT_TRUE(runLumatoy({"--version"}).out.startsWith("lumatoy "));
}
