// The "Text" page as data: its parameter entries, mouse rules, toggles, picker, opening and Reset.
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/text/TextEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <GL/gl.h>

namespace {

constexpr SliderRange kAngle{-360, 360};
constexpr SliderRange kColour{0, 255};
constexpr SliderRange kWide{-2000, 2000};

constexpr ControlEntry triple(const char* text, const char* x, const char* y, const char* z,
                              SliderRange rx, SliderRange ry, SliderRange rz, DragRule left,
                              DragRule right = {}) {
    return keyedEntry(text, x, y, z, rx, ry, rz, left, right);
}

// Every entry that is not a position or a scale turns the text with the left button.
constexpr DragRule kTurnText{DragMove::TurnXY, 1, 0};
constexpr DragRule kPan{DragMove::PanXY};

// The background entry clears the window with its colour at once (with the GL context current).
void clearToBackground(CZoetraView& v, int) {
    glClearColor(v.backgroundColour.x / 255.0f, v.backgroundColour.y / 255.0f,
                 v.backgroundColour.z / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

constexpr ControlEntry fadeEntry() {
    ControlEntry e;
    e.text = "Fade Alpha";
    e.values[0].key = "text.fade";
    e.ranges[0] = kColour;
    e.enabled[0] = true;
    // Typing sets the values of the other entries only.
    e.editSets[0] = e.editSets[1] = e.editSets[2] = false;
    return e;
}

constexpr ControlEntry backgroundEntry() {
    ControlEntry e = triple("Colour Background  (R G B]", "text.background.r", "text.background.g",
                            "text.background.b", kColour, kColour, kColour, kTurnText);
    e.onChange = clearToBackground;
    return e;
}

const ControlEntry kTextEntries[] = {
    triple("Text Rotate  (Left Mouse Rotate X and Y, Right Mouse Rotate Z)", "text.rotate.x",
           "text.rotate.y", "text.rotate.z", kAngle, kAngle, kAngle, {DragMove::TurnXY},
           {DragMove::AlongZ, 0.5f}),
    triple("Text Pan and Zoom (Left Mouse Pan X and Y, Right Mouse Zoom Z)", "text.pan.x",
           "text.pan.y", "text.pan.z", kWide, kWide, kWide, kPan, {DragMove::AlongZ}),
    triple("Colour Font  (R G B)", "text.fontColour.r", "text.fontColour.g", "text.fontColour.b",
           kColour, kColour, kColour, kTurnText),
    backgroundEntry(),
    triple("Twist Text (X Y Z)", "text.twist.x", "text.twist.y", "text.twist.z", {-3600, 3600},
           {-3600, 3600}, {-3600, 3600}, kTurnText),
    triple("Line Spacing", "text.lineSpacing.x", "text.lineSpacing.y", "text.lineSpacing.z", kWide,
           kWide, kWide, kTurnText),
    triple("Character Spacing (X Y Z)", "text.charSpacing.x", "text.charSpacing.y",
           "text.charSpacing.z", kWide, kWide, kWide, kTurnText),
    triple("SpotLight  Position (Left Mouse Pan X and Y, Right Mouse Zoom Z)",
           "text.spotPosition.x", "text.spotPosition.y", "text.spotPosition.z", kWide, kWide,
           {-4000, 4000}, kPan, {DragMove::AlongZ}),
    triple("SpotLight Color (R G B)", "text.spotColour.r", "text.spotColour.g", "text.spotColour.b",
           kColour, kColour, kColour, kTurnText),
    triple("Scale Text (Left Mouse Scale X and Y, Right Mouse Scale Z)", "text.scale.x",
           "text.scale.y", "text.scale.z", {-400, 400}, {-400, 400}, {-2000, 2000}, kPan,
           {DragMove::AlongZ}),
    fadeEntry(),
};

const ToggleSpec kTextToggles[] = {
    switchButton<&CZoetraView::textOn, &CZoetraView::textOnClicks>("Text Off", "Text On"),
    // "Lights ON/OFF" is a check box: the first click ticks it.
    checkBox<&CZoetraView::textLighting, &CZoetraView::textLightingClicks>("Lights ON/OFF"),
};

const AssetPicker kTextPickers[] = {
    {"Load Texture", "Select Texture",
     "Jpg Texture Files (*.jpg)|*.jpg|Jpeg Texture Files (*.jpeg)|*.jpeg|BMP Texture Files "
     "(*.bmp)|*.bmp|Gif Texture Files (*.gif)|*.gif|WMF Files (*.wmf)|*.wmf|ICON Files "
     "(*.ico)|*.ico|EMF Files (*.emf)|*.emf|All files (*.*)|*.*||",
     ".\\Textures", "Textures/", nullptr, loadForLayer<loadUserTextTexture>},
};

// Reset: the transform, colours, spacing, light and scale back to their start values (fade,
// style, switches and font stay), with the window cleared to the black background at once.
void resetTextPage(CZoetraView& v, int) {
    using P = TextParams;
    restoreStartValues<P>(v, &P::textRotation, &P::textPosition, &P::fontColour,
                          &P::backgroundColour, &P::textTwist, &P::lineSpacing, &P::charSpacing,
                          &P::spotPosition, &P::spotColour, &P::textScale, &P::textString);
    clearToBackground(v, 0);
}

} // namespace

const ControlPage kTextPage{
    .page = DeckPage::Text,
    .caption = "Text",
    .entries = kTextEntries,
    .leftDragGate = sceneSwitchOn<&CZoetraView::mouseTargetText>,
    .rightDragGate = sceneSwitchOn<&CZoetraView::mouseTargetText>,
    .entryWithoutPage = 0,
    .mouseTarget = sceneField<&CZoetraView::mouseTargetText>,
    .mousePageCode = 1,
    .toggles = kTextToggles,
    .pickers = kTextPickers,
    .open = switchLayerOn<&CZoetraView::textOn, &CZoetraView::textOnClicks>,
    .reset = resetTextPage,
};
