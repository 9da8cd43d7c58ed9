// Stored asset paths made to work on this system, and lookup of the program folder's files.
#include "assets/AssetPaths.h"

#include "platform/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

QString resolveAssetFile(const QString& path) {
    if (path.isEmpty() || QFileInfo::exists(path)) return path;
    QString cleaned = path;
    cleaned.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QFileInfo::exists(cleaned)) return cleaned;

    const bool absolute = cleaned.startsWith(QLatin1Char('/'));
    const QStringList parts = cleaned.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QString current = absolute ? QStringLiteral("/") : QStringLiteral(".");
    for (const QString& part : parts) {
        const QDir dir(current);
        if (part == QLatin1String(".") || part == QLatin1String("..") ||
            QFileInfo::exists(dir.filePath(part))) {
            current = dir.filePath(part);
            continue;
        }
        QString match;
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& entry : entries) {
            if (entry.compare(part, Qt::CaseInsensitive) == 0) {
                match = entry;
                break;
            }
        }
        if (match.isEmpty()) return path;
        current = dir.filePath(match);
    }
    if (!absolute && current.startsWith(QLatin1String("./"))) current = current.mid(2);
    return current;
}

QString findProgramFile(const QString& relative) {
    QStringList folders{QDir::currentPath()};
    if (QCoreApplication::instance()) folders << QCoreApplication::applicationDirPath();
    folders << programFolder();
    for (const QString& folder : folders) {
        const QString candidate = QDir(folder).filePath(relative);
        if (QFileInfo::exists(candidate)) return candidate;
    }
    return relative;
}
