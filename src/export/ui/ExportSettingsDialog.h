// The export and start-up settings dialog: the video format and three switches.
#pragma once

#include "export/ExportSettings.h"

#include <QDialog>
#include <functional>

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

    void done(int result) override;

  private:
    SettingsChoice choice_;
    QComboBox* format_ = nullptr;
    QCheckBox* lock_ = nullptr;
    QCheckBox* random_ = nullptr;
    QCheckBox* resize_ = nullptr;
};

// Runs the settings dialog modally and applies it on "Apply". Calls made while it is open do
// nothing.
void openExportSettings(CZoetraView& v, QWidget* parent = nullptr);

// Run by "Apply" and "Cancel" before the dialog closes: the Control Deck installs a function that
// shows it again when it is open (the deck button that opened the dialog may have hidden it).
void setShowDeckAgain(std::function<void()> show);

// True while the dialog runs.
bool exportSettingsOpen();
