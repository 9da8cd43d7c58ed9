// The view's texture loaders: picture files into texture slots, the built-in text texture, and
// blank render targets. They run with the view's GL context current.
#pragma once

class CZoetraView;

// Black (0, 0, 0) becomes transparent; RGBA, linear filters, no mipmaps. Path rule A.
bool loadKeyedTexture(CZoetraView& v, const char* path, unsigned& slot);
// Mipmapped, three components. Path rule A.
bool loadMipmappedTexture(CZoetraView& v, const char* path, unsigned& slot);
// Mipmapped, three components; the path is used as given (rule C).
bool loadMipmappedTextureDirect(CZoetraView& v, const char* path, unsigned& slot);
// Picture 1 or 2: opaque RGBA, linear, no mipmaps; records its natural size. Path rule B.
bool loadPictureTexture(CZoetraView& v, int picture, const char* path);

// A new 512 x 512 RGBA texture of zeros with linear filters; returns its name.
unsigned createBlankTexture512();
// A new size x size texture of zeros with `components` and `format`, its name into names[index].
void createBlankTexture(unsigned* names, int size, int components, unsigned format, int index);

// The largest texture edge the context allows.
int maxTextureSize();
