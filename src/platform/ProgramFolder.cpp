// The program folder and the case-insensitive resolution of stored relative paths.
#include "platform/ProgramFolder.h"

#include <QDir>
#include <QFileInfo>

namespace {

QString executableFolder() {
    const QFileInfo exe(QStringLiteral("/proc/self/exe"));
    return QFileInfo(exe.canonicalFilePath()).absolutePath();
}

// The entry of `folder` named `name`, exactly or else ignoring case; empty when there is none.
QString matchEntry(const QString& folder, const QString& name) {
    const QDir dir(folder);
    if (dir.exists(name)) return name;
    const QStringList entries =
        dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0) return entry;
    return {};
}

} // namespace

QString programFolder() {
    const QString home = qEnvironmentVariable("LUMATOY_HOME");
    if (!home.isEmpty()) return QDir(home).absolutePath();
    return programFolderBeside(executableFolder());
}

QString programFolderBeside(const QString& executableFolder) {
    const QDir exeDir(executableFolder);
    if (exeDir.exists(QStringLiteral("Textures"))) return exeDir.absolutePath();
    const QString installed =
        QDir::cleanPath(exeDir.absoluteFilePath(QStringLiteral(LUMATOY_DATA_DIR_FROM_BIN)));
    if (QDir(installed).exists(QStringLiteral("Textures"))) return installed;
    return QDir(QStringLiteral(LUMATOY_DATA_DIR)).absolutePath();
}

QString resolveProgramPath(const QString& path, const QString& base) {
    if (path.contains(QStringLiteral("://"))) return path;
    QString cleaned = path;
    cleaned.replace(QLatin1Char('\\'), QLatin1Char('/'));

    QString current;
    if (QDir::isAbsolutePath(cleaned))
        current = QStringLiteral("/");
    else
        current = QDir(base.isEmpty() ? programFolder() : base).absolutePath();

    bool matching = true; // once a component is missing, the rest are taken as written
    const QStringList parts = cleaned.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        if (part == QLatin1String(".")) continue;
        if (part == QLatin1String("..")) {
            current = QDir::cleanPath(current + QStringLiteral("/.."));
            continue;
        }
        QString name = part;
        if (matching) {
            const QString found = matchEntry(current, part);
            if (found.isEmpty())
                matching = false;
            else
                name = found;
        }
        current = QDir::cleanPath(current + QLatin1Char('/') + name);
    }
    return current;
}
