// A control page as data: the combo entries with their values, slider ranges, enabled edits and
// mouse rules, the toggle buttons, the pickers, and what opening the page and Reset set. The deck
// draws its pages from these tables and the mouse handler applies their drag rules; nothing here
// is a widget.
#pragma once

#include "effects/SceneField.h"
#include "scene/DeckBlock.h"

#include <QString>

#include <cstdint>
#include <span>
#include <string>

class CZoetraView;

struct SliderRange {
    int min = 0, max = 0;
    constexpr bool empty() const { return min == 0 && max == 0; }
};

// Where one of an entry's three values lives: a keyable value by id, or a field that is not
// keyed. An id that starts with '.' names a value inside the page's key prefix (".rotate.x" on
// the "Model 2" page is "model2.rotate.x").
struct ValueRef {
    const char* key = nullptr;
    float& (*field)(CZoetraView&, int instance) = nullptr;
    constexpr bool empty() const { return key == nullptr && field == nullptr; }
};

// How a mouse drag moves an entry's values; h and v are the half-movements across and down the
// view, each multiplied by the rule's factor.
enum class DragMove : unsigned char {
    None,
    TurnXY, // X += v, Y += h: rotations
    PanXY,  // X += h, Y -= v: positions and everything else that means "up" on screen
    AlongZ, // Z += h + v: the right button
};

struct DragRule {
    DragMove move = DragMove::None;
    float factor = 1;
    int entry = -1; // the entry whose values move; -1: the selected entry itself
};

struct ControlEntry {
    const char* text = ""; // the combo text, exactly as the page shows it; "" selects nothing
    ValueRef values[3]{};
    SliderRange ranges[3]{};
    // Which of the three slider-and-edit pairs are enabled while the entry is selected; a
    // disabled slider is set to 0.
    bool enabled[3]{false, false, false};
    // Whether typing in edit n sets value n (some pages' edits only show the values).
    bool editSets[3]{true, true, true};
    // Ranges after a slider move where they differ from those on selection (empty: unchanged).
    SliderRange rangesAfterMove[3]{};
    float scale = 1; // value = slider position x scale
    DragRule leftDrag{};
    DragRule rightDrag{};
    // What choosing the entry also switches, and what a changed value also does.
    void (*onChoose)(CZoetraView&, int instance) = nullptr;
    void (*onChange)(CZoetraView&, int instance) = nullptr;
};

// An entry whose three sliders set the keyable values `x`, `y` and `z` over their ranges; a null
// id leaves that slider and its edit disabled.
constexpr ControlEntry keyedEntry(const char* text, const char* x, const char* y, const char* z,
                                  SliderRange rx, SliderRange ry, SliderRange rz,
                                  DragRule left = {}, DragRule right = {}) {
    ControlEntry e;
    e.text = text;
    const char* ids[3] = {x, y, z};
    const SliderRange ranges[3] = {rx, ry, rz};
    for (int n = 0; n < 3; ++n) {
        if (!ids[n]) continue;
        e.values[n].key = ids[n];
        e.ranges[n] = ranges[n];
        e.enabled[n] = true;
    }
    e.leftDrag = left;
    e.rightDrag = right;
    return e;
}

// A toggle button or check box with a click counter: the click that brings the counter to 1 is
// the first of a cycle, the one that brings it to 2 the second, which clears the counter.
struct ToggleSpec {
    const char*
        captions[2]{}; // shown after the first and the second click ("Stars Off", "Stars On")
    float& (*flag)(CZoetraView&, int instance) = nullptr;
    float& (*clicks)(CZoetraView&, int instance) = nullptr;
    float values[2]{0, 2}; // what the first and the second click set the flag to
    // Further effects of a click: `second` is false for the first click of a cycle.
    void (*onClick)(CZoetraView&, int instance, bool second) = nullptr;
    // A check box rather than a push button: ticked while `ticked` says so (the captions are
    // then its one label, twice).
    bool (*ticked)(const CZoetraView&, int instance) = nullptr;
    // Present on the page but hidden and disabled.
    bool hidden = false;
    // What a push button reads from its page's opening until its first click, where that is
    // neither caption ("Tiles On"); null: the caption of the flag from the start.
    const char* openingCaption = nullptr;
};

// A push button on the switch `Flag` with its click counter `Clicks`: the first click of a cycle
// sets values[0] and shows `afterFirst`, the second sets values[1] and shows `afterSecond`;
// `onClick` does what a click does besides.
template <auto Flag, auto Clicks>
constexpr ToggleSpec switchButton(const char* afterFirst, const char* afterSecond,
                                  const float (&values)[2] = {0, 2},
                                  void (*onClick)(CZoetraView&, int, bool) = nullptr) {
    return {{afterFirst, afterSecond},
            sceneField<Flag>,
            sceneField<Clicks>,
            {values[0], values[1]},
            onClick};
}

// A check box on the switch `Flag`, ticked while the switch is on: the click that ticks it
// switches it on.
template <auto Flag, auto Clicks>
constexpr ToggleSpec checkBox(const char* label, bool hidden = false) {
    return {{label, label}, sceneField<Flag>, sceneField<Clicks>,
            {2, 0},         nullptr,          sceneSwitchOn<Flag>,
            hidden};
}

// A check box ticked while the switch `Flag` is off: the click that ticks it switches it off.
template <auto Flag, auto Clicks> constexpr ToggleSpec checkBoxWhileOff(const char* label) {
    return {{label, label}, sceneField<Flag>, sceneField<Clicks>,
            {0, 2},         nullptr,          sceneSwitchOff<Flag>};
}

// A file picker that loads an asset: the dialog's title, filter (as "text|pattern|...||"), initial
// folder and the prefix recorded with the chosen file's name for the sequence file.
struct AssetPicker {
    const char* caption; // the button, e.g. "Load Texture"
    const char* title;
    const char* filter;
    const char* folder;
    const char* prefix; // e.g. "Particles/": the sequence file records prefix + file name
    // Runs before the dialog opens (a model's "Hollow Texture" first sets its hollow switch).
    void (*before)(CZoetraView&, int instance) = nullptr;
    // Loads the chosen file; `recordedPath` is prefix + file name.
    bool (*load)(CZoetraView&, int instance, const QString& path,
                 const std::string& recordedPath) = nullptr;
};

// The `load` of a picker whose layer has one instance, from the layer's loader.
template <bool (*Load)(CZoetraView&, const QString& path, const std::string& recordedPath)>
bool loadForLayer(CZoetraView& v, int, const QString& path, const std::string& recordedPath) {
    return Load(v, path, recordedPath);
}

struct ControlPage {
    DeckPage page = DeckPage::Keyframes;
    const char* caption = ""; // the tab
    std::span<const ControlEntry> entries{};
    int instance = 0; // which model a model page tunes
    // The prefix of the page's relative value ids (".rotate.x"); null when every id is whole.
    const char* (*keyPrefix)(const CZoetraView&, int instance) = nullptr;

    // Mouse: the page's drags apply while its gate holds and the page exists; with
    // `entryWithoutPage` >= 0 they also apply without the page, with that entry's rules.
    bool (*leftDragGate)(const CZoetraView&, int instance) = nullptr;
    bool (*rightDragGate)(const CZoetraView&, int instance) = nullptr;
    int entryWithoutPage = -1;
    // Activating the page makes its switch the only mouse target and sets `mousePage`; pages
    // without a switch (null) clear every target; pages that keep the target leave both alone.
    bool routesMouse = true;
    float& (*mouseTarget)(CZoetraView&, int instance) = nullptr;
    float mousePageCode = 0;

    std::span<const ToggleSpec> toggles{}; // the layer's own switch first
    std::span<const AssetPicker> pickers{};
    void (*open)(CZoetraView&, int instance) = nullptr;  // creating the page's window
    void (*reset)(CZoetraView&, int instance) = nullptr; // its Reset button
    // The page became the active tab (also the first time, right after `open`).
    void (*activated)(CZoetraView&, int instance) = nullptr;
};

// The `open` of a page whose opening only switches its layer on (`Flag`) and starts the layer
// button's cycle afresh (`Clicks`).
template <auto Flag, auto Clicks> void switchLayerOn(CZoetraView& v, int instance) {
    sceneField<Flag>(v, instance) = kSwitchOn;
    sceneField<Clicks>(v, instance) = 0;
}

// The scene value an entry's value refers to; empty for an empty or unknown reference.
struct ValueHandle {
    float* real = nullptr;
    std::int32_t* whole = nullptr; // the one integer value ("Flag Wave")

    explicit operator bool() const { return real != nullptr || whole != nullptr; }
    const void* address() const { return real ? static_cast<const void*>(real) : whole; }
    float get() const;
    // Writes the value; the integer gets it truncated toward zero, within its range.
    void set(float value) const;
};
ValueHandle controlValue(CZoetraView& v, const ControlPage& page, const ValueRef& ref);
