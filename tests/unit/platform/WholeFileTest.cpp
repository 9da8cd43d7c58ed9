// Saving whole files: a failing disk, a kill at any step, links and special files as the target.
#include "platform/WholeFile.h"
#include "export/PngFolderSink.h"
#include "scene/CZoetraView.h"
#include "startup/SceneStart.h"
#include "timeline/SequenceLibrary.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <sys/mount.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

void put(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

// Write calls that fail once `budget` bytes have gone through, as a full disk does.
qint64 g_budget = 0;
ssize_t writeUntilFull(int fd, const void* data, size_t size) {
    if (g_budget <= 0) {
        errno = ENOSPC;
        return -1;
    }
    const size_t n = std::min<size_t>(size, size_t(g_budget));
    g_budget -= qint64(n);
    return ::write(fd, data, n);
}
int fsyncFails(int) {
    errno = EIO;
    return -1;
}
int closeFails(int fd) {
    ::close(fd);
    errno = EDQUOT;
    return -1;
}

struct RestoreCalls {
    ~RestoreCalls() { restoreWholeFileCalls(); }
};

} // namespace

TEST(WholeFileWrite, AFullDiskKeepsThePreviousFileSaysWhyAndLeavesNoTemporary) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.lmt");
    put(path, "the previous file");
    const RestoreCalls restore;
    wholeFileCalls().write = writeUntilFull;
    for (qint64 budget : {0, 5, 4096}) {
        g_budget = budget;
        QString reason;
        EXPECT_FALSE(writeWholeFile(path, QByteArray(10000, 'x'), &reason)) << budget;
        EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
        EXPECT_EQ(contents(path), "the previous file");
        EXPECT_EQ(entries(dir.path()), QStringList{"kept.lmt"});
    }
}

// The window's Save and Add to Presets, and the picture-folder export, on a full disk.
TEST(WholeFileWrite, SavingASequenceOrAFrameOntoAFullDiskSaysWhyAndLeavesNoPartialFile) {
    QTemporaryDir dir;
    const QString path = dir.filePath("scene.lmt");
    put(path, "the previous file");
    auto scene = makeScene();
    const RestoreCalls restore;
    wholeFileCalls().write = writeUntilFull;
    g_budget = 100;
    QString error;
    EXPECT_FALSE(saveSequenceFile(*scene, path, &error));
    EXPECT_EQ(error, QStringLiteral("The sequence could not be saved to \"%1\": %2.")
                         .arg(path, QString::fromLocal8Bit(std::strerror(ENOSPC))));
    EXPECT_EQ(contents(path), "the previous file");

    PngFolderSink sink(dir.filePath("frames"));
    ASSERT_TRUE(sink.open(64, 48, 25, &error));
    QImage frame(64, 48, QImage::Format_RGB888);
    frame.fill(Qt::red);
    g_budget = 1 << 20;
    ASSERT_TRUE(sink.write(frame, 0, &error)) << error.toStdString();
    g_budget = 10;
    EXPECT_FALSE(sink.write(frame, 1, &error));
    EXPECT_TRUE(error.endsWith(QString::fromLocal8Bit(std::strerror(ENOSPC)) + "."))
        << error.toStdString();
    EXPECT_EQ(entries(dir.filePath("frames")), QStringList{"frame-000000.png"});
}

TEST(WholeFileWrite, FailuresWhenSyncingOrClosingAreFailures) {
    QTemporaryDir dir;
    const QString path = dir.filePath("kept.json");
    put(path, "old");
    const RestoreCalls restore;
    QString reason;
    wholeFileCalls().fsync = fsyncFails;
    EXPECT_FALSE(writeWholeFile(path, "new", &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EIO)));
    restoreWholeFileCalls();
    wholeFileCalls().close = closeFails;
    EXPECT_FALSE(writeWholeFile(path, "new", &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(EDQUOT)));
    EXPECT_EQ(contents(path), "old");
    EXPECT_EQ(entries(dir.path()), QStringList{"kept.json"});
}

// A real full file system where one can be mounted (needs the right to mount).
TEST(WholeFileWrite, ATinyFileSystemThatFillsUpKeepsThePreviousFile) {
    QTemporaryDir dir;
    const QByteArray mountPoint = QFile::encodeName(dir.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "no right to mount a small file system here";
    struct Unmount {
        QByteArray at;
        ~Unmount() { ::umount(at.constData()); }
    } unmount{mountPoint};
    const QString path = dir.filePath("kept.lmt");
    put(path, QByteArray(16 * 1024, 'o'));
    QString reason;
    EXPECT_FALSE(writeWholeFile(path, QByteArray(200 * 1024, 'n'), &reason));
    EXPECT_EQ(reason, QString::fromLocal8Bit(std::strerror(ENOSPC)));
    EXPECT_EQ(contents(path), QByteArray(16 * 1024, 'o'));
    EXPECT_EQ(entries(dir.path()), QStringList{"kept.lmt"});
}

TEST(WholeFileWrite, ALinkIsFollowedAndStaysALink) {
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("real");
    const QString target = dir.filePath("real/scene.lmt");
    put(target, "old");
    const QString link = dir.filePath("link.lmt");
    ASSERT_EQ(::symlink("real/scene.lmt", QFile::encodeName(link).constData()), 0);
    QString reason;
    ASSERT_TRUE(writeWholeFile(link, "new", &reason)) << reason.toStdString();
    EXPECT_EQ(QFileInfo(link).isSymLink(), true);
    EXPECT_EQ(contents(target), "new");
    // A dangling link makes its target.
    const QString dangling = dir.filePath("dangling.json");
    ASSERT_EQ(::symlink("real/new.json", QFile::encodeName(dangling).constData()), 0);
    ASSERT_TRUE(writeWholeFile(dangling, "made", &reason));
    EXPECT_TRUE(QFileInfo(dangling).isSymLink());
    EXPECT_EQ(contents(dir.filePath("real/new.json")), "made");
    EXPECT_EQ(entries(dir.filePath("real")), (QStringList{"new.json", "scene.lmt"}));
}

TEST(WholeFileWrite, FoldersDevicesFifosAndSocketsAreRefusedAndLeftAsTheyAre) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.bmp");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString socketPath = dir.filePath("socket.json");
    const int s = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socketPath).constData(),
                 sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    const QString linkToNull = dir.filePath("null.lmt");
    ASSERT_EQ(::symlink("/dev/null", QFile::encodeName(linkToNull).constData()), 0);
    const std::pair<QString, const char*> cases[] = {{"/dev/null", "device"},
                                                     {linkToNull, "device"},
                                                     {fifo, "FIFO"},
                                                     {socketPath, "socket"},
                                                     {dir.path(), "folder"}};
    for (const auto& [path, kind] : cases) {
        QString reason;
        EXPECT_FALSE(writeWholeFile(path, "data", &reason)) << path.toStdString();
        EXPECT_TRUE(reason.contains(kind)) << reason.toStdString();
        EXPECT_EQ(outputRefusal(path), reason);
    }
    ::close(s);
    struct stat info;
    ASSERT_EQ(::stat("/dev/null", &info), 0);
    EXPECT_TRUE(S_ISCHR(info.st_mode));
    EXPECT_TRUE(QFileInfo(linkToNull).isSymLink());
    EXPECT_EQ(entries(dir.path()), (QStringList{"null.lmt", "pipe.bmp", "socket.json"}));
}

namespace {
// Counts the write steps of a save and kills the process at step `g_killAt`.
int g_step = 0, g_killAt = 0;
void stepOrDie() {
    if (++g_step == g_killAt) ::raise(SIGKILL);
}
ssize_t smallWrites(int fd, const void* data, size_t size) {
    stepOrDie();
    return ::write(fd, data, std::min<size_t>(size, 512));
}
int countedFsync(int fd) {
    stepOrDie();
    return ::fsync(fd);
}
int countedClose(int fd) {
    stepOrDie();
    return ::close(fd);
}
int countedRename(const char* from, const char* to) {
    stepOrDie();
    const int result = ::rename(from, to);
    stepOrDie(); // just after the rename
    return result;
}
} // namespace

// Save a sequence in a child process killed at each step in turn: the file is always the old
// one or the new one, and the sequence list never shows a temporary.
TEST(WholeFileWrite, ASaveKilledAtEveryStepLeavesTheOldOrTheNewFileAndNoListedTemporary) {
    QTemporaryDir home;
    qputenv("XDG_DATA_HOME", QFile::encodeName(home.path()));
    const QString folder = userSequencesFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = QDir(folder).filePath("killed.lmt");
    auto scene = makeScene();
    ASSERT_TRUE(saveSequenceFile(*scene, path, nullptr));
    const QByteArray old = contents(path);
    scene->keyCount = 0;
    scene->modelPath[0] = "model/another-model-entirely.3ds";
    const QString fresh = home.filePath("fresh.lmt");
    ASSERT_TRUE(saveSequenceFile(*scene, fresh, nullptr));
    const QByteArray wanted = contents(fresh);
    ASSERT_NE(old, wanted);
    QFile::remove(fresh);

    int killedAt = 0;
    for (int step = 1; step < 10000; ++step) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            g_killAt = step;
            wholeFileCalls() = {smallWrites, countedFsync, countedClose, countedRename};
            ::_exit(saveSequenceFile(*scene, path, nullptr) ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        const QByteArray now = contents(path);
        EXPECT_TRUE(now == old || now == wanted) << "killed at step " << step;
        scanSequences(*scene);
        for (int n = 1; n < scene->sequenceCount; ++n)
            EXPECT_FALSE(scene->sequenceNames[n].contains(".tmp")) << step;
        if (WIFEXITED(status)) {
            EXPECT_EQ(WEXITSTATUS(status), 0);
            EXPECT_EQ(now, wanted);
            break;
        }
        ASSERT_EQ(WTERMSIG(status), SIGKILL);
        killedAt = step;
        // The old file stays until the rename; put it back for the next round.
        if (now == wanted) put(path, old);
    }
    EXPECT_GE(killedAt, 5); // several writes, the sync, the close and the rename were hit
    for (const QString& name : entries(folder))
        EXPECT_TRUE(name == "killed.lmt" || isWriteTemporaryName(name)) << name.toStdString();
}
