// Two tiled quads.
#include "effects/tiles/TileLayer.h"

#include "scene/CZoetraView.h"

void drawTiles(CZoetraView&) {}
