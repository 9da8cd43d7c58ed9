// Fire: the particle pool and its drawing.
#pragma once

class CZoetraView;

void buildFirePool(CZoetraView& v);
void drawFire(CZoetraView& v);
