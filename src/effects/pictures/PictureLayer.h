// Pictures: the ripple grid, the meshes and their drawing.
#pragma once

class CZoetraView;

void buildPictureGrid(CZoetraView& v);
void rebuildPictureMesh(CZoetraView& v, int index);
void drawPictures(CZoetraView& v);
void refreshPictureRipple(CZoetraView& v);
