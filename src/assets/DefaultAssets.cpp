// Start-up loads of the default textures, models, sprites and pictures.
#include "assets/DefaultAssets.h"

#include "assets/TextureLoaders.h"
#include "assets/UserAssetLoads.h"
#include "scene/CZoetraView.h"

// uploadBuiltInTextTexture lives with the other uploads in TextureLoaders.cpp.

void loadDefaultTextures(CZoetraView& v) {
    loadMipmappedTexture(v, "Textures/Gold.jpg", v.textUserTexture);
    v.textTexturePath = "Textures/Gold.jpg";
    loadMipmappedTexture(v, "Particles/Star.bmp", v.starTexture);
    loadMipmappedTexture(v, "Particles/Star.bmp", v.starTexture2);
    loadMipmappedTexture(v, "Particles/Fire.bmp", v.fireTexture);
    loadMipmappedTexture(v, "Textures/pollav.jpg", v.tunnelTexture);
    loadMipmappedTexture(v, "Textures/Gold.jpg", v.tileTexture1);
    loadMipmappedTexture(v, "Textures/Gold.jpg", v.tileTexture2);
    for (int i = 0; i < kModelCount; ++i)
        loadMipmappedTexture(v, "Textures/TardisImages3.jpg", v.modelTextureSlot(i));
}

void loadDefaultModelsAndSprites(CZoetraView& v) {
    for (int i = 0; i < kModelCount; ++i) {
        v.modelLoader[i].import3ds(v.modelMesh[i], "model/Tardis.3ds");
        v.modelPath[i] = "model/Tardis.3ds";
        v.modelTexturePath[i] = "Textures/TardisImages3.jpg";
    }
    loadMipmappedTexture(v, "Particles/Envroll.bmp", v.reflectionTexture);
    loadParticleSprite(v, "Particles/particle.tga");
}

void loadDefaultPictures(CZoetraView& v) {
    loadPictureTexture(v, 2, "Images/video-girl.jpg");
    loadPictureTexture(v, 1, "Images/sleeping-dog.jpg");
    v.assetPathMode = 2; // from now on paths are used as given
}

void loadDefaultTextTextures(CZoetraView& v) {
    loadMipmappedTexture(v, "Textures/Gold.jpg", v.textDefaultTexture);
    loadMipmappedTexture(v, "Textures/Gold.jpg", v.textUserTexture);
}

void loadDefaultPicture2(CZoetraView& v) {
    loadPictureTexture(v, 2, "Images/video-girl.jpg");
}
