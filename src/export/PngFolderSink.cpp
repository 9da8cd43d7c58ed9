// The picture-folder frame sink.
#include "export/PngFolderSink.h"

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
    const bool ok = frame.save(path, "PNG");
    encodeMs_ += timer.nsecsElapsed() / 1e6;
    if (!ok && error) *error = QStringLiteral("Cannot write %1.").arg(path);
    return ok;
}
