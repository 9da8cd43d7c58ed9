// Star spiral: the star table and its drawing.
#pragma once

class CZoetraView;

void buildStarTable(CZoetraView& v);
void drawStars(CZoetraView& v);
// The stars again for a blur capture: every star in its own colour at full alpha, unspun.
void drawStarsBlurSource(CZoetraView& v);
