// What a 3DS model, a TGA image or a picture file holds, for `lumatoy info`, without a display.
// Each prints the description to `out` (one JSON object with `json`) and returns 0; a file the
// loaders refuse prints their message to `err` and returns 1.
#pragma once

#include <QString>

#include <cstdio>

int describe3ds(const QString& path, bool json, std::FILE* out, std::FILE* err);
int describeTga(const QString& path, bool json, std::FILE* out, std::FILE* err);
int describePicture(const QString& path, bool json, std::FILE* out, std::FILE* err);

// Whether the first bytes of a file are those of a 3DS model (its main chunk, 0x4D4D) or of a
// TGA image the reader accepts (the uncompressed true-colour or the 256-colour mapped header).
bool looks3ds(const QByteArray& head);
bool looksTga(const QByteArray& head);
