// What the Control Deck needs from the window that opens it: the view's GL context for the page
// handlers that touch GL, the main window's Export Video command, and a parent for its dialogs.
#pragma once

#include "export/ExportRun.h"

#include <functional>

class QWidget;

struct DeckServices {
    // Runs work with the view's GL context current (loads, glyph rebuilds, clears).
    ViewContextRunner inViewContext;
    // The main window's Export Video command.
    std::function<void()> exportVideo;
    // Loads the stored sequence at `index` as the window's document (asking first about unsaved
    // changes); false when it was not loaded. Unset: the page loads it itself.
    std::function<bool(int index)> openStoredSequence;
    // The window the settings dialog belongs to (may be null).
    QWidget* dialogParent = nullptr;

    void inView(const std::function<void()>& work) const {
        if (inViewContext)
            inViewContext(work);
        else
            work();
    }
};
