// The Control Deck: a modeless, always-on-top tool window of eleven tabbed pages, the keyframe
// page and one page per layer group. It stands for the deck the core talks to (DeckUi) and keeps
// the deck's part of the scene (DeckBlock) up to date.
#pragma once

#include "deck/DeckServices.h"
#include "scene/DeckBlock.h"

#include <QWidget>
#include <array>
#include <memory>

class CEffectPage;
class CmyPage10;
class CZoetraView;
class DeckPageWidget;
class QTabWidget;

class CMySheet : public QWidget {
    Q_OBJECT
  public:
    // Creates the sheet and its eleven pages (the keyframe page's window at once) and marks the
    // deck open in the scene. Not shown yet.
    CMySheet(CZoetraView& v, const DeckServices& services);
    ~CMySheet() override;

    QTabWidget* tabs() const { return tabs_; }
    DeckPageWidget* page(DeckPage page) const { return pages_[size_t(pageIndex(page))]; }
    CmyPage10* keyframePage() const;
    CEffectPage* effectPage(DeckPage page) const;
    // Makes a page the active tab, as clicking its tab does.
    void showPage(DeckPage page);
    // A second Control Deck command: the open sheet comes to the front.
    void bringForward();

  signals:
    // The sheet has been closed (by its close button or by "New") and is about to go.
    void closed();

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    class Bridge;
    void tabShown(int index);
    void forgetScene();

    CZoetraView& view_;
    std::unique_ptr<Bridge> bridge_;
    QTabWidget* tabs_ = nullptr;
    std::array<DeckPageWidget*, kDeckPageCount> pages_{};
};
