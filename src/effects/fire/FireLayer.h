// Fire: the particle pool and its drawing.
#pragma once

class CZoetraView;

void buildFirePool(CZoetraView& v);
void drawFire(CZoetraView& v);
// The fire chain again for a blur capture; the radial capture raises a low fire number to 243
// instead of 118.
void drawFireBlurSource(CZoetraView& v, bool radialCapture);
