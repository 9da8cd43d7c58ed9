// Fogged tunnel drawing.
#pragma once

class CZoetraView;

// The tunnel slot: the wall rebuilt from the tunnel block and drawn as 32 x 32 textured quads in
// the wall colour, into the fog, with additive blending (GL_SRC_ALPHA, GL_ONE) and no depth
// test. Leaves lighting on, texture-coordinate generation on, blending, texturing and fog off.
void drawTunnel(CZoetraView& v);
