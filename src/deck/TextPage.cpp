// The "Text" page and its own controls.
#include "deck/TextPage.h"

#include "effects/text/TextPageActions.h"
#include "scene/CZoetraView.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

CMyPage1::CMyPage1(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(DeckPage::Text, v, services, parent) {}

QString CMyPage1::controlsTitle() const {
    return tr("Text Controls");
}
QString CMyPage1::settingsTitle() const {
    return tr("Text Settings");
}

void CMyPage1::addOwnControls(QBoxLayout* groups) {
    CZoetraView& v = scene();
    changeFont_ = new QPushButton(tr("Change Font"), this);
    fontColour_ = new QPushButton(tr("Font Color"), this);
    addSetting(changeFont_);
    addSetting(fontColour_);
    connect(changeFont_, &QPushButton::clicked, this, [this] { changeFont(); });
    connect(fontColour_, &QPushButton::clicked, this, [this] { chooseFontColour(); });

    auto* group = new QGroupBox(tr("Edit Text and Material"), this);
    auto* layout = new QVBoxLayout(group);
    text_ = new QPlainTextEdit(group);
    text_->setPlainText(textForEdit(v));
    text_->setMinimumHeight(fontMetrics().lineSpacing() * 4);
    layout->addWidget(text_);
    connect(text_, &QPlainTextEdit::textChanged, this, [this] {
        if (!showingText_) setTextFromEdit(scene(), text_->toPlainText());
    });

    auto* combos = new QFormLayout;
    style_ = new QComboBox(group);
    style_->addItems(textStyleEntries());
    style_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    material_ = new QComboBox(group);
    material_->addItems(textMaterialEntries());
    material_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    combos->addRow(tr("Style:"), style_);
    combos->addRow(tr("Material:"), material_);
    layout->addLayout(combos);
    groups->addWidget(group, 1);

    // Both combos start at their first entry; choosing the first style applies nothing yet.
    v.textStyleEntry = 0;
    v.textMaterialEntry = 0;
    connect(style_, &QComboBox::activated, this,
            [this](int entry) { inView([&] { chooseTextStyleEntry(scene(), entry); }); });
    connect(material_, &QComboBox::activated, this,
            [this](int entry) { chooseTextMaterialEntry(scene(), entry); });
    lastColour_ = QColor(int(v.fontColour.x), int(v.fontColour.y), int(v.fontColour.z));
}

void CMyPage1::showOwnValues() {
    if (!text_) return;
    const QString text = textForEdit(scene());
    if (text_->toPlainText() != text) {
        showingText_ = true;
        text_->setPlainText(text);
        showingText_ = false;
    }
}

void CMyPage1::resetOwnControls() {
    if (!style_) return;
    style_->setCurrentIndex(0);
    material_->setCurrentIndex(0);
    scene().textStyleEntry = 0;
    scene().textMaterialEntry = 0;
}

void CMyPage1::changeFont() {
    setDeckVisible(false);
    askTextFont(scene());
    // A cancelled chooser keeps the font; the glyphs are built again all the same.
    inView([&] { rebuildTextGlyphs(scene()); });
    setDeckVisible(true);
}

void CMyPage1::chooseFontColour() {
    setDeckVisible(false);
    // The sliders follow when "Colour Font" is the entry shown.
    if (askFontColour(scene(), lastColour_)) showValues();
    setDeckVisible(true);
}
