// Every file of the malformed corpus (tests/data/bad, made by scripts/make-bad-files.py) and the
// special files made here (FIFO, /dev/zero, empty, sparse 1 GB, a folder) through info, convert
// and render, directly and named by a sequence: refused with a message naming the file, or read
// where the format allows it; never a crash, never a hang.
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct Outcome {
    int exitCode = -1; // -1: crashed or killed after the time limit
    QString err;
};

Outcome run(const QStringList& args) {
    QProcess process;
    process.start(QStringLiteral(LUMATOY_BINARY), args);
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return {-1, QStringLiteral("(hung: killed after 60 s)")};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The corpus and the special files, in a scratch folder.
QStringList badFiles(const QTemporaryDir& dir) {
    QStringList files;
    const QDir corpus(QDir(testDataDir()).filePath("bad"));
    for (const QString& name : corpus.entryList(QDir::Files, QDir::Name))
        files << corpus.filePath(name);
    const QString fifo = dir.filePath("fifo.lmt");
    ::mkfifo(QFile::encodeName(fifo).constData(), 0600);
    files << fifo << "/dev/zero";
    for (const char* name : {"empty.lmt", "empty.3ds", "empty.tga", "empty.png"}) {
        QFile empty(dir.filePath(name));
        empty.open(QIODevice::WriteOnly);
        files << empty.fileName();
    }
    QFile sparse(dir.filePath("sparse-1gb.lmt"));
    sparse.open(QIODevice::WriteOnly);
    sparse.resize(qint64(1) << 30);
    files << sparse.fileName();
    QDir(dir.path()).mkdir("folder.lmt");
    files << dir.filePath("folder.lmt");
    return files;
}

// A refusal names the file; a crash or hang is never acceptable.
void expectSound(const Outcome& outcome, const QString& file, const QString& what) {
    EXPECT_TRUE(outcome.exitCode == 0 || outcome.exitCode == 1)
        << what.toStdString() << ": exit " << outcome.exitCode << " " << outcome.err.toStdString();
    if (outcome.exitCode == 1) {
        EXPECT_TRUE(outcome.err.contains(file) || outcome.err.contains(QFileInfo(file).fileName()))
            << what.toStdString() << ": " << outcome.err.toStdString();
    }
}

} // namespace

TEST(BadFilesCorpus, InfoConvertAndRenderRefuseEachWithItsNameAndNeverCrashOrHang) {
    QTemporaryDir dir;
    const QStringList files = badFiles(dir);
    ASSERT_GT(files.size(), 40);
    for (const QString& file : files) {
        expectSound(run({"info", file}), file, "info " + file);
        const QString suffix = QFileInfo(file).suffix();
        if (suffix == "lmt" || suffix == "json") {
            const QString out = dir.filePath(suffix == "lmt" ? "out.json" : "out.lmt");
            expectSound(run({"convert", file, out}), file, "convert " + file);
        }
        if (suffix == "lmt" || file == "/dev/zero")
            expectSound(run({"render", file, "-o", dir.filePath("out.bmp"), "--size", "32x24"}),
                        file, "render " + file);
    }
}

// Named by a sequence as a model, a texture or a picture: a message naming the file, and the
// render goes on.
TEST(BadFilesCorpus, AssetsASequenceNamesAreRefusedByNameAndTheRenderGoesOn) {
    QTemporaryDir dir;
    QFile source(QDir(testDataDir()).filePath("scenery.json"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    const QJsonObject base = QJsonDocument::fromJson(source.readAll()).object();
    for (const QString& file : badFiles(dir)) {
        const QString suffix = QFileInfo(file).suffix();
        if (suffix == "lmt" || suffix == "json") continue;
        QJsonObject root = base;
        QJsonObject header = root.value("header").toObject();
        if (suffix == "3ds" || file == "/dev/zero") {
            header.insert("model1.path", file);
            header.insert("model1.on", 2);
            header.insert("model1.loaded", 2);
        }
        if (suffix != "3ds") {
            header.insert("tile1.texturePath", file);
            header.insert("tiles.on", 2);
        }
        root.insert("header", header);
        const QString json = dir.filePath("named.json");
        QFile out(json);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(QJsonDocument(root).toJson());
        out.close();
        const QString sequence = dir.filePath("named.lmt");
        ASSERT_EQ(run({"convert", json, sequence}).exitCode, 0);
        const Outcome render =
            run({"render", sequence, "-o", dir.filePath("out.bmp"), "--size", "32x24"});
        EXPECT_EQ(render.exitCode, 0) << file.toStdString() << ": " << render.err.toStdString();
        // A 3DS file may be read partly; a texture that cannot be read is named.
        if (suffix != "3ds" && !render.err.contains(file))
            ADD_FAILURE() << file.toStdString() << " not named: " << render.err.toStdString();
    }
}
