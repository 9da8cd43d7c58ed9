// The loads a user starts from a page: one operation per asset, each taking the chosen path.
#pragma once

#include <QString>

class CZoetraView;

enum class UserAsset {
    TextTexture,     // keyed, into textUserTexture
    StarTexture,     // mipmapped as given, into starTexture
    ParticleTexture, // the particle sprite (TGA)
    TunnelTexture,   // keyed, into tunnelTexture
    TileTexture1,    // mipmapped as given, into tileTexture1
    TileTexture2,    // mipmapped as given, into tileTexture2
    ModelTexture1,   // by modelHollow of the model: mipmapped (<= 1) or keyed (>= 2)
    ModelTexture2,
    ModelTexture3,
    Picture, // by pictureSelector: picture 1 (<= 1) or picture 2 (>= 2)
};

// Copies the path into assetPath (at most 249 characters), sets assetPathMode to 2 and loads
// from assetPath with the asset's loader. Returns the loader's result.
bool loadUserAsset(CZoetraView& v, UserAsset asset, const QString& path);

// The model picker's load: objectCount of model `index` (0-2) to 0, then the 3DS import.
bool loadUserModel(CZoetraView& v, int index, const QString& path);

// The particle system's sprite load: the TGA as colour file, mipmapped, then bound with linear
// filters; on success the emitter draws textured quads.
bool loadParticleSprite(CZoetraView& v, const char* path);

// The model texture of model `index` (0-2) by its modelHollow switch (sequence reload and user
// load alike).
bool loadModelTexture(CZoetraView& v, int index, const char* path);
