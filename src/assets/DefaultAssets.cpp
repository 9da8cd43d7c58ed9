// Start-up loads of the default textures, models, sprites and pictures.
#include "assets/DefaultAssets.h"

#include "scene/CZoetraView.h"

void uploadBuiltInTextTexture(CZoetraView&) {}
void loadDefaultTextures(CZoetraView&) {}
void loadDefaultModelsAndSprites(CZoetraView&) {}
void loadDefaultPictures(CZoetraView&) {}
void loadDefaultTextTextures(CZoetraView&) {}
void loadDefaultPicture2(CZoetraView&) {}
