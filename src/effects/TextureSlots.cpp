// Texture slots of the view filled from picture files.
#include "effects/TextureSlots.h"

#include "assets/TextureLoaders.h"
#include "effects/Effects.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstring>

namespace {
bool loadInto(CZoetraView& v, const char* path, PathRule rule, TextureUpload upload,
              unsigned& slot) {
    const unsigned name = uploadPictureFile(resolveLoaderPath(path, rule, v.assetPathMode), upload);
    if (name == 0) return false;
    replaceTextureName(v, slot, name);
    return true;
}
} // namespace

void replaceTextureName(CZoetraView& v, unsigned& slot, unsigned fresh) {
    const unsigned old = slot;
    slot = fresh;
    if (old == 0 || old == fresh) return;
    for (const unsigned* other : allTextureSlots(v))
        if (other != &slot && *other == old) return;
    glDeleteTextures(1, &old);
}

bool loadKeyedTexture(CZoetraView& v, const char* path, unsigned& slot) {
    return loadInto(v, path, PathRule::A, TextureUpload::Keyed, slot);
}

bool loadMipmappedTexture(CZoetraView& v, const char* path, unsigned& slot) {
    return loadInto(v, path, PathRule::A, TextureUpload::Mipmapped, slot);
}

bool loadMipmappedTextureDirect(CZoetraView& v, const char* path, unsigned& slot) {
    return loadInto(v, path, PathRule::C, TextureUpload::Mipmapped, slot);
}

const char* takeUserPath(CZoetraView& v, const QString& path) {
    const QByteArray bytes = path.toLocal8Bit();
    const size_t n = std::min<size_t>(size_t(bytes.size()), kAssetPathSize - 1);
    std::memcpy(v.assetPath, bytes.constData(), n);
    v.assetPath[n] = 0;
    v.assetPathMode = 2;
    return v.assetPath;
}
