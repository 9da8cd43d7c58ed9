// Helper for tests: the program's profile (QSettings, INI) in a scratch folder of its own.
#pragma once

#include <QSettings>
#include <QTemporaryDir>
#include <initializer_list>
#include <utility>

class TempProfile {
  public:
    // Points the user-scope INI profile at a fresh folder and stores `values` there, each the
    // entry "Value" of the named section.
    explicit TempProfile(std::initializer_list<std::pair<const char*, int>> values = {}) {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
        QSettings profile(QSettings::IniFormat, QSettings::UserScope,
                          "Local AppWizard-Generated Applications", "Lumatoy");
        for (const auto& [section, value] : values)
            profile.setValue(QString::fromLatin1(section) + "/Value", value);
    }
    bool isValid() const { return dir_.isValid(); }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
};
