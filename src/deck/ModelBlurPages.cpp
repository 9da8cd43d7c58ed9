// The blur and model pages and their own controls.
#include "deck/ModelBlurPages.h"

#include "effects/ControlTable.h"
#include "effects/blur/BlurControls.h"
#include "effects/models/ModelControls.h"
#include "scene/CZoetraView.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CmyPage7::CmyPage7(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(DeckPage::Blur, v, services, parent) {}

QLayout* CmyPage7::toggleHome(int index) {
    // The layer's button stays with the others; the check boxes say what the blur applies to.
    if (index == 0 || !table() || !table()->toggles[size_t(index)].ticked) return nullptr;
    if (!applyLayout_) {
        apply_ = new QGroupBox(tr("Apply Blur to:"), this);
        applyLayout_ = new QVBoxLayout(apply_);
    }
    return applyLayout_;
}

void CmyPage7::addOwnControls(QBoxLayout* groups) {
    if (apply_) {
        applyLayout_->addStretch(1);
        groups->addWidget(apply_);
    }
    // Present on the page, hidden and disabled.
    changeColour_ = new QPushButton(tr("Change Color"), this);
    changeColour_->setEnabled(false);
    changeColour_->setVisible(false);
    connect(changeColour_, &QPushButton::clicked, this,
            [this] { changeLegacyBlurColour(scene()); });
}

CModelPage::CModelPage(DeckPage page, CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(page, v, services, parent) {}

QString CModelPage::controlsTitle() const {
    return tr("Model Controls");
}
QString CModelPage::settingsTitle() const {
    return tr("Model Settings");
}

int CModelPage::model() const {
    return table() ? table()->instance : 0;
}

void CModelPage::addOwnControls(QBoxLayout* groups) {
    loadModel_ = new QPushButton(tr("Load Model"), this);
    connect(loadModel_, &QPushButton::clicked, this,
            [this] { requestModelLoad(scene(), model()); });
    addSetting(loadModel_);

    auto* unitsGroup = new QGroupBox(tr("Model Units"), this);
    auto* grid = new QGridLayout(unitsGroup);
    auto* buttons = new QButtonGroup(this);
    const char* captions[7] = {"-1000", "-100", "-10", "0", "+10", "+100", "+1000"};
    for (int units = 0; units < 7; ++units) {
        auto* button = new QRadioButton(QString::fromLatin1(captions[units]), unitsGroup);
        units_[size_t(units)] = button;
        buttons->addButton(button, units);
        // Smaller units down the left, larger down the right, "0" across the bottom.
        if (units < 3)
            grid->addWidget(button, units, 0);
        else if (units > 3)
            grid->addWidget(button, units - 4, 1);
        else
            grid->addWidget(button, 3, 0, 1, 2);
        connect(button, &QRadioButton::clicked, this,
                [this, units] { setModelUnits(scene(), model(), units); });
    }
    grid->setRowStretch(4, 1);
    groups->addWidget(unitsGroup);
}

void CModelPage::showOwnValues() {
    const int units = scene().modelUnits[model()];
    if (units >= 0 && units < 7 && units_[size_t(units)]) units_[size_t(units)]->setChecked(true);
}
