// Whole files read and written safely (see WholeFile.h).
#include "platform/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

WholeFileCalls systemCalls() {
    return {::write, ::fsync, ::close, ::rename};
}

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString sizeText(qint64 bytes) {
    return bytes >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(bytes / (1024 * 1024))
                                : QStringLiteral("%1 bytes").arg(bytes);
}

// Why a file of this kind is not read or written as a whole, or an empty text for a regular
// file.
QString specialKind(mode_t mode) {
    if (S_ISREG(mode)) return {};
    if (S_ISDIR(mode)) return QStringLiteral("it is a folder");
    if (S_ISCHR(mode) || S_ISBLK(mode)) return QStringLiteral("it is a device, not a file");
    if (S_ISFIFO(mode)) return QStringLiteral("it is a FIFO (named pipe), not a file");
    if (S_ISSOCK(mode)) return QStringLiteral("it is a socket, not a file");
    return QStringLiteral("it is not a regular file");
}

// Opens a regular file for reading without ever blocking; -1 with `reason` set otherwise.
int openRegular(const QString& path, struct stat& info, QString* reason) {
    info = {};
    if (path.isEmpty()) {
        if (reason) *reason = QStringLiteral("no file name");
        return -1;
    }
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        if (reason) *reason = systemError(errno);
        return -1;
    }
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        const QString why = !S_ISREG(info.st_mode) ? specialKind(info.st_mode) : systemError(errno);
        ::close(fd);
        if (reason) *reason = why;
        return -1;
    }
    // Regular files never block; reads from here on are ordinary.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

bool readUpTo(int fd, qint64 count, QByteArray& bytes, QString* reason) {
    bytes.resize(count);
    qint64 got = 0;
    while (got < count) {
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(count - got));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            if (reason) *reason = systemError(errno);
            bytes.clear();
            return false;
        }
        if (n == 0) break;
        got += n;
    }
    bytes.resize(got);
    return true;
}

} // namespace

WholeFileCalls& wholeFileCalls() {
    static WholeFileCalls calls = systemCalls();
    return calls;
}

void restoreWholeFileCalls() {
    wholeFileCalls() = systemCalls();
}

QString unreadableReason(const QString& path) {
    struct stat info;
    QString reason;
    const int fd = openRegular(path, info, &reason);
    if (fd >= 0) ::close(fd);
    return reason;
}

bool readWholeFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* reason) {
    bytes.clear();
    struct stat info;
    const int fd = openRegular(path, info, reason);
    if (fd < 0) return false;
    if (info.st_size > maxBytes) {
        ::close(fd);
        if (reason)
            *reason = QStringLiteral("it is larger than %1, more than such a file can hold")
                          .arg(sizeText(maxBytes));
        return false;
    }
    // The file may grow while it is read: never past the bound.
    const bool ok = readUpTo(fd, qint64(info.st_size), bytes, reason);
    ::close(fd);
    return ok;
}

bool readFileHead(const QString& path, qint64 count, QByteArray& bytes, QString* reason) {
    bytes.clear();
    struct stat info;
    const int fd = openRegular(path, info, reason);
    if (fd < 0) return false;
    const bool ok = readUpTo(fd, count, bytes, reason);
    ::close(fd);
    return ok;
}

QString followLinks(const QString& path) {
    QString at = path;
    for (int hop = 0; hop < 40; ++hop) {
        const QByteArray name = QFile::encodeName(at);
        struct stat info;
        if (::lstat(name.constData(), &info) != 0 || !S_ISLNK(info.st_mode)) return at;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(name.constData(), target, sizeof target - 1);
        if (n < 0) return at;
        target[n] = '\0';
        const QString next = QFile::decodeName(target);
        at = QDir::isAbsolutePath(next)
                 ? next
                 : QDir::cleanPath(QFileInfo(at).absolutePath() + QLatin1Char('/') + next);
    }
    return at;
}

QString outputRefusal(const QString& path) {
    struct stat info;
    if (path.isEmpty()) return QStringLiteral("no file name");
    if (::stat(QFile::encodeName(followLinks(path)).constData(), &info) != 0) return {};
    return specialKind(info.st_mode);
}

bool isWriteTemporaryName(const QString& name) {
    // ".NAME.XXXXXX.tmp"
    return name.startsWith(QLatin1Char('.')) && name.endsWith(QLatin1String(".tmp")) &&
           name.size() > 12 && name.at(name.size() - 11) == QLatin1Char('.');
}

bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason) {
    auto fail = [&](const QString& why) {
        if (reason) *reason = why;
        return false;
    };
    if (path.isEmpty()) return fail(QStringLiteral("no file name"));
    const QString target = followLinks(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing;
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    if (!exists && errno != ENOENT) return fail(systemError(errno));
    if (exists && !S_ISREG(existing.st_mode)) return fail(specialKind(existing.st_mode));

    const QFileInfo where(target);
    const QByteArray temporary =
        QFile::encodeName(where.absolutePath() + QStringLiteral("/.") + where.fileName() +
                          QStringLiteral(".XXXXXX.tmp"));
    std::string templ(temporary.constData(), size_t(temporary.size()));
    const int fd = ::mkostemps(templ.data(), 4, O_CLOEXEC);
    if (fd < 0) return fail(systemError(errno));
    WholeFileCalls& calls = wholeFileCalls();
    auto abandon = [&](int error, bool open) {
        if (open) calls.close(fd);
        ::unlink(templ.c_str());
        return fail(systemError(error));
    };

    // The new file keeps the old one's permissions; a new one gets the usual ones.
    mode_t mode = 0666;
    if (exists) {
        mode = existing.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    if (::fchmod(fd, mode) != 0) return abandon(errno, true);

    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            calls.write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return abandon(errno, true);
        if (n == 0) return abandon(ENOSPC, true);
        written += n;
    }
    if (calls.fsync(fd) != 0) return abandon(errno, true);
    if (calls.close(fd) != 0) return abandon(errno, false);
    if (calls.rename(templ.c_str(), targetName.constData()) != 0) return abandon(errno, false);
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(QFile::encodeName(where.absolutePath()).constData(),
                              O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}
