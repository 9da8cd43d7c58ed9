// The tunnel wall's arithmetic, without GL: the 33 x 33 grid of vertices, the texture
// coordinates of the two mappings, and the switch between the mappings for the next frame.
#pragma once

#include "effects/tunnel/TunnelBlock.h"

// Vertex (i, j) of the wall, i around the tube and j along it (both 0...32): the mouth radius
// (squeeze / 100) shrinks by 1/12 per unit of depth, the arcs span the angle of the ring.
Vec3 tunnelVertexAt(const TunnelParams& t, int i, int j);

// Texture coordinate (i, j) for the phase of the previous frame, by the mapping in force
// (`tunnelTexMode` at least 2: mapping B; else mapping A). A coordinate that comes out infinite
// or NaN (a divisor of 0 after a jump of the rotate value into the other mapping's zero) is 0.
TunnelTexCoord tunnelTexCoordAt(const TunnelParams& t, float phase, int i, int j);

// The mapping the next frame uses: B (2) from a rotate of -30 down, A (0) from -29.9 up; in
// between the mapping in force stays.
float nextTunnelTexMode(float rotate, float mode);

// One frame of the wall: the vertices, the texture coordinates with the previous frame's phase,
// then the mapping and the phase for the next frame. False when the wall cannot be drawn this
// frame (a vertex is not finite).
bool buildTunnelFrame(TunnelBlock& t);
