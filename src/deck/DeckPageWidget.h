// What every page of the Control Deck shares: its tab, the view it writes, the creation of its
// window the first time its tab is shown, and the common buttons.
#pragma once

#include "deck/DeckServices.h"
#include "scene/DeckBlock.h"

#include <QWidget>

class CZoetraView;
class QBoxLayout;
class QPushButton;

class DeckPageWidget : public QWidget {
    Q_OBJECT
  public:
    DeckPageWidget(DeckPage page, CZoetraView& v, const DeckServices& services,
                   QWidget* parent = nullptr);

    DeckPage deckPage() const { return page_; }
    // The caption of a page's tab ("Keyframe Controls", "Text", "Star Controls", ...).
    static QString pageCaption(DeckPage page);
    // The page's window exists (its tab has been shown at least once).
    bool isCreated() const { return created_; }
    // Builds the page's window the first time and records it in the scene; later calls do
    // nothing.
    void ensureCreated();
    // The page became the active tab.
    virtual void activate() {}
    // The scene changed values the page shows: show them again.
    virtual void showValues() {}

  protected:
    virtual void createContents() = 0;

    CZoetraView& scene() const { return view_; }
    const DeckServices& services() const { return services_; }
    // Runs work with the view's GL context current.
    void inView(const std::function<void()>& work) const { services_.inView(work); }
    // Hides or shows the open deck (while a dialog of the page is up).
    void setDeckVisible(bool visible) const;

    // The settings button: hides the deck and opens the export settings dialog, which shows it
    // again on Apply and Cancel.
    void openExportSettingsFromPage();
    // A push button whose width fits the longest of `captions`, showing the first.
    static QPushButton* makeButton(const QStringList& captions, QWidget* parent);

  private:
    DeckPage page_;
    CZoetraView& view_;
    DeckServices services_;
    bool created_ = false;
};
