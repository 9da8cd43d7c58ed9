// The export and start-up settings dialog: the video format and three switches.
#pragma once

#include "export/ExportSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class CZoetraView;

class ExportSettingsDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ExportSettingsDialog(const SettingsChoice& initial, QWidget* parent = nullptr);

    // The values as the controls show them; the format index follows the combo only once the
    // user picks an entry, so an unknown stored preset survives an untouched dialog.
    SettingsChoice choice() const;

    QComboBox* formatCombo() const { return format_; }
    QCheckBox* lockBox() const { return lock_; }
    QCheckBox* randomBox() const { return random_; }
    QCheckBox* resizeBox() const { return resize_; }

  private:
    SettingsChoice choice_;
    QComboBox* format_ = nullptr;
    QCheckBox* lock_ = nullptr;
    QCheckBox* random_ = nullptr;
    QCheckBox* resize_ = nullptr;
};

// Runs the settings dialog modally and applies it on "Apply"; an open Control Deck is shown
// again afterwards. Calls made while it is open do nothing.
void openExportSettings(CZoetraView& v, QWidget* parent = nullptr);

// True while the dialog runs.
bool exportSettingsOpen();
