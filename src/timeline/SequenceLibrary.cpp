// Sequence files on disk, the Open and Save commands, the stored sequences and the start-up
// sequence.
#include "timeline/SequenceLibrary.h"

#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "platform/WholeFile.h"
#include "scene/CZoetraView.h"
#include "scene/Random.h"
#include "timeline/SequenceFile.h"
#include "timeline/SequenceScene.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstdio>
#include <ctime>

namespace {

const QString kNothingSelected = QStringLiteral("Nothing Selected");
const QString kSequencesFolder = QStringLiteral("Sequences");

// The sequence files of a folder, in name order: names whose text after the last full stop is
// "lmt" exactly.
QStringList sequenceFiles(const QString& folder) {
    QStringList found;
    const QStringList files = QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    for (const QString& file : files) {
        const qsizetype dot = file.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0 && QStringView(file).mid(dot + 1) == QLatin1String("lmt")) found << file;
    }
    return found;
}

// Whether a new file can be made in `folder` (made first when missing, if its parent allows).
bool folderWritable(const QString& folder) {
    if (!QDir().mkpath(folder)) return false;
    QFile probe(QDir(folder).filePath(QStringLiteral(".lumatoy-write-test")));
    if (!probe.open(QIODevice::WriteOnly)) return false;
    probe.close();
    probe.remove();
    return true;
}

// Save dialogs add the default extension to a name typed without one.
QString withExtension(const QString& path, const QString& extension) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + QLatin1Char('.') + extension;
}

} // namespace

bool loadSequenceFile(CZoetraView& v, const QString& path, QString* error, EffectLoads* loads) {
    const QString name = QDir::toNativeSeparators(path);
    QString reason;
    SequenceRecord record;
    QByteArray bytes;
    QString why;
    if (!readWholeFile(path, kMaxSequenceBytes, bytes, &why)) {
        reason = QStringLiteral("The sequence file \"%1\" cannot be opened: %2.").arg(name, why);
    } else {
        QString problem;
        if (!parseSequence(bytes, record, problem))
            reason = looksLikeSequenceFile(bytes)
                         ? QStringLiteral("The sequence file \"%1\" cannot be loaded. %2")
                               .arg(name, problem)
                         : QStringLiteral("\"%1\" is not a Lumatoy sequence file.").arg(name);
    }
    if (!reason.isEmpty()) {
        if (error) *error = reason;
        return false;
    }
    {
        // The reloads' messages concern this file unless they name their own.
        const FileInHand concerning(name);
        applySequence(v, record, loads ? *loads : effectLoads());
    }
    v.sequenceFilePath = path;
    if (error) error->clear();
    return true;
}

bool readSequence(CZoetraView& v, const QString& path) {
    QString error;
    if (loadSequenceFile(v, path, &error)) return true;
    platform().inform(error, QStringLiteral("Error"), MessageIcon::Error);
    return false;
}

bool saveSequenceFile(CZoetraView& v, const QString& path, QString* error) {
    const QByteArray bytes = serializeSequence(captureSequence(v));
    QString reason;
    if (!writeWholeFile(path, bytes, &reason)) {
        if (error)
            *error = QStringLiteral("The sequence could not be saved to \"%1\": %2.")
                         .arg(QDir::toNativeSeparators(path), reason);
        return false;
    }
    // After writing 6.0, the scene's version becomes the whole part of the last loaded one (0
    // when none was loaded since the last reset); the renderers' version tests see that.
    v.sceneVersion = kSequenceFormatVersion;
    v.sceneVersion = static_cast<float>(v.sceneVersionWhole);
    v.sequenceFilePath = path;
    if (error) error->clear();
    return true;
}

bool writeSequence(CZoetraView& v, const QString& path) {
    QString error;
    if (saveSequenceFile(v, path, &error)) return true;
    platform().inform(error, QStringLiteral("Error"), MessageIcon::Error);
    return false;
}

int sequenceFrameCount(const CZoetraView& v) {
    return v.sequenceLoaded ? v.loadedTimelineLength : v.timelineLength;
}

QString chooseSequenceToOpen() {
    FileChoice choice;
    choice.title = QStringLiteral("Open a Lumatoy Keyframe File");
    choice.filter = QStringLiteral("Lumatoy Keyframe Files(*.lmt)");
    choice.initialPath = QDir::cleanPath(QDir::current().absoluteFilePath(QStringLiteral("..")));
    return platform().chooseOpenFile(choice);
}

QString chooseSequenceToSave() {
    FileChoice choice;
    choice.title = QStringLiteral("Save a Lumatoy Keyframe File");
    choice.filter = QStringLiteral("Lumatoy Keyframe Files (*.lmt);;All Files (*.*)");
    choice.defaultExtension = QStringLiteral("lmt");
    choice.initialPath = QDir::current().filePath(QStringLiteral("*.lmt"));
    return withExtension(platform().chooseSaveFile(choice), choice.defaultExtension);
}

void openSequence(CZoetraView& v) {
    const QString path = chooseSequenceToOpen();
    if (!path.isEmpty()) readSequence(v, path);
}

void saveSequence(CZoetraView& v) {
    const QString path = chooseSequenceToSave();
    if (!path.isEmpty()) writeSequence(v, path);
}

QString programSequencesFolder() {
    return QDir(programFolder()).filePath(kSequencesFolder);
}

QString userSequencesFolder() {
    QString dataHome = qEnvironmentVariable("XDG_DATA_HOME");
    if (dataHome.isEmpty() || QDir::isRelativePath(dataHome))
        dataHome = QDir::home().filePath(QStringLiteral(".local/share"));
    return QDir(dataHome).filePath(QStringLiteral("lumatoy/") + kSequencesFolder);
}

void scanSequences(CZoetraView& v) {
    v.sequenceCount = 1;
    v.sequenceNames[0] = kNothingSelected;
    v.sequencePaths[0].clear();
    const QString programFolderSequences = programSequencesFolder();
    const QString userFolder = userSequencesFolder();
    const QStringList stored = sequenceFiles(programFolderSequences);
    const QStringList own =
        QDir(userFolder).canonicalPath() == QDir(programFolderSequences).canonicalPath()
            ? QStringList()
            : sequenceFiles(userFolder);
    auto add = [&](const QString& name, const QString& folder) {
        if (v.sequenceCount >= kSequenceNameCapacity) return;
        v.sequenceNames[v.sequenceCount] = name;
        v.sequencePaths[v.sequenceCount] = QDir(folder).filePath(name);
        ++v.sequenceCount;
    };
    for (const QString& name : stored)
        add(name, own.contains(name) ? userFolder : programFolderSequences);
    for (const QString& name : own)
        if (!stored.contains(name)) add(name, userFolder);

    QDir::setCurrent(programFolder());
    QDir::setCurrent(kSequencesFolder);
}

bool loadStoredSequence(CZoetraView& v, int index) {
    if (index < 1 || index >= v.sequenceCount) return false;
    QDir::setCurrent(programFolder());
    return readSequence(v, v.sequencePaths[index]);
}

void addToPresets(CZoetraView& v) {
    if (!v.startFolder.isEmpty()) QDir::setCurrent(v.startFolder);
    // An installed copy's folder is not the user's to write: presets go to the user's own folder.
    QString folder = programSequencesFolder();
    if (!folderWritable(folder)) {
        folder = userSequencesFolder();
        QDir().mkpath(folder);
    }
    FileChoice choice;
    choice.title = QStringLiteral("Save a Lumatoy Keyframe File");
    choice.filter = QStringLiteral("Lumatoy Files (*.lmt);;All Files (*.*)");
    choice.defaultExtension = QStringLiteral("lmt");
    choice.initialPath = folder;
    const QString path = withExtension(platform().chooseSaveFile(choice), choice.defaultExtension);
    if (path.isEmpty()) return;
    writeSequence(v, path);
    scanSequences(v);
}

void loadRandomSequence(CZoetraView& v) {
    csrand(static_cast<std::uint32_t>(std::time(nullptr)));
    const int count = v.sequenceCount > 0 ? v.sequenceCount : 1;
    int index = crand() % count;
    if (index < 1) index = 1;
    QDir::setCurrent(programFolder());
    // With no stored sequence there is nothing to load: the scene keeps its defaults. A broken
    // one is passed over for the next (nobody asked for that file, so no message box).
    for (int tried = 1; tried < v.sequenceCount; ++tried) {
        QString error;
        if (loadSequenceFile(v, v.sequencePaths[index], &error)) {
            v.startFolder = QDir::currentPath().left(255);
            v.currentPreset = index;
            return;
        }
        std::fprintf(stderr, "lumatoy: skipping a stored sequence: %s\n", qPrintable(error));
        index = index + 1 < v.sequenceCount ? index + 1 : 1;
    }
}

void loadStartSequence(CZoetraView& v) {
    if (v.startFileRequested) {
        QDir::setCurrent(programFolder());
        readSequence(v, v.startFilePath);
        v.startFileRequested = 0;
    } else if (v.randomSequenceAtStart == 0) {
        QDir::setCurrent(programFolder());
    } else {
        loadRandomSequence(v);
    }
}
