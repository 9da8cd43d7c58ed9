// Generic texture uploads: a picture file decoded into a new GL texture, blank render targets,
// and the largest texture edge. They know nothing of the scene; the effects put the names they
// return into their texture slots. They run with a GL context current.
#pragma once

#include <QString>

// How a decoded picture becomes a texture.
enum class TextureUpload {
    Keyed,     // black (0, 0, 0) transparent; RGBA, linear filters, no mipmaps
    Mipmapped, // three components (alpha dropped), mipmapped
    Picture,   // opaque RGBA, linear filters, no mipmaps
};

// The size a picture file reports, in 0.01 mm.
struct PictureSize {
    int width = 0, height = 0;
};

// Decodes the file at `fullPath` and uploads it as a new texture; returns its name, or 0 when
// the file cannot be read or decoded (nothing is left bound to a half-made texture then).
// `natural`, when given, receives the picture's natural size.
unsigned uploadPictureFile(const QString& fullPath, TextureUpload upload,
                           PictureSize* natural = nullptr);

// The full path of a stored or chosen path under the loaders' three rules: A (keyed and
// mipmapped: "http://" and, with path mode 2, every path as written, else under the working
// folder), B (pictures: under the working folder unless path mode is 2) and C (as written).
enum class PathRule { A, B, C };
QString resolveLoaderPath(const char* path, PathRule rule, int assetPathMode);

// A new 512 x 512 RGBA texture of zeros with linear filters; returns its name.
unsigned createBlankTexture512();
// A new size x size texture of zeros with `components` and `format`, its name into names[index].
void createBlankTexture(unsigned* names, int size, int components, unsigned format, int index);

// The largest texture edge the context allows.
int maxTextureSize();
