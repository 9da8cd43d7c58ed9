// The four most recent sequence files in the profile.
#include "app/RecentFiles.h"

#include "export/ExportSettings.h"

#include <QFileInfo>
#include <QSettings>

namespace recentFiles {
namespace {

const QString kSection = QStringLiteral("Recent File List");

QString entry(int n) {
    return kSection + QStringLiteral("/File%1").arg(n + 1);
}

void store(const QStringList& files) {
    const std::unique_ptr<QSettings> profile = openProfile();
    for (int n = 0; n < kCount; ++n) {
        if (n < files.size())
            profile->setValue(entry(n), files[n]);
        else
            profile->remove(entry(n));
    }
}

} // namespace

QStringList list() {
    const std::unique_ptr<QSettings> profile = openProfile();
    QStringList files;
    for (int n = 0; n < kCount; ++n) {
        const QString file = profile->value(entry(n)).toString();
        if (!file.isEmpty() && !files.contains(file)) files << file;
    }
    return files;
}

void add(const QString& path) {
    const QString file = QFileInfo(path).absoluteFilePath();
    QStringList files = list();
    files.removeAll(file);
    files.prepend(file);
    store(files.mid(0, kCount));
}

void remove(const QString& path) {
    QStringList files = list();
    files.removeAll(path);
    store(files);
}

} // namespace recentFiles
