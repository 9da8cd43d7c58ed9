// The Control Deck sheet.
#include "deck/CMySheet.h"

#include "deck/DeckPages.h"
#include "deck/KeyframePage.h"
#include "deck/TextPage.h"
#include "scene/CZoetraView.h"

#include <QCloseEvent>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>
#include <iterator>

// The deck as the core sees it: each call goes to the page it concerns, when that page exists.
class CMySheet::Bridge final : public DeckUi {
  public:
    explicit Bridge(CMySheet& sheet) : sheet_(sheet) {}

    void setVisible(bool visible) override {
        sheet_.setVisible(visible);
        if (visible) sheet_.raise();
    }
    void close() override { sheet_.close(); }
    void showValues(DeckPage page) override {
        DeckPageWidget* widget = sheet_.page(page);
        if (widget && widget->isCreated()) widget->showValues();
    }
    void setFrameSlider(int frame) override {
        if (CmyPage10* p = keyframes()) p->setFrameSlider(frame);
    }
    int frameSlider() const override {
        const CmyPage10* p = keyframes();
        return p ? p->frameSliderPosition() : 0;
    }
    void showFrame(int frame) override {
        if (CmyPage10* p = keyframes()) p->showFrame(frame);
    }
    void addKeyTick(int frame, int keyCount) override {
        if (CmyPage10* p = keyframes()) p->addKeyTick(frame, keyCount);
    }
    void clearKeyTicks() override {
        if (CmyPage10* p = keyframes()) p->clearKeyTicks();
    }
    void sequenceLoaded(int lastKeyFrame) override {
        if (CmyPage10* p = keyframes()) p->sequenceLoaded(lastKeyFrame);
    }
    void showFrameRate(const QString& text) override {
        if (CmyPage10* p = keyframes()) p->showFrameRate(text);
    }

  private:
    CmyPage10* keyframes() const {
        CmyPage10* p = sheet_.keyframePage();
        return p && p->isCreated() ? p : nullptr;
    }
    CMySheet& sheet_;
};

CMySheet::CMySheet(CZoetraView& v, const DeckServices& services)
    : QWidget(nullptr, Qt::Tool | Qt::WindowStaysOnTopHint), view_(v),
      bridge_(std::make_unique<Bridge>(*this)) {
    setAttribute(Qt::WA_DeleteOnClose);
    // The program ends with its main window, whether or not the deck is open.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(QStringLiteral("Lumatoy Version 2: Control Deck"));
    setObjectName(QStringLiteral("CMySheet"));

    // The deck replaces whatever state an earlier one left.
    v.forgetDeck();
    v.deckOpen = 1;
    v.deck = bridge_.get();

    tabs_ = new QTabWidget(this);
    // All eleven tabs show side by side where the screen has room; on a smaller one the tab bar
    // scrolls.
    pages_ = {new CmyPage10(v, services), new CMyPage1(v, services), new CMyPage2(v, services),
              new CmyPage3(v, services),  new CmyPage5(v, services), new CmyPage6(v, services),
              new CmyPage7(v, services),  new CmyPage8(v, services), new CMyPage12(v, services),
              new CMyPage13(v, services), new CmyPage9(v, services)};
    // Pages that add nothing to their table share the generic page's class: each carries its own
    // class name as its object name.
    static constexpr const char* kPageClassNames[] = {
        "CmyPage10", "CMyPage1", "CMyPage2",  "CmyPage3",  "CmyPage5", "CmyPage6",
        "CmyPage7",  "CmyPage8", "CMyPage12", "CMyPage13", "CmyPage9"};
    static_assert(std::size(kPageClassNames) == kDeckPageCount);
    for (size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->setObjectName(QString::fromLatin1(kPageClassNames[i]));
        tabs_->addTab(pages_[i], DeckPageWidget::pageCaption(pages_[i]->deckPage()));
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(tabs_);

    // The first page's window is made at once; the others when their tab is first shown.
    tabs_->setCurrentIndex(0);
    tabShown(0);
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) { tabShown(index); });
}

CMySheet::~CMySheet() {
    forgetScene();
}

CmyPage10* CMySheet::keyframePage() const {
    return static_cast<CmyPage10*>(pages_[size_t(pageIndex(DeckPage::Keyframes))]);
}

CEffectPage* CMySheet::effectPage(DeckPage page) const {
    if (page == DeckPage::Keyframes) return nullptr;
    return static_cast<CEffectPage*>(pages_[size_t(pageIndex(page))]);
}

void CMySheet::showPage(DeckPage page) {
    tabs_->setCurrentIndex(pageIndex(page));
}

void CMySheet::bringForward() {
    show();
    raise();
    activateWindow();
}

void CMySheet::tabShown(int index) {
    if (index < 0 || index >= kDeckPageCount) return;
    DeckPageWidget* p = pages_[size_t(index)];
    const bool fresh = !p->isCreated();
    p->ensureCreated();
    p->activate();
    // A page made just now may need more room than the window has.
    if (fresh && layout()) {
        layout()->activate();
        QSize wanted = size().expandedTo(sizeHint());
        // Room for every tab side by side (the tab widget asks for little once it can scroll).
        const QMargins margins = layout()->contentsMargins();
        wanted.setWidth(std::max(wanted.width(), tabs_->tabBar()->sizeHint().width() +
                                                     margins.left() + margins.right() + 8));
        if (const QScreen* screen = this->screen())
            wanted = wanted.boundedTo(screen->availableGeometry().size());
        resize(wanted);
    }
}

void CMySheet::forgetScene() {
    if (view_.deck != bridge_.get()) return;
    // Closing the deck stops the frame-rate display and lets go of every page; the values stay.
    view_.showFps = 0;
    view_.forgetDeck();
}

void CMySheet::closeEvent(QCloseEvent* event) {
    forgetScene();
    emit closed();
    event->accept();
}
