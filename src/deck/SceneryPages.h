// The "Tunnel Controls" and "Tile Controls" pages: the generic pages of their tables plus their
// own controls ("Change Color" of the tunnel; the "Quad 1" / "Quad 2" radio buttons of the tiles,
// with each quad's boxes and texture picker in a group of its own).
#pragma once

#include "deck/EffectPage.h"

#include <QColor>
#include <array>

class QGroupBox;
class QRadioButton;
class QVBoxLayout;

// "Tunnel Controls"
class CmyPage5 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage5(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);
    QPushButton* changeColourButton() const { return changeColour_; }

  protected:
    void addOwnControls(QBoxLayout* groups) override;

  private:
    void changeColour();

    QPushButton* changeColour_ = nullptr;
    QColor lastColour_;
};

// "Tile Controls"
class CmyPage6 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage6(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);
    // "Quad 1" (0) and "Quad 2" (1).
    QRadioButton* quadButton(int quad) const { return quads_[size_t(quad)]; }

  protected:
    QLayout* toggleHome(int index) override;
    QLayout* pickerHome(int index) override;
    void addOwnControls(QBoxLayout* groups) override;
    void showOwnValues() override;
    void resetOwnControls() override;

  private:
    QLayout* quadLayout(int quad);
    void chooseQuad(int quad);

    std::array<QGroupBox*, 2> groups_{};
    std::array<QVBoxLayout*, 2> layouts_{};
    std::array<QRadioButton*, 2> quads_{};
};
