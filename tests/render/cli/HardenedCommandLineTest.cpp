// The command line on hostile ground: a full disk, links and devices as output, special and huge
// files as input, renders killed midway, paths beyond single bytes, and messages that say what
// happened.
#include "support/ProgramRun.h"
#include "support/TempDir.h"
#include "support/VideoProbe.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs the program, killing it when it takes longer than `seconds` (exit code -1 then).
ProgramRun runWithin(const QStringList& args, int seconds) {
    QProcess process;
    process.start(QStringLiteral(LUMATOY_BINARY), args);
    if (!process.waitForFinished(seconds * 1000)) {
        process.kill();
        process.waitForFinished();
        return {-1, {}, QStringLiteral("(killed after %1 s)").arg(seconds)};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardOutput()),
            QString::fromLocal8Bit(process.readAllStandardError())};
}

// The scenery test sequence as JSON with `changes` made to its header.
QString writeJson(const QString& path, const QJsonObject& changes = {}) {
    QFile source(QDir(testDataDir()).filePath("scenery.json"));
    EXPECT_TRUE(source.open(QIODevice::ReadOnly));
    QJsonObject root = QJsonDocument::fromJson(source.readAll()).object();
    QJsonObject header = root.value("header").toObject();
    for (auto it = changes.begin(); it != changes.end(); ++it)
        header.insert(it.key(), it.value());
    root.insert("header", header);
    QFile out(path);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(QJsonDocument(root).toJson());
    return path;
}

QString writeSequence(const QString& lmt, const QJsonObject& changes = {}) {
    const QString json = writeJson(lmt + ".json", changes);
    const ProgramRun convert = runLumatoy({"convert", json, lmt});
    EXPECT_EQ(convert.exitCode, 0) << convert.err.toStdString();
    return lmt;
}

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

} // namespace

// A real small file system filled to the brim (where this machine lets the test mount one).
TEST(HardenedCommandLine, ConvertOntoAFullDiskFailsSaysWhyAndKeepsThePreviousFile) {
    QTemporaryDir dir, full;
    const QString json = writeJson(dir.filePath("in.json"));
    const QByteArray at = QFile::encodeName(full.path());
    if (::mount("tmpfs", at.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no right to mount a small file system here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount(at.constData()); }
    } unmount{at};
    const QString target = full.filePath("out.lmt");
    {
        QFile old(target);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("the previous file");
    }
    {
        QFile filler(full.filePath("filler"));
        ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
        while (filler.write(QByteArray(4096, 'f')) > 0 && filler.flush()) {
        }
    }
    for (const QString& out : {target, full.filePath("out.json")}) {
        const ProgramRun run = runWithin({"convert", json, out}, 60);
        EXPECT_EQ(run.exitCode, 1) << out.toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Cannot write \"%1\": %2.")
                                         .arg(out, QString::fromLocal8Bit(strerror(ENOSPC)))))
            << run.err.toStdString();
    }
    EXPECT_EQ(contents(target), "the previous file");
    EXPECT_EQ(QDir(full.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"filler", "out.lmt"}));
    // A still picture the same way.
    const QString sequence = writeSequence(dir.filePath("s.lmt"));
    const ProgramRun still =
        runWithin({"render", sequence, "-o", full.filePath("still.bmp"), "--size", "64x48"}, 120);
    EXPECT_EQ(still.exitCode, 1);
    EXPECT_TRUE(still.err.contains(QString::fromLocal8Bit(strerror(ENOSPC))))
        << still.err.toStdString();
    EXPECT_FALSE(QFile::exists(full.filePath("still.bmp")));
}

// A still or a sequence file is never written to a device (it would replace the node); a video
// is written in place, as one streams it into another program, and says why it failed.
TEST(HardenedCommandLine, OutputThroughALinkReplacesItsTargetAndDevicesAreRefused) {
    QTemporaryDir dir;
    const QString json = writeJson(dir.filePath("in.json"));
    QDir(dir.path()).mkdir("real");
    const QString link = dir.filePath("link.lmt");
    ASSERT_EQ(::symlink("real/target.lmt", QFile::encodeName(link).constData()), 0);
    ProgramRun run = runWithin({"convert", json, link}, 60);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(QFileInfo(link).isSymLink());
    EXPECT_TRUE(QFileInfo(dir.filePath("real/target.lmt")).isFile());

    const QString sequence = writeSequence(dir.filePath("s.lmt"));
    for (const char* name : {"device.bmp", "device.json", "device.mp4", "device.avi"}) {
        const QString toDevice = dir.filePath(name);
        ASSERT_EQ(::symlink("/dev/full", QFile::encodeName(toDevice).constData()), 0);
        run = QString(name).endsWith(".json")
                  ? runWithin({"convert", sequence, toDevice}, 60)
                  : runWithin({"render", sequence, "-o", toDevice, "--size", "64x48", "--frames",
                               QString(name).endsWith(".bmp") ? "0" : "0-3"},
                              120);
        EXPECT_NE(run.exitCode, 0) << name;
        const bool video = QString(name).endsWith(".mp4") || QString(name).endsWith(".avi");
        EXPECT_TRUE(run.err.contains(video ? QString::fromLocal8Bit(strerror(ENOSPC))
                                           : QStringLiteral("it is a device, not a file")))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains("AVI Compressed Stream format setting failed"));
        EXPECT_TRUE(QFileInfo(toDevice).isSymLink());
    }
    struct stat info;
    ASSERT_EQ(::stat("/dev/full", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
}

// Devices, FIFOs, folders and sparse giants as the file itself or as a file a sequence names:
// refused with the file's name, at once, never read without bound or waited on.
TEST(HardenedCommandLine, SpecialAndHugeInputsAreRefusedQuicklyWithTheirName) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QStringList inputs{"/dev/zero", fifo, dir.path()};
    for (const char* name : {"huge.lmt", "huge.3ds", "huge.tga", "huge.png", "huge.json"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        ASSERT_TRUE(file.resize(qint64(1) << 30));
        inputs << file.fileName();
    }
    QElapsedTimer timer;
    timer.start();
    for (const QString& input : inputs) {
        const QStringList tries[] = {{"info", input},
                                     {"convert", input, dir.filePath("out.json")},
                                     {"render", input, "-o", dir.filePath("out.bmp")}};
        for (const QStringList& args : tries) {
            if (args[0] == "convert" && !input.endsWith(".lmt") && !input.endsWith(".json"))
                continue;
            if (args[0] == "render" && !input.endsWith(".lmt") && input != fifo) continue;
            const ProgramRun run = runWithin(args, 60);
            EXPECT_EQ(run.exitCode, 1) << args.join(' ').toStdString();
            EXPECT_TRUE(run.err.contains(input))
                << args.join(' ').toStdString() << ": " << run.err.toStdString();
        }
    }
    // Named by a sequence: a message, and the render goes on without that file.
    const QString sequence =
        writeSequence(dir.filePath("names.lmt"), {{"model1.path", "/dev/zero"},
                                                  {"model1.on", 2},
                                                  {"model1.loaded", 2},
                                                  {"model2.path", fifo},
                                                  {"model2.on", 2},
                                                  {"model2.loaded", 2},
                                                  {"tile1.texturePath", dir.filePath("huge.png")},
                                                  {"tiles.on", 2},
                                                  {"tile2.texturePath", fifo}});
    const ProgramRun run =
        runWithin({"render", sequence, "-o", dir.filePath("still.bmp"), "--size", "64x48"}, 120);
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(
        run.err.contains("Unable to read the file: /dev/zero (it is a device, not a file)!"))
        << run.err.toStdString();
    EXPECT_TRUE(
        run.err.contains(QStringLiteral("Unable to read the file: %1 (it is a FIFO").arg(fifo)))
        << run.err.toStdString();
    EXPECT_LT(timer.elapsed(), 240000);
}

namespace {
// Starts a long render into `out`, lets it write `bytes` or more, and sends it `signal`.
int renderAndInterrupt(const QString& sequence, const QString& out, qint64 bytes, int signal) {
    QProcess process;
    process.start(QStringLiteral(LUMATOY_BINARY),
                  {"render", sequence, "-o", out, "--frames", "0-5000", "--size", "160x120",
                   "--fps", "25", "--jobs", "1"});
    EXPECT_TRUE(process.waitForStarted());
    QElapsedTimer waited;
    waited.start();
    while (QFileInfo(out).size() < bytes && waited.elapsed() < 120000 &&
           process.state() == QProcess::Running)
        QThread::msleep(50);
    // Never kill(0, ...): that would signal this whole process group.
    if (process.state() != QProcess::Running || process.processId() <= 0) return -2;
    ::kill(pid_t(process.processId()), signal);
    process.waitForFinished(60000);
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}
} // namespace

TEST(HardenedCommandLine, AVideoKilledOrInterruptedMidwayPlaysUpToWhereItStopped) {
    QTemporaryDir dir;
    const QString sequence = writeSequence(dir.filePath("s.lmt"));
    for (const char* name : {"killed.mp4", "killed.avi"}) {
        const QString out = dir.filePath(name);
        renderAndInterrupt(sequence, out, 120 * 1024, SIGKILL);
        const DecodedVideo video = decodeVideo(out, false);
        EXPECT_GT(video.frameCount, 10) << name << ": " << video.error.toStdString();
    }
    for (const char* name : {"stopped.mp4", "stopped.avi"}) {
        const QString out = dir.filePath(name);
        EXPECT_NE(renderAndInterrupt(sequence, out, 120 * 1024, SIGINT), -1) << name;
        QString complaint;
        EXPECT_TRUE(ffprobeAccepts(out, &complaint)) << name << complaint.toStdString();
        EXPECT_GT(decodeVideo(out, false).frameCount, 10) << name;
    }
    // Finished normally, the fragmented MP4 knows its length.
    const QString whole = dir.filePath("whole.mp4");
    const ProgramRun run = runWithin(
        {"render", sequence, "-o", whole, "--frames", "0-49", "--size", "160x120", "--fps", "25"},
        300);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-show_entries", "format=duration", "-of",
                            "default=noprint_wrappers=1:nokey=1", whole});
    ASSERT_TRUE(probe.waitForFinished(60000));
    EXPECT_NEAR(probe.readAllStandardOutput().trimmed().toDouble(), 2.0, 0.05);
    EXPECT_EQ(decodeVideo(whole, false).frameCount, 50);
}

TEST(HardenedCommandLine, APathBeyondSingleBytesSurvivesConvertAndLoads) {
    QTemporaryDir dir;
    const QString model = dir.filePath(QStringLiteral("m\u00fcdel-\u00ef.3ds"));
    ASSERT_TRUE(QFile::copy(QDir(testDataDir()).filePath("3ds/assimp-export.3ds"), model));
    const QString sequence = writeSequence(
        dir.filePath("s.lmt"), {{"model1.path", model}, {"model1.on", 2}, {"model1.loaded", 2}});
    const ProgramRun info = runWithin({"info", sequence, "--json"}, 60);
    EXPECT_EQ(QJsonDocument::fromJson(info.out.toUtf8())
                  .object()
                  .value("assets")
                  .toObject()
                  .value("model1")
                  .toString(),
              model);
    const ProgramRun run =
        runWithin({"render", sequence, "-o", dir.filePath("still.bmp"), "--size", "64x48"}, 120);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.err.contains("Unable to")) << run.err.toStdString();
    // Back to JSON with the same characters.
    ASSERT_EQ(runWithin({"convert", sequence, dir.filePath("back.json")}, 60).exitCode, 0);
    EXPECT_EQ(QJsonDocument::fromJson(contents(dir.filePath("back.json")))
                  .object()
                  .value("header")
                  .toObject()
                  .value("model1.path")
                  .toString(),
              model);
}

TEST(HardenedCommandLine, MessagesSayWhatHappened) {
    QTemporaryDir dir;
    // An empty model path: no word from Qt's file engine on stderr.
    const QString sequence = writeSequence(
        dir.filePath("empty.lmt"), {{"model1.path", ""}, {"model1.on", 2}, {"model1.loaded", 2}});
    ProgramRun run =
        runWithin({"render", sequence, "-o", dir.filePath("still.bmp"), "--size", "64x48"}, 120);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.err.contains("QFSFileEngine")) << run.err.toStdString();
    // A short TGA is called short, not of the wrong kind.
    QFile tga(dir.filePath("short.tga"));
    ASSERT_TRUE(tga.open(QIODevice::WriteOnly));
    tga.write(QByteArray("\0\0\2\0\0\0\0\0\0\0\0\0\4\0\4\0\30\0", 18) + QByteArray(5, 'p'));
    tga.close();
    run = runWithin({"info", tga.fileName()}, 60);
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err.trimmed(),
              QStringLiteral("Unable to read the TGA file: %1 (it ends before its "
                             "pixels (23 bytes of 66))")
                  .arg(tga.fileName()));
    // A file cut in its first key says so.
    const QByteArray whole = contents(sequence);
    QFile cut(dir.filePath("cut.lmt"));
    ASSERT_TRUE(cut.open(QIODevice::WriteOnly));
    const int keyRecord = 4 + 4 * 240;
    cut.write(whole.left(whole.size() - 2 * keyRecord + 10)); // 2 keys: cut into the first
    cut.close();
    run = runWithin({"info", cut.fileName()}, 60);
    EXPECT_TRUE(run.err.contains("The file ends early, in key 1 of its key records."))
        << run.err.toStdString();
}
