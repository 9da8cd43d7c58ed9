// Start-up loads of the default textures, models, sprites and pictures.
#pragma once

class CZoetraView;

void uploadBuiltInTextTexture(CZoetraView& v);
void loadDefaultTextures(CZoetraView& v);
void loadDefaultModelsAndSprites(CZoetraView& v);
void loadDefaultPictures(CZoetraView& v);
