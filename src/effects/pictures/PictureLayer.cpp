// Pictures: the ripple grid, the meshes and their drawing.
#include "effects/pictures/PictureLayer.h"

#include "scene/CZoetraView.h"

void buildPictureGrid(CZoetraView&) {}
void rebuildPictureMesh(CZoetraView&, int) {}
void drawPictures(CZoetraView&) {}
void refreshPictureRipple(CZoetraView&) {}
