// What the command line tells about the sequence it works on: the core's messages about missing
// models and textures on stderr with the file they concern, and a file that is no sequence file
// called that.
#include "support/ProgramRun.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// The scenery test sequence with `changes` made to its header, converted to `lmt` by the program.
void writeSequence(const QString& lmt, const QJsonObject& changes) {
    QFile source(QDir(testDataDir()).filePath("scenery.json"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(source.readAll()).object();
    QJsonObject header = root.value("header").toObject();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        header.insert(it.key(), it.value());
    root.insert("header", header);
    const QString json = QFileInfo(lmt).dir().filePath(QFileInfo(lmt).baseName() + ".json");
    QFile out(json);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(root).toJson());
    out.close();
    const ProgramRun convert = runLumatoy({"convert", json, lmt});
    ASSERT_EQ(convert.exitCode, 0) << convert.err.toStdString();
}

} // namespace

TEST(CommandLineReports, MissingModelAndTextureAreNamedAndTheRenderStillSucceeds) {
    QTemporaryDir dir;
    const QString sequence = dir.filePath("missing.lmt");
    writeSequence(sequence, {{"model1.path", "model/nowhere.3ds"},
                             {"model1.loaded", 2},
                             {"model1.on", 2},
                             {"tile1.texturePath", "Textures/nowhere.jpg"},
                             {"tiles.on", 2}});
    const ProgramRun run =
        runLumatoy({"render", sequence, "-o", dir.filePath("still.bmp"), "--size", "64x48"});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(dir.filePath("still.bmp")));
    const QStringList lines = run.err.split('\n', Qt::SkipEmptyParts);
    auto lineNaming = [&](const QString& file) {
        for (const QString& line : lines)
            if (line.startsWith("lumatoy: ") && line.contains(file)) return line;
        return QString();
    };
    const QString model = lineNaming("model/nowhere.3ds");
    EXPECT_TRUE(model.contains("Error: Unable to find the file: model/nowhere.3ds!"))
        << run.err.toStdString();
    const QString texture = lineNaming("Textures/nowhere.jpg");
    EXPECT_TRUE(texture.startsWith("lumatoy: Textures/nowhere.jpg: Warning: The texture cannot "
                                   "be loaded"))
        << run.err.toStdString();
    // The files that are there say nothing.
    EXPECT_TRUE(lineNaming("Gold.jpg").isEmpty()) << run.err.toStdString();
}

TEST(CommandLineReports, AFileThatIsNoSequenceIsCalledThat) {
    QTemporaryDir dir;
    const QString notes = dir.filePath("notes.lmt");
    QFile file(notes);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("Remember the milk.\n");
    file.close();
    const ProgramRun run = runLumatoy({"render", notes, "-o", dir.filePath("x.bmp")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, "lumatoy: \"" + notes + "\" is not a Lumatoy sequence file.\n");
    EXPECT_FALSE(QFile::exists(dir.filePath("x.bmp")));
}
