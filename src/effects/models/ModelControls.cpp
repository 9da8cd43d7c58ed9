// The model pages as data, one table for the three models: entries, mouse rules, toggles and
// check boxes, texture pickers, opening, activation and Reset; and the model picker.
#include "effects/models/ModelControls.h"

#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/models/ModelEffect.h"
#include "platform/Platform.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <QFileInfo>
#include <QStringList>

namespace {

constexpr SliderRange kAngle{-360, 360};
constexpr SliderRange kColour{0, 255};
constexpr SliderRange kScale{-1000, 1000};
constexpr SliderRange kHundredths{0, 100};

// Entries past the scale turn the model with the left button and about Z with the right one.
constexpr DragRule kTurnModel{DragMove::TurnXY, 1, 0};
constexpr DragRule kTurnModelZ{DragMove::AlongZ, 0.5f, 0};

constexpr ControlEntry entry(const char* text, const char* x, const char* y, const char* z,
                             SliderRange rx, SliderRange ry, SliderRange rz,
                             DragRule left = kTurnModel, DragRule right = kTurnModelZ) {
    return keyedEntry(text, x, y, z, rx, ry, rz, left, right);
}

constexpr ControlEntry spotEntry() {
    ControlEntry e = entry("Spot Light Position", ".spotPosition.x", ".spotPosition.y",
                           ".spotPosition.z", {-2000, 2000}, {-2000, 2000}, {-40000, 40000});
    // The first slider move narrows Z to the range the text's spot light has.
    e.rangesAfterMove[2] = {-4000, 4000};
    return e;
}

// The blur entries' edits only show the values.
constexpr ControlEntry showOnly(ControlEntry e) {
    e.editSets[0] = e.editSets[1] = e.editSets[2] = false;
    return e;
}

const ControlEntry kModelEntries[] = {
    entry("Model Rotations (Left Mouse Rotate X and Y, Right Mouse Rotate Z)", ".rotate.x",
          ".rotate.y", ".rotate.z", kAngle, kAngle, kAngle, {DragMove::TurnXY},
          {DragMove::AlongZ, 0.5f}),
    entry("Model Positions (Left Mouse Pan X and Y, Right Mouse Zoom Z)", ".position.x",
          ".position.y", ".position.z", kAngle, kAngle, kAngle, {DragMove::PanXY},
          {DragMove::AlongZ, 0.5f}),
    entry("Model Scale (Left Mouse Scale X and Y, Right Mouse Scale Z)", ".scale.x", ".scale.y",
          ".scale.z", kScale, kScale, kScale, {DragMove::PanXY}, {DragMove::AlongZ, 0.5f}),
    entry("Defuse Light Colour", ".colour.r", ".colour.g", ".colour.b", kColour, kColour, kColour),
    spotEntry(),
    entry("Model Fade Alpha (X)  Texture Pos (Y)  Texture Pos (Z)", ".fade", ".textureOffset.s",
          ".textureOffset.t", kColour, kAngle, kAngle),
    showOnly(entry("Model Radial Blur Density (X)  Alpha (Y)  Seperation (Z)", ".blur.density",
                   ".blur.alpha", ".blur.separation", kAngle, kAngle, kAngle)),
    showOnly(entry("Model Radial Blur Colour  Red( X)  Green (Y)  Blue (Z)", ".blur.colour.r",
                   ".blur.colour.g", ".blur.colour.b", kHundredths, kHundredths, kHundredths)),
};

const char* modelPrefix(const CZoetraView&, int n) {
    return kModelKeyPrefixes[n];
}

bool modelOnAndTargeted(const CZoetraView& v, int n) {
    return isOn(v.modelOn[n]) && isOn(v.mouseTargetModel[n]);
}

// The blur passes run for the model exactly while its own blur is on.
void radialBlurClicked(CZoetraView& v, int n, bool) {
    v.modelBlurPassRequest[n] = v.modelRadialBlur[n];
}

const ToggleSpec kModelToggles[] = {
    switchButton<&CZoetraView::modelOn, &CZoetraView::modelOnClicks>("Model 1 Off", "Model 1 On"),
    switchButton<&CZoetraView::modelRadialBlur, &CZoetraView::modelRadialBlurClicks>(
        "Radial Blur On", "Radial Blur Off", {2, 0}, radialBlurClicked),
    // Check boxes: a click that ticks the box switches its value on.
    checkBox<&CZoetraView::modelLighting, &CZoetraView::modelLightingClicks>("Lighting 1"),
    checkBox<&CZoetraView::modelTransparency, &CZoetraView::modelTransparencyClicks>(
        "Transparency"),
    checkBox<&CZoetraView::modelSphereMap, &CZoetraView::modelSphereMapClicks>("Sphere Mapped"),
    checkBox<&CZoetraView::modelShiny, &CZoetraView::modelShinyClicks>("Shiny Texture"),
};

void plainTexture(CZoetraView& v, int n) {
    v.modelHollow[n] = 0;
}
void hollowTexture(CZoetraView& v, int n) {
    v.modelHollow[n] = 2.0f;
}

const AssetPicker kModelPickers[] = {
    {"Load Texture", "Select 3DS Model Texture", "JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||",
     ".\\Textures", "Textures/", plainTexture, loadUserModelTexture},
    {"Hollow Texture", "Select 3DS Model Texture", "GIF Files (*.gif)|*.gif|All Files(*.*)|*.*||",
     ".\\Textures", "Textures/", hollowTexture, loadUserModelTexture},
};

// Creating the page turns its model on; the model blur is then drawn after the layers.
void openModelPage(CZoetraView& v, int n) {
    v.modelOn[n] = 2.0f;
    v.modelOnClicks[n] = 0;
    v.blurAfterLayers = 2.0f;
}

void activateModelPage(CZoetraView& v, int) {
    v.blurAfterLayers = 2.0f;
}

// Reset: the transform, colour, light, fade and switches back to their start-up state. The
// "3DS Model" page keeps its first texture offset; the other two pages clear it as well.
void resetModelPage(CZoetraView& v, int n) {
    using P = ModelParams;
    restoreStartValuesAt<P>(v, n, &P::modelRadialBlur, &P::modelRadialBlurClicks,
                            &P::modelBlurPassRequest, &P::modelRotation, &P::modelPosition,
                            &P::modelScale, &P::modelSpotPosition, &P::modelColour, &P::modelFade,
                            &P::modelUnits, &P::modelTransparency, &P::modelTransparencyClicks,
                            &P::modelLighting, &P::modelLightingClicks, &P::modelShiny,
                            &P::modelShinyClicks, &P::modelSphereMap, &P::modelSphereMapClicks);
    // Models 2 and 3 start left and right of model 1; Reset puts each back on the centre line.
    v.modelPosition[n].x = v.modelPosition[n].y = 0;
    v.modelTexOffset[n].t = 0;
    if (n != 0) v.modelTexOffset[n].s = 0;
}

constexpr ControlPage modelPage(int n) {
    constexpr DeckPage pages[] = {DeckPage::Model1, DeckPage::Model2, DeckPage::Model3};
    constexpr const char* captions[] = {"3DS Model", "Model 2", "Model 3"};
    ControlPage page;
    page.page = pages[n];
    page.caption = captions[n];
    page.entries = kModelEntries;
    page.instance = n;
    page.keyPrefix = modelPrefix;
    page.leftDragGate = sceneSwitchOn<&CZoetraView::mouseTargetModel>;
    page.rightDragGate = modelOnAndTargeted;
    page.mouseTarget = sceneField<&CZoetraView::mouseTargetModel>;
    page.mousePageCode = 8;
    page.toggles = kModelToggles;
    page.pickers = kModelPickers;
    page.open = openModelPage;
    page.reset = resetModelPage;
    page.activated = activateModelPage;
    return page;
}

} // namespace

const ControlPage kModelPages[kModelCount] = {modelPage(0), modelPage(1), modelPage(2)};

void setModelUnits(CZoetraView& v, int index, int units) {
    if (index < 0 || index >= kModelCount || units < 0 || units > 6) return;
    v.modelUnits[index] = units;
}

void requestModelLoad(CZoetraView& v, int index) {
    if (index < 0 || index >= kModelCount) return;
    v.deckUi().setVisible(false);
    v.modelLoadRequest[index] = 2.0f;
}

bool modelLoadRequested(const CZoetraView& v) {
    for (float request : v.modelLoadRequest)
        if (request >= 2.0f) return true;
    return false;
}

int serveModelLoadRequests(CZoetraView& v, const std::function<void()>& beforeLoad) {
    int served = 0;
    for (int n = 0; n < kModelCount; ++n) {
        if (!(v.modelLoadRequest[n] >= 2.0f)) continue;
        v.modelLoadRequest[n] = 0;
        ++served;
        FileChoice choice;
        choice.title = QString::fromLatin1(kModelPickerTitle);
        choice.filter = chooserFilter(kModelPickerFilter);
        choice.initialPath = resolveProgramPath(QString::fromLatin1(kModelPickerFolder));
        const QString path = platform().chooseOpenFile(choice);
        if (!path.isEmpty()) {
            if (beforeLoad) beforeLoad();
            const std::string recorded =
                kModelPathPrefix + QFileInfo(path).fileName().toStdString();
            loadUserModel(v, n, path, recorded);
        }
        v.deckUi().setVisible(true);
    }
    return served;
}

QString chooserFilter(const char* pairs) {
    const QStringList parts = QString::fromLatin1(pairs).split('|', Qt::SkipEmptyParts);
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& text = parts[i];
        const QString& pattern = parts[i + 1];
        filters << (text.contains('(' + pattern + ')') ? text : text + " (" + pattern + ')');
    }
    return filters.join(QLatin1String(";;"));
}
