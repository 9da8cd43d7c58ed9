// The "Tile Controls" page as data: its entries (on the quad chosen with "Quad 1" / "Quad 2"),
// mouse rules, toggles and check boxes, pickers, opening and Reset.
#include "effects/SceneField.h"
#include "effects/StartValues.h"
#include "effects/tiles/TileEffect.h"
#include "scene/CZoetraView.h"
#include "scene/Switch.h"

#include <utility>

namespace {

constexpr SliderRange kAngle{-360, 360};
constexpr SliderRange kRoll{-300, 300};

constexpr ControlEntry entry(const char* text, const char* x, const char* y, const char* z,
                             SliderRange range, DragRule left, DragRule right) {
    return keyedEntry(text, x, y, z, range, range, range, left, right);
}

// The ids are relative: the page's key prefix names the selected quad.
const ControlEntry kTileEntries[] = {
    entry("Quad Rotate (Left Mouse Rotate X and Y, Right Mouse Rotate Z)", ".rotate.x", ".rotate.y",
          ".rotate.z", kAngle, {DragMove::TurnXY}, {DragMove::AlongZ, 0.5f}),
    entry("Quad Position (Left Mouse Pan X and Y, Right Mouse Zoom Z)", ".position.x",
          ".position.y", ".position.z", kAngle, {DragMove::PanXY}, {DragMove::AlongZ, 0.5f}),
    entry("Quad Roll (Left Mouse X)  Roll (Left Mouse Y)  ", ".roll.x", ".roll.y", nullptr, kRoll,
          {DragMove::PanXY, 1.0f / 20.0f}, {}),
};

const char* selectedQuadKeys(const CZoetraView& v, int) {
    return tileQuadSelected(v) == 1 ? "tile2" : "tile1";
}

// The quads follow the mouse while the tile mouse switch is on and one of them is selected
// (the handler also needs the page to exist).
bool tileDragGate(const CZoetraView& v, int) {
    return isOn(v.tileMouse) && (v.tileSelected == 2.0f || v.tileSelected == 4.0f);
}

// A box is ticked (transparent, visible) while its flag is off.

// The layer button, then the "Transparent" and "Visible" boxes of quad 1 and of quad 2
// (kTileToggleTransparent1 ... in TileEffect.h). The first click of a box's cycle clears its
// flag, the second sets it.
const ToggleSpec kTileToggles[] = {
    // The button reads "Tiles On" when the page opens, then "Tile Off" and "Tile On".
    {{"Tile Off", "Tile On"},
     sceneField<&CZoetraView::tilesOn>,
     sceneField<&CZoetraView::tilesOnClicks>,
     {0, 2},
     nullptr,
     nullptr,
     false,
     "Tiles On"},
    checkBoxWhileOff<&CZoetraView::tileOpaque1, &CZoetraView::tileOpaque1Clicks>("Transparent"),
    checkBoxWhileOff<&CZoetraView::tileHidden1, &CZoetraView::tileHidden1Clicks>("Visible"),
    checkBoxWhileOff<&CZoetraView::tileOpaque2, &CZoetraView::tileOpaque2Clicks>("Transparent"),
    checkBoxWhileOff<&CZoetraView::tileHidden2, &CZoetraView::tileHidden2Clicks>("Visible"),
};

bool loadQuad1Texture(CZoetraView& v, int, const QString& path, const std::string& recorded) {
    return loadUserTileTexture(v, 0, path, recorded);
}
bool loadQuad2Texture(CZoetraView& v, int, const QString& path, const std::string& recorded) {
    return loadUserTileTexture(v, 1, path, recorded);
}

constexpr const char* kJpgFilter = "JPG Files (*.jpg)|*.jpg|All Files(*.*)|*.*||";

const AssetPicker kTilePickers[] = {
    {"Load Texture", "Select Tile Texture 1", kJpgFilter, ".\\Textures", "Textures/", nullptr,
     loadQuad1Texture},
    {"Load Texture", "Select Tile Texture 2", kJpgFilter, ".\\Textures", "Textures/", nullptr,
     loadQuad2Texture},
};

// Each box shows its flag: ticked while the flag is off, and its counter set so that the next
// click changes the flag.
void synchroniseBoxes(CZoetraView& v) {
    for (auto [flag, clicks] : {std::pair{&v.tileOpaque1, &v.tileOpaque1Clicks},
                                {&v.tileHidden1, &v.tileHidden1Clicks},
                                {&v.tileOpaque2, &v.tileOpaque2Clicks},
                                {&v.tileHidden2, &v.tileHidden2Clicks}})
        *clicks = isOff(*flag) ? 1.0f : 0.0f;
}

void openTilePage(CZoetraView& v, int) {
    synchroniseBoxes(v);
    v.tilesOn = kSwitchOn;
    v.tilesOnClicks = 0;
    // Nothing else switches the quads' mouse control on: the page brings it.
    v.tileMouse = kSwitchOn;
}

// Reset: quad 1 and the first entry selected; both quads' transforms and rolls back to their
// start values, all four switches off and their boxes ticked.
void resetTilePage(CZoetraView& v, int) {
    using P = TileParams;
    restoreStartValues<P>(v, &P::tileSelected, &P::tileRotateX1, &P::tileRotateY1, &P::tileRotateZ1,
                          &P::tileRotateX2, &P::tileRotateY2, &P::tileRotateZ2, &P::tileRollX1,
                          &P::tileRollY1, &P::tileRollX2, &P::tileRollY2, &P::tilePosX1,
                          &P::tilePosY1, &P::tilePosZ1, &P::tilePosX2, &P::tilePosY2, &P::tilePosZ2,
                          &P::tileOpaque1, &P::tileHidden1, &P::tileOpaque2, &P::tileHidden2);
    synchroniseBoxes(v);
    if (v.pageExists(DeckPage::Tiles)) v.selectedEntry[pageIndex(DeckPage::Tiles)] = 0;
}

} // namespace

int tileQuadSelected(const CZoetraView& v) {
    return v.tileSelected == 4.0f ? 1 : 0;
}

void selectTileQuad(CZoetraView& v, int quad) {
    v.tileSelected = quad == 1 ? 4.0f : 2.0f;
    if (v.pageExists(DeckPage::Tiles)) v.deckUi().showValues(DeckPage::Tiles);
}

const ControlPage kTilePage{
    .page = DeckPage::Tiles,
    .caption = "Tile Controls",
    .entries = kTileEntries,
    .keyPrefix = selectedQuadKeys,
    .leftDragGate = tileDragGate,
    .rightDragGate = tileDragGate,
    // Activating the page leaves no layer as the mouse target.
    .mouseTarget = nullptr,
    .mousePageCode = 0,
    .toggles = kTileToggles,
    .pickers = kTilePickers,
    .open = openTilePage,
    .reset = resetTilePage,
};
