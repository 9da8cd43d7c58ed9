// The export and start-up settings dialog: the video format and three switches.
#include "export/ui/ExportSettingsDialog.h"

#include "export/FormatTable.h"
#include "scene/CZoetraView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
// Process-wide on purpose: the dialog is modal to the whole program, so a second request from a
// nested event loop (a menu and a key at once) must find the first one whatever window asked.
bool g_dialogOpen = false;
} // namespace

ExportSettingsDialog::ExportSettingsDialog(const SettingsChoice& initial, QWidget* parent)
    : QDialog(parent), choice_(initial) {
    setWindowTitle(QString());

    auto* formatGroup = new QGroupBox(tr("AVI Export Settings"));
    auto* headings = new QHBoxLayout;
    headings->addWidget(new QLabel(tr("Format:")), 3);
    headings->addWidget(new QLabel(tr("Frame Rate:")), 3);
    headings->addWidget(new QLabel(tr("Resoultion:")), 2);
    format_ = new QComboBox;
    for (int i = 0; i < kExportFormatCount; ++i)
        format_->addItem(QString::fromLatin1(exportFormat(i)->label));
    format_->setMaxVisibleItems(kExportFormatCount);
    format_->setCurrentIndex(exportFormat(initial.formatIndex) ? initial.formatIndex : -1);
    auto* formatLayout = new QVBoxLayout(formatGroup);
    formatLayout->addLayout(headings);
    formatLayout->addWidget(format_);

    auto* switchGroup = new QGroupBox(tr("Lumatoy Settings"));
    lock_ = new QCheckBox(tr("Lock Lumatoy to AVI Export Frame Rate"));
    random_ = new QCheckBox(tr("Random Sequence on Start Up"));
    resize_ = new QCheckBox(tr("Resize Screen to Match AVI Export Settings"));
    lock_->setChecked(initial.lock != 0);
    random_->setChecked(initial.random != 0);
    resize_->setChecked(initial.resize != 0);
    auto* switchLayout = new QVBoxLayout(switchGroup);
    switchLayout->addWidget(lock_);
    switchLayout->addWidget(random_);
    switchLayout->addWidget(resize_);

    auto* apply = new QPushButton(tr("Apply"));
    auto* cancel = new QPushButton(tr("Cancel"));
    apply->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(cancel);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(formatGroup);
    layout->addWidget(switchGroup);
    layout->addStretch();
    layout->addLayout(buttons);

    connect(format_, &QComboBox::activated, this,
            [this](int index) { choice_.formatIndex = index; });
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

SettingsChoice ExportSettingsDialog::choice() const {
    SettingsChoice c = choice_;
    c.lock = lock_->isChecked() ? 1 : 0;
    c.random = random_->isChecked() ? 1 : 0;
    c.resize = resize_->isChecked() ? 1 : 0;
    c.presetLoop = 0;
    return c;
}

void openExportSettings(CZoetraView& v, QWidget* parent) {
    if (g_dialogOpen) return;
    g_dialogOpen = true;
    SettingsChoice initial = settingsChoiceFromView(v);
    initial.presetLoop = 0;
    ExportSettingsDialog dialog(initial, parent);
    if (dialog.exec() == QDialog::Accepted) applySettingsChoice(v, dialog.choice());
    g_dialogOpen = false;
    // A deck button that opened the dialog may have hidden the deck: Apply and Cancel alike
    // show it again.
    if (v.deckOpen) v.deckUi().setVisible(true);
}

bool exportSettingsOpen() {
    return g_dialogOpen;
}
