// The Control Deck as the core sees it: which pages exist and what each has selected, and the
// small interface through which core code asks the deck to hide, show or refresh itself.
#pragma once

#include <QString>

// The deck's pages in tab order.
enum class DeckPage {
    Keyframes,
    Text,
    Stars,
    Particles,
    Tunnel,
    Tiles,
    Blur,
    Model1,
    Model2,
    Model3,
    Pictures,
};
constexpr int kDeckPageCount = 11;

constexpr int pageIndex(DeckPage page) {
    return static_cast<int>(page);
}

// What the core asks of the Control Deck. The Qt deck implements it; without a deck (the command
// line, most tests) every call does nothing.
class DeckUi {
  public:
    virtual ~DeckUi() = default;

    // Hides the sheet (while frames are read for a file or a dialog is up) or shows it again.
    virtual void setVisible(bool /*visible*/) {}
    // "New": hides the sheet and lets go of every page; the next Control Deck command builds a
    // new one.
    virtual void close() {}
    // The scene changed values that `page` shows (a drag, a load): its sliders and edits show
    // the selected entry's values again.
    virtual void showValues(DeckPage /*page*/) {}

    // Keyframe Controls: the Frame slider's position (redrawn) and the "Frame:" edit.
    virtual void setFrameSlider(int /*frame*/) {}
    virtual int frameSlider() const { return 0; }
    virtual void showFrame(int /*frame*/) {}
    // A tick on the Frame slider for a new key, then "Keys:" = the number of keys.
    virtual void addKeyTick(int /*frame*/, int /*keyCount*/) {}
    // Clear All: no ticks, "Keys:" 0, slider at 0, "Frame:" 0.
    virtual void clearKeyTicks() {}
    // After a sequence is loaded: slider and "Frame:" at 0, slider range and "Number of Frames
    // In Timeline" = lastKeyFrame, the spin reset, the ticks of all keys redrawn.
    virtual void sequenceLoaded(int /*lastKeyFrame*/) {}
    // The measured frame rate, as the keyframe page shows it ("28 Fps").
    virtual void showFrameRate(const QString& /*text*/) {}
};

// The deck's part of the scene record: plain state the deck keeps up to date, so that the
// renderer and the mouse handler can read "the entry selected on a page" without a widget.
struct DeckBlock {
    int deckOpen = 0; // 1 while the deck exists
    // Whether each page's window has been created (it is, the first time its tab is shown).
    bool pageCreated[kDeckPageCount]{};
    // The combo entry each page has selected; -1 while the page does not exist or selects
    // nothing.
    int selectedEntry[kDeckPageCount]{-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    // The Text page's style and material combos (-1 while the page does not exist).
    int textStyleEntry = -1;
    int textMaterialEntry = -1;

    // The deck while it exists (not owned); null without one.
    DeckUi* deck = nullptr;

    bool pageExists(DeckPage page) const { return pageCreated[pageIndex(page)]; }
    // The entry selected on `page`, or -1 while the page does not exist.
    int pageEntry(DeckPage page) const {
        return pageExists(page) ? selectedEntry[pageIndex(page)] : -1;
    }
    // The deck to talk to: the real one, or one that does nothing.
    DeckUi& deckUi() const {
        static DeckUi none;
        return deck ? *deck : none;
    }
    // Forgets the deck and every page ("New", closing the sheet).
    void forgetDeck() {
        deckOpen = 0;
        deck = nullptr;
        for (int p = 0; p < kDeckPageCount; ++p) {
            pageCreated[p] = false;
            selectedEntry[p] = -1;
        }
        textStyleEntry = textMaterialEntry = -1;
    }
};
