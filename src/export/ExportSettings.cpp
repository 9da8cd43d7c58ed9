// Export settings: the profile values and the preset's window size and rate.
#include "export/ExportSettings.h"

#include "export/FormatTable.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"
#include "timeline/SequenceLibrary.h"

#include <QSettings>

namespace {
const QString kValueEntry = QStringLiteral("Value");

// Resizes the main window for `preset` and takes its rate; false when the preset is unknown.
bool sizeWindowForPreset(CZoetraView& v, int preset) {
    const ExportFormat* format = exportFormat(preset);
    if (!format) return false;
    platform().resizeMainWindow(format->resizeSize.width(), format->resizeSize.height());
    v.aviFrameRate = format->rate;
    return true;
}
} // namespace

std::unique_ptr<QSettings> openProfile() {
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                       QString::fromLatin1(kProfileOrganisation),
                                       QString::fromLatin1(kProfileApplication));
}

int readProfileInt(QSettings& profile, const char* section, int fallback) {
    profile.beginGroup(QString::fromLatin1(section));
    bool ok = false;
    const int value = profile.value(kValueEntry).toInt(&ok);
    profile.endGroup();
    return ok ? value : fallback;
}

void writeProfileInt(QSettings& profile, const char* section, int value) {
    profile.beginGroup(QString::fromLatin1(section));
    profile.setValue(kValueEntry, value);
    profile.endGroup();
}

void readSettings(CZoetraView& v) {
    const auto profile = openProfile();
    v.lockToAviRate = readProfileInt(*profile, kLockSection, 1);
    v.randomSequenceAtStart = readProfileInt(*profile, kRandomSection, 1);
    v.presetLoop = readProfileInt(*profile, kPresetLoopSection, 1);
    v.exportPreset = readProfileInt(*profile, kExportPresetSection, 1);
    v.resizeToPreset = readProfileInt(*profile, kResizeSection, 1);
}

void writeSettings(const CZoetraView& v) {
    const auto profile = openProfile();
    writeProfileInt(*profile, kLockSection, v.lockToAviRate);
    writeProfileInt(*profile, kRandomSection, v.randomSequenceAtStart);
    writeProfileInt(*profile, kPresetLoopSection, v.presetLoop);
    writeProfileInt(*profile, kExportPresetSection, v.exportPreset);
    writeProfileInt(*profile, kResizeSection, v.resizeToPreset);
    profile->sync();
}

void applyPresetWindowSize(CZoetraView& v) {
    if (v.resizeToPreset == 0) {
        platform().resizeMainWindow(kPlainWindowWidth, kPlainWindowHeight);
        v.aviFrameRate = kPlainFrameRate;
        return;
    }
    sizeWindowForPreset(v, v.exportPreset);
}

void applyStartSettings(CZoetraView& v) {
    readSettings(v);
    applyPresetWindowSize(v);
    loadStartSequence(v);
}

SettingsChoice settingsChoiceFromView(const CZoetraView& v) {
    SettingsChoice choice;
    choice.lock = v.lockToAviRate;
    choice.random = v.randomSequenceAtStart;
    choice.formatIndex = v.exportPreset;
    choice.resize = v.resizeToPreset;
    return choice;
}

void applySettingsChoice(CZoetraView& v, const SettingsChoice& choice) {
    v.lockToAviRate = choice.lock;
    v.randomSequenceAtStart = choice.random;
    v.presetLoop = choice.presetLoop;
    v.exportPreset = choice.formatIndex;
    v.resizeToPreset = choice.resize;
    writeSettings(v);
    if (v.resizeToPreset) sizeWindowForPreset(v, v.exportPreset);
}
