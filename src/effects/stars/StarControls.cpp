// The "Star Controls" page as data: its parameter entries, mouse rules, toggles, picker, opening
// and Reset.
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/stars/StarEffect.h"
#include "platform/ProgramFolder.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <QDir>

namespace {

constexpr SliderRange kAngle{-360, 360};
constexpr SliderRange kColour{0, 255};

// The left button turns the spiral (or pans it while the pan entry is selected); the right
// button zooms, whichever entry is selected.
constexpr DragRule kTurnSpiral{DragMove::TurnXY, 1, 0};
constexpr DragRule kZoom{DragMove::AlongZ, 0.5f, 1};

constexpr ControlEntry entry(const char* text, const char* x, const char* y, const char* z,
                             SliderRange rx, SliderRange ry, SliderRange rz, DragRule left) {
    return keyedEntry(text, x, y, z, rx, ry, rz, left, kZoom);
}

// Choosing the colour entry switches the stars to the single colour at once, and arms "Multi
// Color" so that its next click switches back to each star's own colour.
void chooseSingleColour(CZoetraView& v, int) {
    v.starSingleColour = 2.0f;
    v.starSingleColourClicks = 1.0f;
}

constexpr ControlEntry colourEntry() {
    ControlEntry e =
        entry("Star Colour (Red)  Star Colour (Green)  Start Colour (Blue)", "stars.colour.r",
              "stars.colour.g", "stars.colour.b", kColour, kColour, kColour, {});
    e.onChoose = chooseSingleColour;
    return e;
}

// The sixth entry: an empty line that selects nothing.
constexpr ControlEntry emptyEntry() {
    ControlEntry e;
    e.rightDrag = kZoom;
    return e;
}

const ControlEntry kStarEntries[] = {
    entry("Star Rotate  (Left Mouse Rotate X and Y, Right Mouse Rotate Z)", "stars.rotate.x",
          "stars.rotate.y", "stars.rotate.z", kAngle, kAngle, kAngle, kTurnSpiral),
    entry("Star Pan and Zoom (Left Mouse Pan X and Y, Right Mouse Zoom Z)", "stars.pan.x",
          "stars.pan.y", "stars.zoom", kAngle, kAngle, kAngle, {DragMove::PanXY}),
    entry("Star Direction (X)  Star Spacing (Y)  Star Spin (Z)", "stars.direction", "stars.spacing",
          "stars.spin", kAngle, kAngle, kAngle, kTurnSpiral),
    entry("Star Number (X)  Alpha Fade (Y)", "stars.number", "stars.alphaFade", nullptr, {0, 250},
          kColour, {}, kTurnSpiral),
    colourEntry(),
    emptyEntry(),
};

// The left button follows the page last activated; the right button the star target.
bool starPageActive(const CZoetraView& v, int) {
    return v.mousePage == 2.0f;
}

const ToggleSpec kStarToggles[] = {
    switchButton<&CZoetraView::starsOn, &CZoetraView::starsOnClicks>("Stars Off", "Stars On"),
    // The first click of a cycle gives every star the single colour.
    switchButton<&CZoetraView::starSingleColour, &CZoetraView::starSingleColourClicks>(
        "Multi Color Off", "Multi Color On", {2, 0}),
};

// The dialog opens from the program's own folder.
void enterProgramFolder(CZoetraView&, int) {
    QDir::setCurrent(programFolder());
}

const AssetPicker kStarPickers[] = {
    {"Load Texture", "Select a Star Texture", "Bitmap Files (*.bmp)|*.bmp|All Files(*.*)|*.*||",
     ".\\Particles", "Particles/", enterProgramFolder, loadForLayer<loadUserStarTexture>},
};

void openStarPage(CZoetraView& v, int) {
    v.starsOn = 2.0f;
    v.starsOnClicks = 0;
    v.starNumber = 250;
    if (isOn(v.starSingleColour)) v.starSingleColourClicks = 1.0f;
}

// Reset: the spiral's transform, winding, spacing, spin and number back to their start values;
// colours, alpha fade and the colour mode stay.
void resetStarPage(CZoetraView& v, int) {
    using S = StarParams;
    restoreStartValues<S>(v, &S::starZoom, &S::starSpin, &S::starRotateX, &S::starRotateY,
                          &S::starRotateZ, &S::starNumber, &S::starSpacing, &S::starPanX,
                          &S::starPanY, &S::starDirection);
}

} // namespace

const ControlPage kStarPage{
    .page = DeckPage::Stars,
    .caption = "Star Controls",
    .entries = kStarEntries,
    .leftDragGate = starPageActive,
    .rightDragGate = sceneSwitchOn<&CZoetraView::mouseTargetStars>,
    .mouseTarget = sceneField<&CZoetraView::mouseTargetStars>,
    .mousePageCode = 2,
    .toggles = kStarToggles,
    .pickers = kStarPickers,
    .open = openStarPage,
    .reset = resetStarPage,
};
