// Particle layer drawing.
#pragma once

class CZoetraView;

void drawParticles(CZoetraView& v);
