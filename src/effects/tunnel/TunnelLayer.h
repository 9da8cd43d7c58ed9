// Fogged tunnel drawing.
#pragma once

class CZoetraView;

void drawTunnel(CZoetraView& v);
