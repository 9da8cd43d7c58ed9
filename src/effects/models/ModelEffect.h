// The three model layers as the rest of the program sees them: each model's keyable values, the
// reset, loads and sequence reloads, and the loads a model page starts.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const EffectDescriptor kModelEffect;

// The id prefixes of the three models' keyable values ("model2.rotate.x").
inline constexpr const char* kModelKeyPrefixes[] = {"model1", "model2", "model3"};

// Imports the 3DS file into model `index` (0-2): its objects replace the slot's once the file has
// been read; a file that cannot be read leaves the slot's model as it was.
bool importModelMesh(CZoetraView& v, int index, const QString& path);
// The load of start-up and of a sequence: as importModelMesh, except that a file the slot already
// holds, unchanged since (same file, size and modification time), is not read again.
bool reloadModelMesh(CZoetraView& v, int index, const QString& path);

// The texture of model `index` by its hollow switch: keyed (black transparent) at or above 2,
// mipmapped otherwise.
bool loadModelTexture(CZoetraView& v, int index, const char* path);

// "Load Texture" / "Hollow Texture" of a model page (the page sets the hollow switch first): the
// chosen file into the model's slot and `recordedPath` stored for the sequence file.
bool loadUserModelTexture(CZoetraView& v, int index, const QString& path,
                          const std::string& recordedPath);
// The model picker's load: the chosen 3DS file into model `index`, recorded as `recordedPath`
// and marked as chosen, so that a saved sequence reloads it.
bool loadUserModel(CZoetraView& v, int index, const QString& path, const std::string& recordedPath);
