// The "Blur Control" page and what the three model pages share (DeckPages.h names them): the
// generic pages of their tables plus their own controls (the blur's "Apply Blur to:" group and
// hidden "Change Color"; each model page's "Load Model" and its seven "Model Units" buttons).
#pragma once

#include "deck/EffectPage.h"

#include <array>

class QButtonGroup;
class QGroupBox;
class QRadioButton;
class QVBoxLayout;

// "Blur Control"
class CmyPage7 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage7(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);
    QGroupBox* applyGroup() const { return apply_; }
    QPushButton* changeColourButton() const { return changeColour_; }

  protected:
    QLayout* toggleHome(int index) override;
    void addOwnControls(QBoxLayout* groups) override;

  private:
    QGroupBox* apply_ = nullptr;
    QVBoxLayout* applyLayout_ = nullptr;
    QPushButton* changeColour_ = nullptr;
};

// What the three model pages share.
class CModelPage : public CEffectPage {
    Q_OBJECT
  public:
    CModelPage(DeckPage page, CZoetraView& v, const DeckServices& services,
               QWidget* parent = nullptr);
    QPushButton* loadModelButton() const { return loadModel_; }
    // "-1000", "-100", "-10", "0", "+10", "+100", "+1000": units 0 ... 6.
    QRadioButton* unitsButton(int units) const { return units_[size_t(units)]; }

  protected:
    void addOwnControls(QBoxLayout* groups) override;
    void showOwnValues() override;
    void resetOwnControls() override { showOwnValues(); }
    QString controlsTitle() const override;
    QString settingsTitle() const override;

  private:
    int model() const;

    QPushButton* loadModel_ = nullptr;
    std::array<QRadioButton*, 7> units_{};
};
