// Uploads of decoded pictures into GL textures, blank render targets and the built-in texture.
#include "assets/TextureLoaders.h"

#include "assets/BuiltInTextTexture.h"
#include "assets/DefaultAssets.h"
#include "assets/PictureDecoder.h"
#include "scene/CZoetraView.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QDir>

#include <vector>

namespace {

enum class Upload { Keyed, Mipmapped, Picture };

// Every slot of the view, so that a replaced name is deleted only when no other slot holds it.
std::vector<const unsigned*> allSlots(const CZoetraView& v) {
    return {&v.textUserTexture,   &v.textDefaultTexture,    &v.reflectionTexture,
            &v.starTexture,       &v.starTexture2,          &v.fireTexture,
            &v.tunnelTexture,     &v.tileTexture1,          &v.tileTexture2,
            &v.modelTexture1,     &v.modelTexture2,         &v.modelTexture3,
            &v.pictureTexture1,   &v.pictureTexture2,       &v.radialBlurTexture,
            &v.modelBlurTexture1, &v.modelBlurTexture2,     &v.modelBlurTexture3,
            &v.motionBlurTexture, &v.particleSystem.texture};
}

// Puts a fresh name into the slot; the old texture goes once nothing else refers to it. The
// fresh name is made before the old one is freed, so a reload always changes the slot's name.
void replaceSlotName(CZoetraView& v, unsigned& slot, unsigned fresh) {
    const unsigned old = slot;
    slot = fresh;
    if (old == 0) return;
    for (const unsigned* other : allSlots(v))
        if (other != &slot && *other == old) return;
    glDeleteTextures(1, &old);
}

bool loadInto(CZoetraView& v, const QString& fullPath, unsigned& slot, Upload upload,
              NaturalSize* natural) {
    DecodedPicture picture;
    const PictureAlpha alpha =
        upload == Upload::Keyed ? PictureAlpha::KeyBlack : PictureAlpha::Opaque;
    if (!decodePicture(fullPath, maxTextureSize(), alpha, picture)) return false;
    if (natural) *natural = {picture.naturalWidth, picture.naturalHeight};

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (upload == Upload::Mipmapped) {
        // Three components: the alpha byte is dropped.
        gluBuild2DMipmaps(GL_TEXTURE_2D, 3, picture.width, picture.height, GL_RGBA,
                          GL_UNSIGNED_BYTE, picture.rgba.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
    } else {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, picture.width, picture.height, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, picture.rgba.data());
    }
    replaceSlotName(v, slot, name);
    return true;
}

QString workingFolder() {
    return QDir::currentPath();
}

} // namespace

int maxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size > 0 ? size : 1024;
}

bool loadKeyedTexture(CZoetraView& v, const char* path, unsigned& slot) {
    const QString full =
        resolvePathRuleA(QString::fromLocal8Bit(path), v.assetPathMode, workingFolder());
    return loadInto(v, full, slot, Upload::Keyed, nullptr);
}

bool loadMipmappedTexture(CZoetraView& v, const char* path, unsigned& slot) {
    const QString full =
        resolvePathRuleA(QString::fromLocal8Bit(path), v.assetPathMode, workingFolder());
    return loadInto(v, full, slot, Upload::Mipmapped, nullptr);
}

bool loadMipmappedTextureDirect(CZoetraView& v, const char* path, unsigned& slot) {
    return loadInto(v, resolvePathRuleC(QString::fromLocal8Bit(path)), slot, Upload::Mipmapped,
                    nullptr);
}

bool loadPictureTexture(CZoetraView& v, int picture, const char* path) {
    const QString full =
        resolvePathRuleB(QString::fromLocal8Bit(path), v.assetPathMode, workingFolder());
    const int index = picture >= 2 ? 1 : 0;
    unsigned& slot = index == 0 ? v.pictureTexture1 : v.pictureTexture2;
    return loadInto(v, full, slot, Upload::Picture, &v.pictureNaturalSize[index]);
}

unsigned createBlankTexture512() {
    const std::vector<GLubyte> zeros(size_t(512) * 512 * 4, 0);
    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexImage2D(GL_TEXTURE_2D, 0, 4, 512, 512, 0, GL_RGBA, GL_UNSIGNED_BYTE, zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    return name;
}

void createBlankTexture(unsigned* names, int size, int components, unsigned format, int index) {
    // Four bytes per component: the pixels are handed over as GL_UNSIGNED_INT.
    const std::vector<GLuint> zeros(size_t(size) * size_t(size) * size_t(components), 0);
    glGenTextures(1, &names[index]);
    glBindTexture(GL_TEXTURE_2D, names[index]);
    glTexImage2D(GL_TEXTURE_2D, 0, components, size, size, 0, format, GL_UNSIGNED_INT,
                 zeros.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

void uploadBuiltInTextTexture(CZoetraView& v) {
    const std::vector<uint8_t> bits = builtInTextBitmap(); // 64 x 64, blue-green-red, bottom-up
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glGenTextures(1, &v.textUserTexture);
    // Not bound: the mipmaps go into the texture bound now, at start-up the default object 0,
    // which every slot holding 0 (such as textDefaultTexture) therefore shows.
    gluBuild2DMipmaps(GL_TEXTURE_2D, 3, kBuiltInTextSize, kBuiltInTextSize, GL_BGR,
                      GL_UNSIGNED_BYTE, bits.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_NEAREST);
}
