// The "Text" page: the generic page of the text table plus the text's own controls: the
// multi-line text, the style and material combos, "Change Font" and "Font Color".
#pragma once

#include "deck/EffectPage.h"

#include <QColor>

class QPlainTextEdit;

class CMyPage1 : public CEffectPage {
    Q_OBJECT
  public:
    CMyPage1(CZoetraView& v, const DeckServices& services, QWidget* parent = nullptr);

    QPlainTextEdit* textEdit() const { return text_; }
    QComboBox* styleCombo() const { return style_; }
    QComboBox* materialCombo() const { return material_; }
    QPushButton* changeFontButton() const { return changeFont_; }
    QPushButton* fontColourButton() const { return fontColour_; }

  protected:
    void addOwnControls(QBoxLayout* groups) override;
    void showOwnValues() override;
    void resetOwnControls() override;
    QString controlsTitle() const override;
    QString settingsTitle() const override;

  private:
    void changeFont();
    void chooseFontColour();

    QPlainTextEdit* text_ = nullptr;
    QComboBox* style_ = nullptr;
    QComboBox* material_ = nullptr;
    QPushButton* changeFont_ = nullptr;
    QPushButton* fontColour_ = nullptr;
    QColor lastColour_;
    bool showingText_ = false;
};
