// Drawing of the three 3DS models.
#include "effects/models/ModelLayer.h"

#include "scene/CZoetraView.h"

void drawModel(CZoetraView&, int) {}
