// The scene's texture loaders: a picture file into a texture slot of the view, by the loader
// variant and path rule each caller picks, and the copy of a user's chosen path into `assetPath`.
// They run with the view's GL context current; a failed load leaves the slot as it was.
#pragma once

#include <QString>

class CZoetraView;

// Black (0, 0, 0) becomes transparent; RGBA, linear filters, no mipmaps. Path rule A.
bool loadKeyedTexture(CZoetraView& v, const char* path, unsigned& slot);
// Mipmapped, three components. Path rule A.
bool loadMipmappedTexture(CZoetraView& v, const char* path, unsigned& slot);
// Mipmapped, three components; the path is used as given (rule C).
bool loadMipmappedTextureDirect(CZoetraView& v, const char* path, unsigned& slot);

// Puts a freshly made texture name into `slot`; the name the slot held goes once no other slot
// of the scene holds it. The fresh name is made before the old one is freed, so a reload always
// changes the slot's name.
void replaceTextureName(CZoetraView& v, unsigned& slot, unsigned fresh);

// The first step of every load a user starts from a page: the path into `assetPath` (at most 249
// characters, always ending in a NUL) and path mode 2. Returns `assetPath`.
const char* takeUserPath(CZoetraView& v, const QString& path);
