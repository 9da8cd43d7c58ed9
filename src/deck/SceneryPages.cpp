// The tunnel and tile pages and their own controls.
#include "deck/SceneryPages.h"

#include "effects/tiles/TileEffect.h"
#include "effects/tunnel/TunnelEffect.h"
#include "platform/Platform.h"
#include "scene/CZoetraView.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {
// The wall colour as the colour dialog starts from it (the values are 0...1, or 255 unscaled).
int dialogChannel(float value) {
    if (!(value >= 0)) return 0;
    return value <= 1 ? int(std::lround(value * 255)) : 255;
}
} // namespace

CmyPage5::CmyPage5(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(DeckPage::Tunnel, v, services, parent) {}

void CmyPage5::addOwnControls(QBoxLayout*) {
    const CZoetraView& v = scene();
    lastColour_ = QColor(dialogChannel(v.tunnelRed), dialogChannel(v.tunnelGreen),
                         dialogChannel(v.tunnelBlue));
    changeColour_ = new QPushButton(tr("Change Color"), this);
    connect(changeColour_, &QPushButton::clicked, this, [this] { changeColour(); });
    addSetting(changeColour_);
}

void CmyPage5::changeColour() {
    setDeckVisible(false);
    if (const std::optional<QColor> chosen = platform().chooseColour(lastColour_);
        chosen && chosen->isValid()) {
        lastColour_ = *chosen;
        setTunnelColour(scene(), chosen->red(), chosen->green(), chosen->blue());
    }
    setDeckVisible(true);
}

CmyPage6::CmyPage6(CZoetraView& v, const DeckServices& services, QWidget* parent)
    : CEffectPage(DeckPage::Tiles, v, services, parent) {}

QLayout* CmyPage6::quadLayout(int quad) {
    if (!layouts_[size_t(quad)]) {
        auto* group = new QGroupBox(quad == 0 ? tr("First Quad") : tr("Second Quad"), this);
        auto* layout = new QVBoxLayout(group);
        quads_[size_t(quad)] = new QRadioButton(quad == 0 ? tr("Quad 1") : tr("Quad 2"), group);
        layout->addWidget(quads_[size_t(quad)]);
        groups_[size_t(quad)] = group;
        layouts_[size_t(quad)] = layout;
    }
    return layouts_[size_t(quad)];
}

QLayout* CmyPage6::toggleHome(int index) {
    switch (index) {
    case kTileToggleTransparent1:
    case kTileToggleVisible1:
        return quadLayout(0);
    case kTileToggleTransparent2:
    case kTileToggleVisible2:
        return quadLayout(1);
    default:
        return nullptr;
    }
}

QLayout* CmyPage6::pickerHome(int index) {
    return index == 0 || index == 1 ? quadLayout(index) : nullptr;
}

void CmyPage6::addOwnControls(QBoxLayout* groups) {
    auto* radios = new QButtonGroup(this);
    for (int quad = 0; quad < 2; ++quad) {
        quadLayout(quad);
        layouts_[size_t(quad)]->addStretch(1);
        radios->addButton(quads_[size_t(quad)], quad);
        groups->addWidget(groups_[size_t(quad)]);
        connect(quads_[size_t(quad)], &QRadioButton::clicked, this,
                [this, quad] { chooseQuad(quad); });
    }
    showOwnValues();
}

void CmyPage6::chooseQuad(int quad) {
    selectTileQuad(scene(), quad);
    // The other quad's values, with the entry's ranges and controls.
    showEntry();
}

void CmyPage6::showOwnValues() {
    const int quad = tileQuadSelected(scene());
    if (quads_[size_t(quad)]) quads_[size_t(quad)]->setChecked(true);
}

void CmyPage6::resetOwnControls() {
    showOwnValues();
}
