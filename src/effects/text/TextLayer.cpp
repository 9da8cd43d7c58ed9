// Extruded 3D text: display lists and the text slot.
#include "effects/text/TextLayer.h"

#include "scene/CZoetraView.h"

void buildTextLists(CZoetraView&) {}
void drawTextSlot(CZoetraView&) {}
