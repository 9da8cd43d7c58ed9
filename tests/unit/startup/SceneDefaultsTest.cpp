// Start values of every page triple and the values "New" leaves, checked against one table.
#include "scene/CZoetraView.h"
#include "scene/Switch.h"
#include "startup/SceneStart.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using Getter = float* (*)(CZoetraView&);

// What "New" leaves in one value: its start value, the value it had before, or a given value.
struct After {
    enum Kind { Same, Kept, Value } kind;
    float value;
};
constexpr After same{After::Same, 0};
constexpr After kept{After::Kept, 0};
constexpr After to(float value) {
    return {After::Value, value};
}

struct Row {
    const char* page;
    int entry;
    Getter get[3]; // nullptr where the entry has fewer than three values
    float start[3];
    After after[3];
};

#define F(expr) [](CZoetraView& v) -> float* { return &(v.expr); }
#define TRIPLE(field)                                                                              \
    { F(field.x), F(field.y), F(field.z) }
#define SAME                                                                                       \
    { same, same, same }

const std::vector<Row>& pageTable() {
    static const std::vector<Row> rows = {
        {"Text", 0, TRIPLE(textRotation), {0, 0, 0}, SAME},
        {"Text", 1, TRIPLE(textPosition), {0, 0, 0}, SAME},
        {"Text", 2, TRIPLE(fontColour), {255, 255, 255}, SAME},
        {"Text", 3, TRIPLE(backgroundColour), {0, 0, 0}, SAME},
        {"Text", 4, TRIPLE(textTwist), {0, 0, 0}, SAME},
        {"Text", 5, TRIPLE(lineSpacing), {0, -60, 0}, SAME},
        {"Text", 6, TRIPLE(charSpacing), {0, 0, 0}, SAME},
        {"Text", 7, TRIPLE(spotPosition), {0, 0, 4000}, SAME},
        {"Text", 8, TRIPLE(spotColour), {128, 128, 128}, {to(255), to(255), to(255)}},
        {"Text", 9, TRIPLE(textScale), {50, 50, 10}, SAME},
        {"Text", 10, {F(textFade), nullptr, nullptr}, {255, 0, 0}, SAME},

        {"Star Controls", 0, {F(starRotateX), F(starRotateY), F(starRotateZ)}, {90, 0, 0}, SAME},
        {"Star Controls", 1, {F(starPanX), F(starPanY), F(starZoom)}, {0, 0, -35}, SAME},
        {"Star Controls", 2, {F(starDirection), F(starSpacing), F(starSpin)}, {50, 0, 0}, SAME},
        {"Star Controls", 3, {F(starNumber), F(starAlphaFade), nullptr}, {250, 255, 0}, SAME},
        {"Star Controls", 4, {F(starRed), F(starGreen), F(starBlue)}, {255, 111, 40}, SAME},

        {"Particle Controls", 0, TRIPLE(particleRotate), {0, 0, 0}, SAME},
        {"Particle Controls", 1, TRIPLE(particlePosition), {0, 0, 0}, SAME},
        {"Particle Controls",
         2,
         {F(particleGravitySpeedMax), F(particleGravityUpDown), F(particleGravitySpeedMin)},
         {2, 0, 0},
         SAME},
        {"Particle Controls",
         3,
         {F(particleGravityLeftRight), F(particleGravityInOut), F(particleGravitySpeedMin)},
         {0, 0, 0},
         SAME},
        {"Particle Controls", 4, TRIPLE(particleScale), {10, 10, 10}, SAME},
        {"Particle Controls", 5, TRIPLE(particleColour), {122, 100, 135}, SAME},
        {"Particle Controls",
         6,
         {F(particleMaxAge), F(particleMinAge), F(particleSpeed)},
         {50, 25, 25},
         SAME},
        {"Particle Controls", 7, TRIPLE(particleDirection1), {0, 0, 0}, SAME},
        {"Particle Controls", 8, TRIPLE(particleDirection2), {0, 0, 0}, SAME},
        {"Particle Controls", 9, {F(particleFogEnd), nullptr, nullptr}, {360, 0, 0}, {kept}},

        {"fire", 0, {F(fireGravityX), F(fireGravityY), F(fireGravityZ)}, {0.01f, 30, 0.01f}, SAME},
        {"fire", 1, {F(fireMoveX), F(fireMoveY), F(fireMoveZ)}, {0, 0, 0}, SAME},
        {"fire", 2, {F(fireLife), F(fireDirection), F(fireTilt)}, {-229, 0, 0}, SAME},
        {"fire", 3, {F(fireSpiral), F(fireSpacing), F(fireSpeed)}, {0, 0, 0}, SAME},
        {"fire", 4, {F(fireNumber), nullptr, nullptr}, {243, 0, 0}, SAME},
        {"fire", 5, {F(fireRed), F(fireGreen), F(fireBlue)}, {107, 79, 49}, SAME},

        {"Tunnel Controls",
         0,
         {F(tunnelSpeed), F(tunnelTwist), F(tunnelRotate)},
         {0, 0, 272},
         SAME},
        {"Tunnel Controls", 1, {F(tunnelPosX), F(tunnelPosY), F(tunnelPosZ)}, {0, 0, 0}, SAME},
        {"Tunnel Controls", 2, {F(tunnelFogStart), F(tunnelFogEnd), nullptr}, {0, 230, 0}, SAME},
        {"Tunnel Controls",
         3,
         {F(tunnelSqueezeX), F(tunnelSqueezeY), nullptr},
         {300, 300, 0},
         SAME},

        {"Tile Controls quad 1",
         0,
         {F(tileRotateX1), F(tileRotateY1), F(tileRotateZ1)},
         {0, 0, 0},
         SAME},
        {"Tile Controls quad 1", 1, {F(tilePosX1), F(tilePosY1), F(tilePosZ1)}, {0, 0, -200}, SAME},
        {"Tile Controls quad 1", 2, {F(tileRollX1), F(tileRollY1), nullptr}, {0, 0, 0}, SAME},
        {"Tile Controls quad 2",
         0,
         {F(tileRotateX2), F(tileRotateY2), F(tileRotateZ2)},
         {0, 0, 0},
         SAME},
        {"Tile Controls quad 2", 1, {F(tilePosX2), F(tilePosY2), F(tilePosZ2)}, {0, 0, -150}, SAME},
        {"Tile Controls quad 2", 2, {F(tileRollX2), F(tileRollY2), nullptr}, {0, 0, 0}, SAME},

        {"Blur Control",
         0,
         {F(radialBlurDensity), F(radialBlurFade), F(radialBlurSeparation)},
         {0, 0.2f, 0},
         SAME},
        {"Blur Control",
         1,
         {F(radialBlurRed), F(radialBlurGreen), F(radialBlurBlue)},
         {0, 0, 50},
         SAME},
        {"Blur Control",
         2,
         {F(motionBlurDensity), F(motionBlurFade), F(motionBlurTrim)},
         {0, 0, 0},
         SAME},
        {"Blur Control",
         3,
         {F(motionBlurStretchX), F(motionBlurStretchY), nullptr},
         {0, 0, 0},
         SAME},

        {"3DS Model", 0, TRIPLE(modelRotation[0]), {0, 0, 0}, SAME},
        {"3DS Model", 1, TRIPLE(modelPosition[0]), {0, 0, -40}, SAME},
        {"3DS Model", 2, TRIPLE(modelScale[0]), {0, 0, 0}, SAME},
        {"3DS Model", 3, TRIPLE(modelColour[0]), {255, 255, 255}, SAME},
        {"3DS Model", 4, TRIPLE(modelSpotPosition[0]), {0, 0, 4000}, SAME},
        {"3DS Model",
         5,
         {F(modelFade[0]), F(modelTexOffset[0].s), F(modelTexOffset[0].t)},
         {255, 0, 0},
         SAME},
        {"3DS Model", 6, TRIPLE(modelBlur[0]), {0, 0.2f, 0}, SAME},
        {"3DS Model", 7, TRIPLE(modelBlurColour[0]), {0, 0, 50}, {kept, kept, to(50)}},

        {"Model 2", 0, TRIPLE(modelRotation[1]), {0, 0, 0}, SAME},
        {"Model 2", 1, TRIPLE(modelPosition[1]), {8, 0, -40}, {to(0), to(0), to(-40)}},
        {"Model 2", 2, TRIPLE(modelScale[1]), {0, 0, 0}, SAME},
        {"Model 2", 3, TRIPLE(modelColour[1]), {255, 255, 255}, SAME},
        {"Model 2", 4, TRIPLE(modelSpotPosition[1]), {0, 0, 4000}, SAME},
        {"Model 2",
         5,
         {F(modelFade[1]), F(modelTexOffset[1].s), F(modelTexOffset[1].t)},
         {255, 0, 0},
         SAME},
        {"Model 2", 6, TRIPLE(modelBlur[1]), {0, 0.2f, 0}, SAME},
        {"Model 2", 7, TRIPLE(modelBlurColour[1]), {50, 0, 0}, {to(50), kept, to(0)}},

        {"Model 3", 0, TRIPLE(modelRotation[2]), {0, 0, 0}, SAME},
        {"Model 3", 1, TRIPLE(modelPosition[2]), {-8, 0, -40}, {to(0), to(0), to(-40)}},
        {"Model 3", 2, TRIPLE(modelScale[2]), {0, 0, 0}, SAME},
        {"Model 3", 3, TRIPLE(modelColour[2]), {255, 255, 255}, SAME},
        {"Model 3", 4, TRIPLE(modelSpotPosition[2]), {0, 0, 4000}, SAME},
        {"Model 3",
         5,
         {F(modelFade[2]), F(modelTexOffset[2].s), F(modelTexOffset[2].t)},
         {255, 0, 0},
         SAME},
        {"Model 3", 6, TRIPLE(modelBlur[2]), {0, 0.2f, 0}, SAME},
        {"Model 3", 7, TRIPLE(modelBlurColour[2]), {0, 50, 0}, {to(50), kept, to(0)}},

        {"Picture Controls", 0, TRIPLE(pictureRotation), {0, 0, 0}, SAME},
        {"Picture Controls", 1, TRIPLE(picturePan), {0, 0, 0}, SAME},
        {"Picture Controls", 2, TRIPLE(pictureScale), {50, 50, 1}, SAME},
        {"Picture Controls", 3, TRIPLE(pictureLight), {0, 0, 0}, SAME},
        {"Picture Controls", 4, {F(pictureWavy), F(pictureSeparation), nullptr}, {-1, 0, 0}, SAME},
        {"Picture Controls", 5, {F(pictureFade), nullptr, nullptr}, {0, 0, 0}, SAME},
    };
    return rows;
}

std::string where(const Row& row, int axis) {
    return std::string(row.page) + " entry " + std::to_string(row.entry) + " " + "XYZ"[axis];
}

// A value no default or "New" rule produces, different for every cell.
float disturbed(int rowIndex, int axis) {
    return 1000.5f + float(rowIndex * 3 + axis);
}

TEST(SceneDefaults, PageTriplesStartAtTheirTableValues) {
    auto view = makeScene();
    for (const Row& row : pageTable()) {
        for (int axis = 0; axis < 3; ++axis) {
            if (!row.get[axis]) continue;
            EXPECT_FLOAT_EQ(*row.get[axis](*view), row.start[axis]) << where(row, axis);
        }
    }
}

TEST(SceneDefaults, NewRestoresEveryTripleAndKeepsOnlyTheKeptCells) {
    auto view = makeScene();
    const auto& rows = pageTable();
    for (size_t r = 0; r < rows.size(); ++r)
        for (int axis = 0; axis < 3; ++axis)
            if (rows[r].get[axis]) *rows[r].get[axis](*view) = disturbed(int(r), axis);

    resetSceneValues(*view);

    for (size_t r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        for (int axis = 0; axis < 3; ++axis) {
            if (!row.get[axis]) continue;
            // Particle entries 2 and 3 share their Z; both expect its start value.
            float expected = row.start[axis];
            if (row.after[axis].kind == After::Kept)
                expected = disturbed(int(r), axis);
            else if (row.after[axis].kind == After::Value)
                expected = row.after[axis].value;
            EXPECT_FLOAT_EQ(*row.get[axis](*view), expected) << where(row, axis);
        }
    }
}

// Every layer switch of the scene, by name.
struct LayerSwitch {
    const char* name;
    Getter get;
};

const std::vector<LayerSwitch>& layerSwitches() {
    static const std::vector<LayerSwitch> switches = {
        {"text", F(textOn)},
        {"stars", F(starsOn)},
        {"particles", F(particlesOn)},
        {"fire", F(fireOn)},
        {"tunnel", F(tunnelOn)},
        {"tiles", F(tilesOn)},
        {"radial blur", F(radialBlurOn)},
        {"motion blur", F(motionBlurOn)},
        {"model 1", F(modelOn[0])},
        {"model 2", F(modelOn[1])},
        {"model 3", F(modelOn[2])},
        {"pictures", F(pictureOn)},
    };
    return switches;
}

TEST(SceneDefaults, OnlyTheTextLayerIsOnAtStart) {
    auto view = makeScene();
    for (const LayerSwitch& s : layerSwitches()) {
        const float value = *s.get(*view);
        const bool isText = std::string(s.name) == "text";
        EXPECT_EQ(isOn(value), isText) << s.name;
        EXPECT_EQ(isOff(value), !isText) << s.name;
    }
    EXPECT_EQ(view->backgroundColour, Vec3(0, 0, 0));
    EXPECT_FLOAT_EQ(view->mouseTargetText, 2.0f);
}

TEST(SceneDefaults, NewSwitchesEveryLayerOffButLeavesTheTextSwitchAsItWas) {
    for (float textBefore : {0.0f, 2.0f}) {
        auto view = makeScene();
        for (const LayerSwitch& s : layerSwitches())
            *s.get(*view) = 2.0f;
        view->textOn = textBefore;
        view->textOnClicks = 1;
        view->starsOnClicks = 1;
        view->particlesOnClicks = 1;
        view->modelOnClicks[2] = 1;

        resetSceneValues(*view);

        for (const LayerSwitch& s : layerSwitches()) {
            const float expected = std::string(s.name) == "text" ? textBefore : 0.0f;
            EXPECT_FLOAT_EQ(*s.get(*view), expected) << s.name << " text was " << textBefore;
        }
        EXPECT_FLOAT_EQ(view->textOnClicks, 0);
        EXPECT_FLOAT_EQ(view->starsOnClicks, 0);
        EXPECT_FLOAT_EQ(view->particlesOnClicks, 0);
        EXPECT_FLOAT_EQ(view->modelOnClicks[2], 0);
    }
}

} // namespace
