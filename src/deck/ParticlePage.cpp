// The particle page's own control: the "Number of Particles" edit.
#include "deck/ParticlePage.h"

#include "controls/PageModel.h"
#include "effects/particles/ParticleEffect.h"
#include "scene/CZoetraView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

CmyPage3::CmyPage3(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(DeckPage::Particles, v, services, parent) {}

void CmyPage3::addOwnControls(QBoxLayout*) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* label = new QLabel(tr("Number of Particles"), row);
    count_ = new QLineEdit(row);
    count_->setObjectName(QStringLiteral("particleCount"));
    label->setBuddy(count_);
    layout->addWidget(label);
    layout->addWidget(count_);
    addSetting(row);
    connect(count_, &QLineEdit::textEdited, this,
            [this](const QString& text) { countTyped(text); });
    // Once typing ends the box shows the count the emitter was given.
    connect(count_, &QLineEdit::editingFinished, this, [this] { showCount(); });
    showCount();
}

void CmyPage3::countTyped(const QString& text) {
    // Anything but a whole number leaves the emitter alone until it becomes one; the count keeps
    // within 0...10,000 (the emitter's slots).
    const std::optional<int> typed = parseEditNumber(text);
    if (typed) setParticleCount(scene(), *typed);
}

void CmyPage3::showCount() {
    if (count_) count_->setText(QString::number(scene().particleCount));
}

void CmyPage3::showOwnValues() {
    // The box being typed into keeps what is typed.
    if (count_ && !count_->hasFocus()) showCount();
}

void CmyPage3::resetOwnControls() {
    showCount();
}
