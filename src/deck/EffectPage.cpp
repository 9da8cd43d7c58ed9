// The generic effect page, drawn from its layer's control table.
#include "deck/EffectPage.h"

#include "controls/PageModel.h"
#include "effects/Effects.h"
#include "scene/CZoetraView.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {
constexpr int kSettingsColumns = 2;

QString latin1(const char* text) {
    return QString::fromLatin1(text ? text : "");
}

// Every text a toggle push button can show, so that it is made wide enough for each.
QStringList toggleTexts(const ToggleSpec& toggle) {
    QStringList texts{latin1(toggle.captions[0]), latin1(toggle.captions[1])};
    if (toggle.openingCaption) texts << latin1(toggle.openingCaption);
    return texts;
}
} // namespace

CEffectPage::CEffectPage(DeckPage page, CZoetraView& v, const DeckServices& services,
                         QWidget* parent)
    : DeckPageWidget(page, v, services, parent), table_(controlPage(page)) {}

QString CEffectPage::controlsTitle() const {
    return table_ ? latin1(table_->caption) : QString();
}
QString CEffectPage::settingsTitle() const {
    return tr("Settings");
}

void CEffectPage::createContents() {
    auto* top = new QVBoxLayout(this);
    if (table_) {
        buildTableControls(top);
    } else {
        // The layer has no table yet: the page shows what it is and the common buttons.
        auto* caption = new QLabel(pageCaption(deckPage()), this);
        caption->setObjectName(QStringLiteral("pageCaption"));
        top->addWidget(caption);
    }
    top->addLayout(buildCommonButtons());
    top->addStretch(1);

    if (!table_) return;
    CZoetraView& v = scene();
    const int index = pageIndex(deckPage());
    v.selectedEntry[index] = 0;
    if (table_->open) inView([&] { table_->open(v, table_->instance); });
    int entry = v.selectedEntry[index];
    if (entry < 0 || entry >= combo_->count()) entry = 0;
    v.selectedEntry[index] = entry;
    updating_ = true;
    combo_->setCurrentIndex(entry);
    updating_ = false;
    showEntry();
    refreshToggles();
    showOwnValues();
}

void CEffectPage::buildTableControls(QBoxLayout* top) {
    auto* controls = new QGroupBox(controlsTitle(), this);
    auto* controlsLayout = new QVBoxLayout(controls);
    combo_ = new QComboBox(controls);
    combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    for (const ControlEntry& entry : table_->entries)
        combo_->addItem(latin1(entry.text));
    controlsLayout->addWidget(combo_);
    connect(combo_, &QComboBox::activated, this, [this](int index) { choose(index); });

    auto* grid = new QGridLayout;
    const char* axes[3] = {"X", "Y", "Z"};
    for (int n = 0; n < 3; ++n) {
        auto* slider = new QSlider(Qt::Horizontal, controls);
        slider->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('0')) * 36);
        auto* edit = new QLineEdit(controls);
        edit->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-0000000")) + 12);
        edit->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("-000000000")) + 12);
        sliders_[size_t(n)] = slider;
        edits_[size_t(n)] = edit;
        grid->addWidget(new QLabel(QLatin1String(axes[n]), controls), n, 0);
        grid->addWidget(slider, n, 1);
        grid->addWidget(edit, n, 2);
        connect(slider, &QSlider::valueChanged, this,
                [this, n](int position) { sliderChanged(n, position); });
        connect(edit, &QLineEdit::textEdited, this,
                [this, n](const QString& text) { editTyped(n, text); });
        connect(edit, &QLineEdit::editingFinished, this, [this, n] { editFinished(n); });
    }
    grid->setColumnStretch(1, 1);
    controlsLayout->addLayout(grid);
    top->addWidget(controls);

    auto* middle = new QHBoxLayout;
    settingsGroup_ = new QGroupBox(settingsTitle(), this);
    settingsLayout_ = new QGridLayout(settingsGroup_);
    for (int i = 0; i < int(table_->toggles.size()); ++i) {
        const ToggleSpec& toggle = table_->toggles[size_t(i)];
        QAbstractButton* button;
        if (toggle.ticked)
            button = new QCheckBox(latin1(toggle.captions[0]), settingsGroup_);
        else
            button = makeButton(toggleTexts(toggle), settingsGroup_);
        connect(button, &QAbstractButton::clicked, this, [this, i] { toggleClicked(i); });
        toggles_ << button;
        toggleClicked_ << false;
        if (toggle.hidden) {
            button->setEnabled(false);
            button->setVisible(false);
            continue;
        }
        if (QLayout* home = toggleHome(i))
            home->addWidget(button);
        else
            addSetting(button);
    }
    for (int i = 0; i < int(table_->pickers.size()); ++i) {
        auto* button = new QPushButton(latin1(table_->pickers[size_t(i)].caption), settingsGroup_);
        connect(button, &QPushButton::clicked, this, [this, i] { pickerClicked(i); });
        pickers_ << button;
        if (QLayout* home = pickerHome(i))
            home->addWidget(button);
        else
            addSetting(button);
    }
    middle->addWidget(settingsGroup_);
    addOwnControls(middle);
    reset_ = new QPushButton(tr("Reset"), settingsGroup_);
    connect(reset_, &QPushButton::clicked, this, [this] { resetClicked(); });
    addSetting(reset_);
    // The buttons keep together at the top of their box.
    settingsLayout_->setRowStretch((settingsCount_ + kSettingsColumns - 1) / kSettingsColumns, 1);
    middle->addStretch(1);
    top->addLayout(middle);
}

void CEffectPage::addSetting(QWidget* widget) {
    if (!settingsLayout_) return;
    settingsLayout_->addWidget(widget, settingsCount_ / kSettingsColumns,
                               settingsCount_ % kSettingsColumns);
    ++settingsCount_;
}

QBoxLayout* CEffectPage::buildCommonButtons() {
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    keyFrameEditor_ = new QPushButton(tr("Key Frame Editor"), this);
    keyFrameEditor_->setEnabled(false);
    keyFrameEditor_->setVisible(false);
    movieSettings_ = new QPushButton(tr("Movie Export Settings"), this);
    exportVideo_ = new QPushButton(tr("Export Video"), this);
    // Exporting is no edit of the scene.
    movieSettings_->setProperty("lumatoyNotAnEdit", true);
    exportVideo_->setProperty("lumatoyNotAnEdit", true);
    connect(movieSettings_, &QPushButton::clicked, this, [this] { openExportSettingsFromPage(); });
    connect(exportVideo_, &QPushButton::clicked, this, [this] {
        if (services().exportVideo) services().exportVideo();
    });
    row->addWidget(keyFrameEditor_);
    row->addWidget(movieSettings_);
    row->addWidget(exportVideo_);
    return row;
}

int CEffectPage::selectedIndex() const {
    return scene().selectedEntry[pageIndex(deckPage())];
}

const ControlEntry* CEffectPage::selectedEntry() const {
    if (!table_ || !isCreated()) return nullptr;
    const int index = selectedIndex();
    if (index < 0 || index >= int(table_->entries.size())) return nullptr;
    const ControlEntry& entry = table_->entries[size_t(index)];
    return *entry.text ? &entry : nullptr;
}

void CEffectPage::choose(int index) {
    if (!table_ || index < 0 || index >= int(table_->entries.size())) return;
    CZoetraView& v = scene();
    v.selectedEntry[pageIndex(deckPage())] = index;
    const ControlEntry& entry = table_->entries[size_t(index)];
    if (entry.onChoose) inView([&] { entry.onChoose(v, table_->instance); });
    // An entry without text selects nothing: the controls stay as they are.
    if (*entry.text) showEntry();
    refreshToggles();
}

void CEffectPage::showEntry() {
    const ControlEntry* entry = selectedEntry();
    if (!entry) return;
    updating_ = true;
    for (int n = 0; n < 3; ++n) {
        QSlider* slider = sliders_[size_t(n)];
        QLineEdit* edit = edits_[size_t(n)];
        const bool enabled = entry->enabled[n];
        slider->setEnabled(enabled);
        edit->setEnabled(enabled);
        edit->setReadOnly(!entry->editSets[n]);
        const SliderRange range = entry->ranges[n];
        if (!range.empty()) slider->setRange(range.min, range.max);
        const std::optional<int> position =
            enabled ? entryPosition(scene(), *table_, *entry, n) : std::nullopt;
        // A value the entry does not use shows 0.
        slider->setValue(position.value_or(0));
        edit->setText(QString::number(position.value_or(0)));
    }
    updating_ = false;
}

void CEffectPage::showValues() {
    const ControlEntry* entry = selectedEntry();
    if (entry) {
        updating_ = true;
        for (int n = 0; n < 3; ++n) {
            if (!entry->enabled[n]) continue;
            const std::optional<int> position = entryPosition(scene(), *table_, *entry, n);
            if (!position) continue;
            sliders_[size_t(n)]->setValue(*position);
            edits_[size_t(n)]->setText(QString::number(*position));
        }
        updating_ = false;
    }
    if (isCreated() && table_) {
        refreshToggles();
        showOwnValues();
    }
}

void CEffectPage::activate() {
    if (!table_) return;
    activatePage(scene(), *table_);
    showValues();
}

void CEffectPage::runChange(const ControlEntry& entry) {
    if (entry.onChange) inView([&] { entry.onChange(scene(), table_->instance); });
}

void CEffectPage::sliderChanged(int n, int position) {
    if (updating_) return;
    const ControlEntry* entry = selectedEntry();
    if (!entry || !entry->enabled[n]) return;
    // Only the moved slider's value changes: the other two keep values their sliders may not
    // reach.
    if (setEntryPosition(scene(), *table_, *entry, n, position)) showEdit(n);
    updating_ = true;
    for (int m = 0; m < 3; ++m) {
        const SliderRange range = entry->rangesAfterMove[m];
        if (!range.empty()) sliders_[size_t(m)]->setRange(range.min, range.max);
    }
    updating_ = false;
    runChange(*entry);
}

void CEffectPage::editTyped(int n, const QString& text) {
    if (updating_) return;
    const ControlEntry* entry = selectedEntry();
    if (!entry || !entry->enabled[n] || !entry->editSets[n]) return;
    // Anything but a whole number leaves the value alone until it becomes one. The number is
    // stored as typed, past the slider's ends too (251 stars, say); the slider shows the nearest
    // position it has.
    const std::optional<int> typed = parseEditNumber(text);
    if (!typed) return;
    if (!setEntryPosition(scene(), *table_, *entry, n, *typed)) return;
    updating_ = true;
    sliders_[size_t(n)]->setValue(*typed);
    updating_ = false;
    // The box keeps what is being typed; once typing ends it shows the value it set.
    runChange(*entry);
}

void CEffectPage::editFinished(int n) {
    if (updating_) return;
    showEdit(n);
}

void CEffectPage::showEdit(int n) {
    const ControlEntry* entry = selectedEntry();
    if (!entry) return;
    const std::optional<int> position =
        entry->enabled[n] ? entryPosition(scene(), *table_, *entry, n) : std::nullopt;
    updating_ = true;
    edits_[size_t(n)]->setText(QString::number(position.value_or(0)));
    updating_ = false;
}

void CEffectPage::refreshToggles() {
    if (!table_) return;
    for (int i = 0; i < toggles_.size(); ++i) {
        const ToggleSpec& toggle = table_->toggles[size_t(i)];
        QAbstractButton* button = toggles_[i];
        if (toggle.ticked)
            button->setChecked(toggle.ticked(scene(), table_->instance));
        else
            button->setText(
                latin1(toggleButtonText(scene(), *table_, toggle, toggleClicked_.value(i))));
    }
}

void CEffectPage::toggleClicked(int index) {
    const ToggleSpec& toggle = table_->toggles[size_t(index)];
    if (index < toggleClicked_.size()) toggleClicked_[index] = true;
    inView([&] { clickToggle(scene(), *table_, toggle); });
    refreshToggles();
    showOwnValues();
}

void CEffectPage::pickerClicked(int index) {
    const AssetPicker& picker = table_->pickers[size_t(index)];
    CZoetraView& v = scene();
    if (picker.before) picker.before(v, table_->instance);
    setDeckVisible(false);
    const QString path = platform().chooseOpenFile(pickerChoice(picker));
    if (!path.isEmpty() && picker.load) {
        bool loaded = false;
        inView([&] {
            loaded = picker.load(v, table_->instance, path, pickerRecordedPath(picker, path));
        });
        if (!loaded)
            platform().inform(tr("\"%1\" could not be loaded: the file is missing or is not a "
                                 "file this page can read. The layer keeps what it had.")
                                  .arg(path),
                              QString(), MessageIcon::Warning);
    }
    setDeckVisible(true);
    showValues();
}

void CEffectPage::resetClicked() {
    CZoetraView& v = scene();
    const int page = pageIndex(deckPage());
    v.selectedEntry[page] = 0;
    if (table_->reset) inView([&] { table_->reset(v, table_->instance); });
    if (v.selectedEntry[page] < 0 || v.selectedEntry[page] >= combo_->count())
        v.selectedEntry[page] = 0;
    updating_ = true;
    combo_->setCurrentIndex(v.selectedEntry[page]);
    updating_ = false;
    showEntry();
    refreshToggles();
    resetOwnControls();
    showOwnValues();
}
