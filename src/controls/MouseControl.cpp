// Mouse control of the scene's parameters: the drag state, and the changes the control pages'
// drag rules make.
#include "controls/MouseControl.h"

#include "effects/Effects.h"
#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

void applyRule(CZoetraView& view, const ControlPage& page, const ControlEntry& entry,
               const DragRule& rule, float h, float v) {
    const float f = rule.factor;
    auto add = [&](int n, float delta) {
        if (const ValueHandle value = controlValue(view, page, entry.values[n]))
            value.set(value.get() + delta);
    };
    switch (rule.move) {
    case DragMove::None:
        return;
    case DragMove::TurnXY:
        add(0, v * f);
        add(1, h * f);
        return;
    case DragMove::PanXY:
        add(0, h * f);
        add(1, -v * f);
        return;
    case DragMove::AlongZ:
        add(2, (h + v) * f);
        return;
    }
}

// Applies the drag rules of every page whose gate holds to the entry that page has selected
// (or, for a page that drags without existing, to its stand-in entry); h and v are the
// half-movements across and down the view.
void drag(CZoetraView& view, bool right, float h, float v) {
    for (const ControlPage* page : allControlPages()) {
        const auto gate = right ? page->rightDragGate : page->leftDragGate;
        if (!gate || !gate(view, page->instance)) continue;
        const bool exists = view.pageExists(page->page);
        const int selected = exists ? view.pageEntry(page->page) : page->entryWithoutPage;
        if (selected < 0 || selected >= int(page->entries.size())) continue;
        const DragRule& rule = right ? page->entries[size_t(selected)].rightDrag
                                     : page->entries[size_t(selected)].leftDrag;
        if (rule.move == DragMove::None) continue;
        const int target = rule.entry >= 0 ? rule.entry : selected;
        if (target >= int(page->entries.size())) continue;
        applyRule(view, *page, page->entries[size_t(target)], rule, h, v);
        // The page shows its selected entry again: values changed outside it show once it is
        // selected.
        if (exists) view.deckUi().showValues(page->page);
    }
}

} // namespace

void mousePress(CZoetraView& v, Qt::MouseButton button, int x, int y) {
    if (button != Qt::LeftButton && button != Qt::RightButton) return;
    if (button == Qt::RightButton) v.rightButtonDown = 1;
    v.dragStepX = 0;
    v.dragStepY = 0;
    v.buttonDown = 1;
    v.dragAnchor = {x, y};
}

void mouseMove(CZoetraView& v, int x, int y, Qt::KeyboardModifiers modifiers) {
    if (!v.buttonDown) return;
    v.dragStepY = static_cast<float>(y - v.dragAnchor.y) / 2;
    v.dragStepX = static_cast<float>(x - v.dragAnchor.x) / 2;
    if (!(modifiers & Qt::ControlModifier)) {
        normaliseTextAngles(v.textRotation);
        if (!v.rightButtonDown) {
            // Upside down, a drag to the right still turns the front of the text to the right.
            const float tilt = v.textRotation.x < 0 ? -v.textRotation.x : v.textRotation.x;
            if (tilt > 90 && tilt < 270) v.dragStepX = -v.dragStepX;
            drag(v, false, v.dragStepX, v.dragStepY);
        } else {
            drag(v, true, v.dragStepX, v.dragStepY);
        }
    }
    v.dragAnchor = {x, y};
}

void mouseRelease(CZoetraView& v, Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        v.buttonDown = 0;
    } else if (button == Qt::RightButton) {
        v.buttonDown = 0;
        v.rightButtonDown = 0;
    }
}
