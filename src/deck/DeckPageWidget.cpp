// What every page of the Control Deck shares.
#include "deck/DeckPageWidget.h"

#include "export/ui/ExportSettingsDialog.h"
#include "scene/CZoetraView.h"

#include <QPushButton>

namespace {
constexpr const char* kCaptions[kDeckPageCount] = {
    "Keyframe Controls", "Text",          "Star Controls",    "Particle Controls",
    "Tunnel Controls",   "Tile Controls", "Blur Control",     "3DS Model",
    "Model 2",           "Model 3",       "Picture Controls",
};
} // namespace

QString DeckPageWidget::pageCaption(DeckPage page) {
    const int index = pageIndex(page);
    return index >= 0 && index < kDeckPageCount ? QString::fromLatin1(kCaptions[index]) : QString();
}

DeckPageWidget::DeckPageWidget(DeckPage page, CZoetraView& v, const DeckServices& services,
                               QWidget* parent)
    : QWidget(parent), page_(page), view_(v), services_(services) {}

void DeckPageWidget::ensureCreated() {
    if (created_) return;
    created_ = true;
    view_.pageCreated[pageIndex(page_)] = true;
    createContents();
    // Widgets made while the page is already on screen appear at once, not an event later;
    // those the page hides stay hidden.
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (!child->testAttribute(Qt::WA_WState_ExplicitShowHide)) child->show();
}

void DeckPageWidget::setDeckVisible(bool visible) const {
    if (view_.deckOpen) view_.deckUi().setVisible(visible);
}

void DeckPageWidget::openExportSettingsFromPage() {
    setDeckVisible(false);
    openExportSettings(view_, services_.dialogParent);
    // The dialog shows the deck again itself; a call while it was already open did nothing.
    setDeckVisible(true);
}

QPushButton* DeckPageWidget::makeButton(const QStringList& captions, QWidget* parent) {
    auto* button = new QPushButton(parent);
    int width = 0;
    for (const QString& caption : captions) {
        button->setText(caption);
        width = std::max(width, button->sizeHint().width());
    }
    button->setText(captions.value(0));
    button->setMinimumWidth(width);
    return button;
}
