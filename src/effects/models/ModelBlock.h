// Scene fields of the three model layers. Every field is an array indexed 0, 1, 2 for models
// 1, 2, 3; each model reads only its own entries.
#pragma once

#include "assets/Loader3ds.h"
#include "assets/Model3ds.h"
#include "scene/Vec3.h"

#include <string>

constexpr int kModelCount = 3;

// The model and its texture that every model slot starts with.
inline constexpr const char* kDefaultModelPath = "model/Tardis.3ds";
inline constexpr const char* kDefaultModelTexturePath = "Textures/TardisImages3.jpg";

// Offset added to every texture coordinate of a model, value / 360.
struct TexOffset {
    float s = 0, t = 0;
};

// The values the model pages, the mouse and the keyframes tune; "New" restores them (with the
// positions of models 2 and 3 back on the centre and part of the blur colours kept).
struct ModelParams {
    float modelOn[kModelCount]{0, 0, 0};
    float modelOnClicks[kModelCount]{0, 0, 0};

    Vec3 modelRotation[kModelCount]{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}; // degrees
    // Slider units, scaled by `modelUnits`; models 2 and 3 start left and right of model 1.
    Vec3 modelPosition[kModelCount]{{0, 0, -40}, {8, 0, -40}, {-8, 0, -40}};
    Vec3 modelScale[kModelCount]{{0, 0, 0}, {0, 0, 0}, {0, 0, 0}}; // factor = 1 + value / 100
    Vec3 modelColour[kModelCount]{{255, 255, 255}, {255, 255, 255}, {255, 255, 255}};
    Vec3 modelSpotPosition[kModelCount]{{0, 0, 4000}, {0, 0, 4000}, {0, 0, 4000}};
    float modelFade[kModelCount]{255, 255, 255};
    TexOffset modelTexOffset[kModelCount]{};
    // Radial blur: density, alpha, separation in x, y, z.
    Vec3 modelBlur[kModelCount]{{0, 0.2f, 0}, {0, 0.2f, 0}, {0, 0.2f, 0}};
    Vec3 modelBlurColour[kModelCount]{{0, 0, 50}, {50, 0, 0}, {0, 50, 0}};

    float modelLighting[kModelCount]{2, 2, 2};
    // The "Lighting 1" box starts ticked: its next click is the second of a cycle and unticks it.
    float modelLightingClicks[kModelCount]{1, 1, 1};
    float modelTransparency[kModelCount]{0, 0, 0};
    float modelTransparencyClicks[kModelCount]{0, 0, 0};
    float modelSphereMap[kModelCount]{0, 0, 0};
    float modelSphereMapClicks[kModelCount]{0, 0, 0};
    float modelShiny[kModelCount]{0, 0, 0};
    float modelShinyClicks[kModelCount]{0, 0, 0};
    float modelRadialBlur[kModelCount]{0, 0, 0};
    float modelRadialBlurClicks[kModelCount]{0, 0, 0};
    // Set together with `modelRadialBlur`: asks the blur passes to run for this model.
    float modelBlurPassRequest[kModelCount]{0, 0, 0};
    int modelUnits[kModelCount]{3, 3, 3};         // 0-6: x1/1000 ... x1000; 3 is x1
    float modelLoadRequest[kModelCount]{0, 0, 0}; // >= 2: the next frame opens the model picker
};

struct ModelBlock : ModelParams {
    unsigned modelTexture1 = 0, modelTexture2 = 0, modelTexture3 = 0;

    // The meshes of models 1, 2, 3 and the loader of each slot, alive for the whole run.
    Model3ds modelMesh[kModelCount];
    Loader3ds modelLoader[kModelCount];

    // Asset state, kept by "New" together with the meshes and textures it describes.
    // >= 2: the texture is loaded keyed (black transparent).
    float modelHollow[kModelCount]{0, 0, 0};
    // >= 2 once the picker loaded a model file: a loaded sequence then reloads the mesh.
    float modelLoaded[kModelCount]{0, 0, 0};
    std::string modelPath[kModelCount]{kDefaultModelPath, kDefaultModelPath, kDefaultModelPath};
    std::string modelTexturePath[kModelCount]{kDefaultModelTexturePath, kDefaultModelTexturePath,
                                              kDefaultModelTexturePath};

    // The texture slot of model index 0-2.
    unsigned& modelTextureSlot(int index) {
        return index == 0 ? modelTexture1 : index == 1 ? modelTexture2 : modelTexture3;
    }
};
