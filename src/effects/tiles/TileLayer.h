// Two tiled quads.
#pragma once

class CZoetraView;

void drawTiles(CZoetraView& v);
