// The picture layer as the rest of the program sees it: its keyable values, its "Picture
// Controls" page, reset, loads and sequence reload, and the picture loads.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kPicturePage;
extern const EffectDescriptor kPictureEffect;

// Picture 1 or 2 from a file: opaque RGBA, linear filters, no mipmaps, path rule B; records the
// picture's natural size and has its mesh rebuilt by the next frame. False when the file cannot
// be loaded (the picture stays as it was).
bool loadPictureTexture(CZoetraView& v, int picture, const char* path);

// "Load Picture 1" / "Load Picture 2" (the page sets `pictureSelector` first): the chosen file
// into picture 1 (selector at most 1) or 2 (at least 2), `recordedPath` stored for the sequence
// file.
bool loadUserPicture(CZoetraView& v, const QString& path, const std::string& recordedPath);
