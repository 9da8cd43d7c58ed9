// Fire: the particle pool and its drawing.
#include "effects/fire/FireLayer.h"

#include "scene/CZoetraView.h"

void buildFirePool(CZoetraView&) {}
void drawFire(CZoetraView&) {}
void drawFireBlurSource(CZoetraView&, bool) {}
