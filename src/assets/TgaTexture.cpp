// Upload of a prepared TGA sprite, with or without mipmaps.
#include "assets/TgaTexture.h"

#include <GL/gl.h>
#include <GL/glu.h>

bool TgaTexture::load(const char* colour, const char* alpha, bool buildMipmaps) {
    TgaPixels pixels;
    lastError.clear();
    if (!prepareTgaPixels(colour, alpha, pixels, lastError)) return false;
    format = pixels.format == TgaFormat::Rgba    ? GL_RGBA
             : pixels.format == TgaFormat::Alpha ? GL_ALPHA
                                                 : GL_RGB;
    width = pixels.width;
    height = pixels.height;
    glGenTextures(1, &textureName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1); // rows of 3- and 1-byte pixels are not padded
    if (buildMipmaps) {
        if (gluBuild2DMipmaps(GL_TEXTURE_2D, pixels.components, width, height, format,
                              GL_UNSIGNED_BYTE, pixels.pixels.data()) != 0) {
            glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
            return false;
        }
    } else {
        glTexImage2D(GL_TEXTURE_2D, 0, pixels.components, width, height, 0, format,
                     GL_UNSIGNED_BYTE, pixels.pixels.data());
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    colourFile = colour ? std::optional<std::string>(colour) : std::nullopt;
    alphaFile = alpha ? std::optional<std::string>(alpha) : std::nullopt;
    return true;
}

void TgaTexture::bind() const {
    glBindTexture(GL_TEXTURE_2D, textureName);
}
