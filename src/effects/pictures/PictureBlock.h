// Scene fields of the two pictures: switches, parameter values, the wave grid and the meshes.
#pragma once

#include "scene/Vec3.h"

#include <string>

constexpr int kPictureGrid = 45; // points per side of the wave grid

// The two pictures at start-up.
inline constexpr const char* kPicture1Path = "Images/sleeping-dog.jpg";
inline constexpr const char* kPicture2Path = "Images/video-girl.jpg";

// The values the "Picture Controls" page, the mouse and the keyframes tune; "New" restores them.
struct PictureParams {
    float pictureOn = 0; // "Picture 1 On": the layer switch
    float pictureOnClicks = 0;
    float picture2Off = 0; // >= 2: picture 2 hidden
    float picture2OffClicks = 0;

    Vec3 pictureRotation{0, 0, 0}; // degrees
    Vec3 picturePan{0, 0, 0};      // value / 8
    Vec3 pictureScale{50, 50, 1};  // (x/10, y/10, z)
    Vec3 pictureLight{0, 0, 0};    // light 0 position
    float pictureWavy = -1;        // depth scale -1 - value / 1000
    float pictureSeparation = 0;
    int flagWave = 0;      // wave phase, degrees
    float pictureFade = 0; // cross-fade 0-255
    float pictureLighting = 0;
    float pictureLightingClicks = 0;
    float pictureTransparent1 = 0, pictureTransparent2 = 0; // stored by the sequence file
    float pictureSelector = 0; // <= 1: the next image load goes to picture 1; >= 2: picture 2
};

// Natural size of a picture in 0.01 mm, as the picture loader reports it.
struct NaturalSize {
    int width = 0, height = 0;
};

// One picture's sheet as its natural size makes it: the wave grid is scaled by (width, height)
// = natural size / 1000. A picture without a natural size (none loaded, or a decoder that gave
// none) has no sheet to draw.
struct PictureMesh {
    float width = 0, height = 0;
    bool drawable = false;
};

struct PictureBlock : PictureParams {
    unsigned pictureTexture1 = 0, pictureTexture2 = 0;
    NaturalSize pictureNaturalSize[2]{};      // pictures 1 and 2
    std::string picturePath1 = kPicture1Path; // relative paths for the sequence file
    std::string picturePath2 = kPicture2Path;

    // Point (i, j) at x = i/5 - 4.5, y = j/5 - 4.5, z from the wave.
    Vec3 pictureGrid[kPictureGrid][kPictureGrid]{};
    PictureMesh pictureMesh[2]{};
    float pictureMeshValid[2]{0, 0}; // <= 1: rebuild that mesh at the start of the next frame
    // The alpha each sheet (pictures 1 and 2) is drawn with: the one the fade gave in the frame
    // before, so a change of fade shows one frame later.
    float pictureAlpha[2]{1, 0};
};
