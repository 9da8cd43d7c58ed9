// Star spiral: the star table and its drawing.
#include "effects/stars/StarLayer.h"

#include "scene/CZoetraView.h"

void buildStarTable(CZoetraView&) {}
void drawStars(CZoetraView&) {}
void drawStarsBlurSource(CZoetraView&) {}
