// Star spiral: the star table and its drawing.
#pragma once

class CZoetraView;

void buildStarTable(CZoetraView& v);
void drawStars(CZoetraView& v);
