// The extruded-text layer as the rest of the program sees it: its keyable values, its "Text"
// page, its reset, loads and sequence reloads.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kTextPage;
extern const EffectDescriptor kTextEffect;

// The built-in 64 x 64 texture into the default texture object 0, which every text slot holding
// 0 shows (start-up, before the default files are loaded).
void uploadBuiltInTextTexture(CZoetraView& v);

// "Load Texture" of the Text page: the chosen file keyed into `textUserTexture`, the user's
// texture in force, `recordedPath` stored for the sequence file. False when the file cannot be
// loaded (nothing changes then).
bool loadUserTextTexture(CZoetraView& v, const QString& path, const std::string& recordedPath);
