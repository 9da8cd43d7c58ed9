// A texture made from a TGA colour file and/or an 8-bit alpha file (the particle sprite).
#pragma once

#include "assets/TgaImage.h"

#include <QString>

#include <optional>
#include <string>

class TgaTexture {
  public:
    // Either file may be null. On failure returns false and `lastError` holds the formatted
    // "Failed to load Texture (...). Reason: ..." text; nothing is shown to the user.
    bool load(const char* colourFile, const char* alphaFile, bool buildMipmaps);
    // Binds the texture to GL_TEXTURE_2D.
    void bind() const;

    unsigned format = 0; // GL_RGB, GL_RGBA or GL_ALPHA
    std::optional<std::string> colourFile, alphaFile;
    int width = 0, height = 0;
    unsigned textureName = 0;
    QString lastError;
};
