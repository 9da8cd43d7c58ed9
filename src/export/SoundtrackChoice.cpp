// Soundtracks of .lmt files in the profile: section "Soundtracks", one entry per sequence path.
#include "export/SoundtrackChoice.h"

#include "export/ExportSettings.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
// The entry of a sequence: its absolute path, made safe for an INI key (slashes would make
// groups of it).
QString entryFor(const QString& sequencePath) {
    const QString absolute = QDir::cleanPath(QFileInfo(sequencePath).absoluteFilePath());
    return QStringLiteral("Soundtracks/") +
           QString::fromLatin1(absolute.toUtf8().toBase64(QByteArray::Base64UrlEncoding |
                                                          QByteArray::OmitTrailingEquals));
}
} // namespace

QString rememberedSoundtrack(const QString& sequencePath) {
    if (sequencePath.isEmpty()) return {};
    return openProfile()->value(entryFor(sequencePath)).toString();
}

void rememberSoundtrack(const QString& sequencePath, const QString& soundtrack) {
    if (sequencePath.isEmpty()) return;
    const auto profile = openProfile();
    if (soundtrack.isEmpty())
        profile->remove(entryFor(sequencePath));
    else
        profile->setValue(entryFor(sequencePath), QFileInfo(soundtrack).absoluteFilePath());
}
