// The "Particle Controls" page: the generic page of the particle table plus the "Number of
// Particles" edit, which rebuilds the emitter with the typed number of slots.
#pragma once

#include "deck/EffectPage.h"

class QLineEdit;

// "Particle Controls"
class CmyPage3 : public CEffectPage {
    Q_OBJECT
  public:
    CmyPage3(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);
    QLineEdit* countEdit() const { return count_; }

  protected:
    void addOwnControls(QBoxLayout* groups) override;
    void showOwnValues() override;
    void resetOwnControls() override;

  private:
    void countTyped(const QString& text);
    void showCount();

    QLineEdit* count_ = nullptr;
};
