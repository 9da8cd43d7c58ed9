// User-initiated asset loads through assetPath, and the particle sprite and model texture loads.
#include "assets/UserAssetLoads.h"

#include "assets/TextureLoaders.h"
#include "assets/TgaTexture.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>

#include <cstring>

namespace {
void copyToAssetPath(CZoetraView& v, const QString& path) {
    const QByteArray bytes = path.toLocal8Bit();
    const size_t n = std::min<size_t>(size_t(bytes.size()), kAssetPathSize - 1);
    std::memcpy(v.assetPath, bytes.constData(), n);
    v.assetPath[n] = 0;
}
} // namespace

bool loadParticleSprite(CZoetraView& v, const char* path) {
    TgaTexture texture;
    if (!texture.load(path, nullptr, true)) return false;
    ParticleSystem& ps = v.particleSystem;
    if (ps.texture != 0 && ps.texture != texture.textureName) glDeleteTextures(1, &ps.texture);
    ps.texture = texture.textureName;
    texture.bind();
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    ps.textured = 1;
    return true;
}

bool loadModelTexture(CZoetraView& v, int index, const char* path) {
    unsigned& slot = v.modelTextureSlot(index);
    return v.modelHollow[index] >= 2 ? loadKeyedTexture(v, path, slot)
                                     : loadMipmappedTexture(v, path, slot);
}

bool loadUserAsset(CZoetraView& v, UserAsset asset, const QString& path) {
    copyToAssetPath(v, path);
    v.assetPathMode = 2;
    const char* p = v.assetPath;
    switch (asset) {
    case UserAsset::TextTexture:
        return loadKeyedTexture(v, p, v.textUserTexture);
    case UserAsset::StarTexture:
        return loadMipmappedTextureDirect(v, p, v.starTexture);
    case UserAsset::ParticleTexture:
        return loadParticleSprite(v, p);
    case UserAsset::TunnelTexture:
        return loadKeyedTexture(v, p, v.tunnelTexture);
    case UserAsset::TileTexture1:
        return loadMipmappedTextureDirect(v, p, v.tileTexture1);
    case UserAsset::TileTexture2:
        return loadMipmappedTextureDirect(v, p, v.tileTexture2);
    case UserAsset::ModelTexture1:
        return loadModelTexture(v, 0, p);
    case UserAsset::ModelTexture2:
        return loadModelTexture(v, 1, p);
    case UserAsset::ModelTexture3:
        return loadModelTexture(v, 2, p);
    case UserAsset::Picture:
        return loadPictureTexture(v, v.pictureSelector >= 2 ? 2 : 1, p);
    }
    return false;
}

bool loadUserModel(CZoetraView& v, int index, const QString& path) {
    if (index < 0 || index >= kModelCount) return false;
    v.modelMesh[index].objectCount = 0;
    return v.modelLoader[index].import3ds(v.modelMesh[index], path);
}
