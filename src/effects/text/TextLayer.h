// Extruded 3D text: display lists and the text slot.
#pragma once

class CZoetraView;

void buildTextLists(CZoetraView& v);
void drawTextSlot(CZoetraView& v);
