// Mouse control of the scene's parameters: drag state and the changes each drag makes.
#include "deck/MouseControl.h"

#include "effects/text/TextLayer.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

// The combo entry selected on the Text page, or -1 while the page does not exist.
int textPageEntry(const CZoetraView&) {
    return -1;
}

// Left drag: h and v are the half-movements across and down the view.
void leftDrag(CZoetraView& view, float h, float v) {
    if (isOn(view.mouseTargetText) && textPageEntry(view) < 0) {
        view.textRotation.x += v;
        view.textRotation.y += h;
    }
}

// Right drag: the sum of both half-movements turns or pushes along Z.
void rightDrag(CZoetraView& view, float h, float v) {
    const float s = h + v;
    if (isOn(view.mouseTargetText) && textPageEntry(view) < 0) view.textRotation.z += s / 2;
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
            leftDrag(v, v.dragStepX, v.dragStepY);
        } else {
            rightDrag(v, v.dragStepX, v.dragStepY);
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
