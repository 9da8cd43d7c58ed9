// Mouse control of the scene's parameters: a drag in the view edits the triple the deck selects,
// the left button X and Y, the right button Z. Events come in view pixels; no widgets here.
#pragma once

#include <Qt>

class CZoetraView;

// A button went down at (x, y): the drag starts there.
void mousePress(CZoetraView& v, Qt::MouseButton button, int x, int y);
// The pointer moved to (x, y): while a drag is in progress, the targeted values move by half the
// pointer movement. Holding Control only moves the anchor.
void mouseMove(CZoetraView& v, int x, int y, Qt::KeyboardModifiers modifiers);
// A button came up: the drag ends.
void mouseRelease(CZoetraView& v, Qt::MouseButton button);
