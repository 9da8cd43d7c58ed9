// The tile layer as the rest of the program sees it: the keyable values of each quad, the "Tile
// Controls" page, reset, loads and sequence reload.
#pragma once

#include "effects/EffectDescriptor.h"

#include <QString>
#include <string>

extern const ControlPage kTilePage;
extern const EffectDescriptor kTileEffect;

// "Load Texture" for quad 0 or 1: the chosen file, as given, mipmapped into its slot and
// `recordedPath` stored for the sequence file. False when the file cannot be loaded.
bool loadUserTileTexture(CZoetraView& v, int quad, const QString& path,
                         const std::string& recordedPath);

// The quad the page and the mouse edit: 0 (`tileSelected` 2, quad 1) or 1 (`tileSelected` 4).
int tileQuadSelected(const CZoetraView& v);
// The "Quad 1" / "Quad 2" radio buttons (quad 0 or 1): the page then shows that quad's values.
void selectTileQuad(CZoetraView& v, int quad);

// The tile page's toggles, in the order of its table: the layer button, then the check boxes.
enum TileToggle {
    kTileToggleLayer,
    kTileToggleTransparent1, // quad 1 "Transparent"
    kTileToggleVisible1,     // quad 1 "Visible"
    kTileToggleTransparent2,
    kTileToggleVisible2,
};
