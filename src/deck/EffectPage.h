// The generic effect page of the Control Deck, drawn entirely from its layer's control table: the
// combo box of entries, three sliders and three edits kept in step with each other and with the
// scene, the toggles, the pickers, Reset and the common buttons. A page whose layer has no table
// shows its caption and the common buttons only. Pages with controls of their own add them
// through the hooks below.
#pragma once

#include "deck/DeckPageWidget.h"

#include <QList>
#include <array>

struct ControlEntry;
struct ControlPage;
class QAbstractButton;
class QBoxLayout;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLayout;
class QLineEdit;
class QSlider;

class CEffectPage : public DeckPageWidget {
    Q_OBJECT
  public:
    CEffectPage(DeckPage page, CZoetraView& v, const DeckServices& services,
                QWidget* parent = nullptr);

    // The page's table; null while its layer has none.
    const ControlPage* table() const { return table_; }

    void activate() override;
    void showValues() override;

    // The controls (null or empty before the page is created, or without a table).
    QComboBox* entryCombo() const { return combo_; }
    QSlider* slider(int n) const { return sliders_[size_t(n)]; }
    QLineEdit* edit(int n) const { return edits_[size_t(n)]; }
    // One widget per toggle of the table, in its order (push buttons and check boxes).
    const QList<QAbstractButton*>& toggleButtons() const { return toggles_; }
    const QList<QPushButton*>& pickerButtons() const { return pickers_; }
    QPushButton* resetButton() const { return reset_; }
    QPushButton* movieSettingsButton() const { return movieSettings_; }
    QPushButton* exportVideoButton() const { return exportVideo_; }
    QPushButton* keyFrameEditorButton() const { return keyFrameEditor_; }

  protected:
    void createContents() override;

    // Hooks for a page's own controls. addOwnControls runs while the page's window is made, after
    // the table's toggles and pickers exist and before its layer is switched on; `groups` is the
    // row beside the box of the layer's buttons, for group boxes of the page's own (widgets for
    // that box go in with addSetting).
    virtual void addOwnControls(QBoxLayout* groups) { (void)groups; }
    // Where the table's toggle or picker `index` goes: null for the box of the layer's buttons,
    // else a layout of the page's own (made on demand; its group goes into the row in
    // addOwnControls).
    virtual QLayout* toggleHome(int index) {
        (void)index;
        return nullptr;
    }
    virtual QLayout* pickerHome(int index) {
        (void)index;
        return nullptr;
    }
    // The page's own controls show the scene again (after Reset, a drag, activation).
    virtual void showOwnValues() {}
    // Reset has restored the table's defaults: the page's own controls follow.
    virtual void resetOwnControls() {}
    // Titles of the two group boxes.
    virtual QString controlsTitle() const;
    virtual QString settingsTitle() const;

    // Adds a widget to the box of the layer's buttons, after the table's toggles and pickers
    // (Reset comes last).
    void addSetting(QWidget* widget);
    // The selected entry, or null (no table, or an entry that selects nothing).
    const ControlEntry* selectedEntry() const;
    int selectedIndex() const;
    // Shows the selected entry as choosing it does: which controls are enabled, the slider
    // ranges, the values (a page whose values moved elsewhere, such as another quad, calls it).
    void showEntry();

  private:
    void buildTableControls(QBoxLayout* top);
    QBoxLayout* buildCommonButtons();
    void choose(int index);
    void sliderChanged(int n, int position);
    void editTyped(int n, const QString& text);
    void editFinished(int n);
    void showEdit(int n);
    void toggleClicked(int index);
    void pickerClicked(int index);
    void resetClicked();
    void refreshToggles();
    void runChange(const ControlEntry& entry);

    const ControlPage* table_ = nullptr;
    QComboBox* combo_ = nullptr;
    std::array<QSlider*, 3> sliders_{};
    std::array<QLineEdit*, 3> edits_{};
    QList<QAbstractButton*> toggles_;
    QList<bool> toggleClicked_; // whether each toggle was clicked since the page opened
    QList<QPushButton*> pickers_;
    QPushButton* reset_ = nullptr;
    QPushButton* movieSettings_ = nullptr;
    QPushButton* exportVideo_ = nullptr;
    QPushButton* keyFrameEditor_ = nullptr;
    QGroupBox* settingsGroup_ = nullptr;
    QGridLayout* settingsLayout_ = nullptr;
    int settingsCount_ = 0;
    bool updating_ = false; // the page itself is moving its controls
};
