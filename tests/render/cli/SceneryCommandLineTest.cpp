// A sequence that switches on the tunnel, the tiles and the pictures and moves them, converted
// from its JSON form and rendered by the program twice: the layers move, and every frame of the
// second render is the first one's.
#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

TEST(SceneryCommandLine, MovingLayersRenderTheSameTwice) {
    QTemporaryDir dir;
    const QString sequence = dir.filePath("scenery.lmt");
    ASSERT_EQ(
        runLumatoy({"convert", QDir(testDataDir()).filePath("scenery.json"), sequence}).exitCode,
        0);
    for (const char* out : {"a/", "b/"}) {
        const ProgramRun run = runLumatoy(
            {"render", sequence, "-o", dir.filePath(out), "--frames", "0-60", "--size", "180x120"});
        ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    }
    const QStringList frames = QDir(dir.filePath("a")).entryList({"*.png"}, QDir::Files);
    ASSERT_EQ(frames.size(), 61);
    for (const QString& name : frames)
        EXPECT_EQ(QImage(dir.filePath("a/" + name)), QImage(dir.filePath("b/" + name)))
            << name.toStdString();
    const QImage first(dir.filePath("a/frame-000000.png"));
    const QImage middle(dir.filePath("a/frame-000030.png"));
    const QImage last(dir.filePath("a/frame-000060.png"));
    EXPECT_NE(first, middle);
    EXPECT_NE(middle, last);
    // The tunnel fills the corners while its arc is whole, and leaves one open at the end.
    EXPECT_NE(first.pixel(176, 116) & 0xffffff, 0u);
    EXPECT_EQ(last.pixel(176, 116) & 0xffffff, 0u);
}
