// Start-up loads of the default textures, models, sprites and pictures.
#pragma once

class CZoetraView;

void uploadBuiltInTextTexture(CZoetraView& v);
void loadDefaultTextures(CZoetraView& v);
void loadDefaultModelsAndSprites(CZoetraView& v);
void loadDefaultPictures(CZoetraView& v);
// "New": "Textures/Gold.jpg" into both text texture slots, with the current path mode.
void loadDefaultTextTextures(CZoetraView& v);
// "New": picture 2 from "Images/video-girl.jpg".
void loadDefaultPicture2(CZoetraView& v);
