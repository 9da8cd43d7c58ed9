// The "Picture Controls" page as data: its entries, mouse rules, toggles and "Lighting" box, the
// two picture pickers, opening and Reset.
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/pictures/PictureEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

namespace {

constexpr SliderRange kAngle{-360, 360};
constexpr DragRule kTurn{DragMove::TurnXY};
constexpr DragRule kPan{DragMove::PanXY};
constexpr DragRule kAlongZ{DragMove::AlongZ, 0.5f};
// Entries without a drag of their own turn the pictures.
constexpr DragRule kTurnPictures{DragMove::TurnXY, 1, 0};
constexpr DragRule kTurnPicturesZ{DragMove::AlongZ, 0.5f, 0};

constexpr ControlEntry entry(const char* text, const char* x, const char* y, const char* z,
                             SliderRange rx, SliderRange ry, SliderRange rz, DragRule left,
                             DragRule right) {
    return keyedEntry(text, x, y, z, rx, ry, rz, left, right);
}

// Only the X edit of the wave entry sets its value; the fade's edit sets nothing.
constexpr ControlEntry waveEntry() {
    ControlEntry e = entry("Wavy Picture (X)  Picture Seperation (Y)  Flag Wave (Z)",
                           "pictures.wavy", "pictures.separation", "pictures.flagWave", {0, 100000},
                           kAngle, kAngle, kTurnPictures, kTurnPicturesZ);
    e.editSets[1] = e.editSets[2] = false;
    return e;
}

constexpr ControlEntry fadeEntry() {
    ControlEntry e = entry("Picture Fade (X)", "pictures.fade", nullptr, nullptr, {0, 255}, {}, {},
                           kTurnPictures, kTurnPicturesZ);
    e.editSets[0] = e.editSets[1] = e.editSets[2] = false;
    return e;
}

const ControlEntry kPictureEntries[] = {
    entry("Rotate Picture (Left Mouse Rotate X and Y, Right Mouse Rotate Z)", "pictures.rotate.x",
          "pictures.rotate.y", "pictures.rotate.z", kAngle, kAngle, kAngle, kTurn, kAlongZ),
    entry("Pan Picture Left Mouse Pan X and Y, Right Mouse Zoom Z)", "pictures.pan.x",
          "pictures.pan.y", "pictures.pan.z", {-10000, 10000}, {-10000, 10000}, {-30000, 30000},
          kPan, kAlongZ),
    entry("Scale Picture (Left Mouse Pan X and Y)", "pictures.scale.x", "pictures.scale.y", nullptr,
          kAngle, kAngle, {}, kPan, {}),
    entry("Picture Light Position (Left Mouse Pan X and Y, Right Mouse Zoom Z))",
          "pictures.light.x", "pictures.light.y", "pictures.light.z", kAngle, kAngle, {-460, 1660},
          kPan, kAlongZ),
    waveEntry(),
    fadeEntry(),
};

bool picturesTargeted(const CZoetraView& v, int) {
    return v.mousePage == 9.0f;
}

// "Picture 1 On" is the layer switch; the first click of "Picture 2 On" hides picture 2; the
// first click of the "Lighting" box ticks it.
const ToggleSpec kPictureToggles[] = {
    switchButton<&CZoetraView::pictureOn, &CZoetraView::pictureOnClicks>("Picture 1 Off",
                                                                         "Picture 1 On"),
    switchButton<&CZoetraView::picture2Off, &CZoetraView::picture2OffClicks>(
        "Picture 2 Off", "Picture 2 On", {2, 0}),
    checkBox<&CZoetraView::pictureLighting, &CZoetraView::pictureLightingClicks>("Lighting"),
};

void selectPicture1(CZoetraView& v, int) {
    v.pictureSelector = 0;
}
void selectPicture2(CZoetraView& v, int) {
    v.pictureSelector = 2;
}
constexpr const char* kJpgFilter = "JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||";

const AssetPicker kPicturePickers[] = {
    {"Load Picture 1", "Select Image 1", kJpgFilter, ".\\Images", "Images/", selectPicture1,
     loadForLayer<loadUserPicture>},
    {"Load Picture 2", "Select Image 2", kJpgFilter, ".\\Images", "Images/", selectPicture2,
     loadForLayer<loadUserPicture>},
};

// Opening switches the pictures on; the picture-2 button and the "Lighting" box start their
// cycles from the state they find, so that their next click changes it.
void openPicturePage(CZoetraView& v, int) {
    v.pictureOn = kSwitchOn;
    v.pictureOnClicks = 0;
    v.picture2OffClicks = isOn(v.picture2Off) ? 1.0f : 0.0f;
    v.pictureLightingClicks = isOn(v.pictureLighting) ? 1.0f : 0.0f;
}

// Reset: the transform, light, wave, separation and fade back to their start values, lighting
// off (the box unticked), and the first entry selected.
void resetPicturePage(CZoetraView& v, int) {
    using P = PictureParams;
    restoreStartValues<P>(v, &P::pictureRotation, &P::picturePan, &P::pictureScale,
                          &P::pictureLight, &P::pictureWavy, &P::pictureSeparation, &P::pictureFade,
                          &P::flagWave, &P::pictureLighting, &P::pictureLightingClicks);
    if (v.pageExists(DeckPage::Pictures)) v.selectedEntry[pageIndex(DeckPage::Pictures)] = 0;
}

} // namespace

const ControlPage kPicturePage{
    .page = DeckPage::Pictures,
    .caption = "Picture Controls",
    .entries = kPictureEntries,
    .leftDragGate = picturesTargeted,
    .rightDragGate = picturesTargeted,
    .mouseTarget = sceneField<&CZoetraView::mouseTargetPictures>,
    .mousePageCode = 9,
    .toggles = kPictureToggles,
    .pickers = kPicturePickers,
    .open = openPicturePage,
    .reset = resetPicturePage,
};
