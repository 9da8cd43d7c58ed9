// Whole files read and written safely: only regular files are read, never past a bound and never
// blocking on a FIFO; a file is written beside its target, synced and renamed over it, so a
// failure or a kill at any point leaves the previous file as it was.
#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <sys/types.h>

// The size bounds of the formats read: far above any real file, far below what would exhaust
// memory.
constexpr qint64 kMaxSequenceBytes = 32LL * 1024 * 1024;     // .lmt: every key, longest texts
constexpr qint64 kMaxSequenceJsonBytes = 64LL * 1024 * 1024; // .json: the same as text
constexpr qint64 kMaxModelBytes = 512LL * 1024 * 1024;       // .3ds
constexpr qint64 kMaxPictureBytes = 256LL * 1024 * 1024;     // .tga and pictures

// Why `path` cannot be read as a regular file (missing, a folder, a device, a FIFO, a socket),
// or an empty text when it can. Never blocks.
QString unreadableReason(const QString& path);

// Reads the whole of `path` into `bytes` when it is a regular file of at most `maxBytes`; else
// false with `reason` saying why in a few words ("No such file or directory", "it is a folder",
// "it is larger than 32 MB"). Opens without blocking, so a FIFO is refused, not waited on.
bool readWholeFile(const QString& path, qint64 maxBytes, QByteArray& bytes, QString* reason);

// Reads at most `count` bytes from the start of a regular file (the same refusals).
bool readFileHead(const QString& path, qint64 count, QByteArray& bytes, QString* reason);

// Writes `bytes` as the whole of `path`: a symbolic link is followed (its target is replaced in
// its own folder and the link stays); a folder, device, FIFO or socket is refused. The bytes go
// to a hidden temporary file ".NAME.XXXXXX.tmp" in the target's folder, are synced, and the
// temporary is renamed over the target; any failure removes the temporary and keeps the
// previous file. On failure `reason` holds the system's words ("No space left on device").
bool writeWholeFile(const QString& path, const QByteArray& bytes, QString* reason);

// Why `path` cannot be written as an output file (once links are followed it is a folder, a
// device, a FIFO or a socket), or an empty text when it can.
QString outputRefusal(const QString& path);

// Where `path` leads once symbolic links are followed (itself when it is no link).
QString followLinks(const QString& path);

// Whether `name` is one of the temporary files writeWholeFile makes (left behind only when the
// process was killed while writing).
bool isWriteTemporaryName(const QString& name);

// The system calls writeWholeFile makes, replaceable so that tests can fail or kill a write at
// any step.
struct WholeFileCalls {
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
};
WholeFileCalls& wholeFileCalls();
void restoreWholeFileCalls();
