// Fogged tunnel drawing.
#include "effects/tunnel/TunnelLayer.h"

#include "scene/CZoetraView.h"

void drawTunnel(CZoetraView&) {}
