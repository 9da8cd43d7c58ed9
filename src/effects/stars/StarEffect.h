// The star layer as the rest of the program sees it: its keyable values, reset, loads and
// sequence reload.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kStarPage;
extern const EffectDescriptor kStarEffect;

// "Load Texture" of the star page: the chosen file, as given, mipmapped into `starTexture`, and
// `recordedPath` stored for the sequence file. False when the file cannot be loaded.
bool loadUserStarTexture(CZoetraView& v, const QString& path, const std::string& recordedPath);
