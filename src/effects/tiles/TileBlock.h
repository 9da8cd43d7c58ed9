// Scene fields of the tile layer: the two quads' switches and parameter values.
#pragma once

#include <string>

// The texture of both quads at start-up.
inline constexpr const char* kTileTexturePath = "Textures/Gold.jpg";

// The values the "Tile Controls" page, the mouse and the keyframes tune; "New" restores them.
struct TileParams {
    float tilesOn = 0; // 2 once the page has been opened
    float tilesOnClicks = 0;
    float tileSelected = 2; // 2: the page and the mouse edit quad 1; 4: quad 2
    float tileMouse = 0;    // >= 2: the selected quad follows the mouse while the page exists

    float tileRotateX1 = 0, tileRotateY1 = 0, tileRotateZ1 = 0; // degrees
    float tilePosX1 = 0, tilePosY1 = 0, tilePosZ1 = -200;       // divided by 20
    float tileRollX1 = 0, tileRollY1 = 0;                       // hundredths
    float tileOpaque1 = 0;                                      // >= 2: drawn without blending
    float tileHidden1 = 0;                                      // >= 2: not drawn
    float tileOpaque1Clicks = 0, tileHidden1Clicks = 0;

    float tileRotateX2 = 0, tileRotateY2 = 0, tileRotateZ2 = 0;
    float tilePosX2 = 0, tilePosY2 = 0, tilePosZ2 = -150;
    float tileRollX2 = 0, tileRollY2 = 0;
    float tileOpaque2 = 0;
    float tileHidden2 = 0;
    float tileOpaque2Clicks = 0, tileHidden2Clicks = 0;
};

struct TileBlock : TileParams {
    unsigned tileTexture1 = 0, tileTexture2 = 0;
    std::string tileTextureName1, tileTextureName2; // relative paths for the sequence file
};
