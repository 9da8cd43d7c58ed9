// Drawing of the three 3DS models.
#pragma once

class CZoetraView;

void drawModel(CZoetraView& v, int index);
