// Two tiled quads.
#pragma once

class CZoetraView;

// The tiles slot: quad 1, then quad 2 (which therefore covers quad 1), each unless hidden, each
// 4.2 units on a side with its texture repeated three times across it from right to left and
// top to bottom, shifted by its roll. Both blend additively (GL_SRC_ALPHA, GL_ONE) unless
// opaque; no depth test. Leaves lighting on, texture-coordinate generation on, blending and
// texturing off, the blend function at (GL_SRC_ALPHA, GL_ONE).
void drawTiles(CZoetraView& v);
