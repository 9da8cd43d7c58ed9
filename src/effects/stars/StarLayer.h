// Star spiral: the star table and its drawing.
#pragma once

class CZoetraView;

// Start-up: star i of the first `starNumber` (at most 300) at distance i / 300 x 5, angle 0, and a
// colour of three random bytes (red, green, blue drawn in that order). The others stay black at
// distance 0.
void buildStarTable(CZoetraView& v);
// Star i's angle about the spiral's axis from the star block; the drawing sets it after drawing
// the star, so each star is drawn with the angle of the frame before.
void updateStarAngle(CZoetraView& v, int i);

// The stars slot of both composers.
void drawStars(CZoetraView& v);
// The stars again for a blur capture: every star in its own colour at full alpha, unspun.
void drawStarsBlurSource(CZoetraView& v);
