// The picture-folder frame sink.
#include "export/PngFolderSink.h"

#include "platform/WholeFile.h"

#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>

bool PngFolderSink::open(int, int, int, QString* error) {
    if (QDir().mkpath(folder_)) return true;
    if (error) *error = QStringLiteral("Cannot create the folder %1.").arg(folder_);
    return false;
}

bool PngFolderSink::write(const QImage& frame, int frameNumber, QString* error) {
    QElapsedTimer timer;
    timer.start();
    const QString path = QDir(folder_).filePath(
        QStringLiteral("frame-%1.png").arg(frameNumber, 6, 10, QLatin1Char('0')));
    // Each frame is whole or absent: a full disk or a kill leaves no truncated picture.
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QString reason = QStringLiteral("the picture could not be encoded");
    const bool ok = frame.save(&buffer, "PNG") && writeWholeFile(path, bytes, &reason);
    encodeMs_ += timer.nsecsElapsed() / 1e6;
    if (!ok && error) *error = QStringLiteral("Cannot write %1: %2.").arg(path, reason);
    return ok;
}
