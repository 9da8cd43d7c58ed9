// Uploads of decoded pictures into GL textures and blank render targets.
#include "assets/TextureLoaders.h"

#include "assets/PictureDecoder.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <QDir>

#include <vector>

int maxTextureSize() {
    GLint size = 0;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &size);
    return size > 0 ? size : 1024;
}

QString resolveLoaderPath(const char* path, PathRule rule, int assetPathMode) {
    const QString given = QString::fromLocal8Bit(path);
    switch (rule) {
    case PathRule::A:
        return resolvePathRuleA(given, assetPathMode, QDir::currentPath());
    case PathRule::B:
        return resolvePathRuleB(given, assetPathMode, QDir::currentPath());
    case PathRule::C:
        break;
    }
    return resolvePathRuleC(given);
}

unsigned uploadPictureFile(const QString& fullPath, TextureUpload upload, PictureSize* natural) {
    DecodedPicture picture;
    const PictureAlpha alpha =
        upload == TextureUpload::Keyed ? PictureAlpha::KeyBlack : PictureAlpha::Opaque;
    if (!decodePicture(fullPath, maxTextureSize(), alpha, picture)) return 0;
    if (natural) *natural = {picture.naturalWidth, picture.naturalHeight};

    GLuint name = 0;
    glGenTextures(1, &name);
    glBindTexture(GL_TEXTURE_2D, name);
    if (upload == TextureUpload::Mipmapped) {
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
    return name;
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
