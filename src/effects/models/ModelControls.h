// The three model pages ("3DS Model", "Model 2", "Model 3") and the actions of their own buttons
// that are not toggles or texture pickers: the units radio buttons and "Load Model" with the
// model picker it leads to.
#pragma once

#include "effects/ControlTable.h"
#include "effects/models/ModelBlock.h"

#include <functional>

extern const ControlPage kModelPages[kModelCount];

// The model picker's dialog.
inline constexpr const char* kModelPickerTitle = "Choose Files";
inline constexpr const char* kModelPickerFilter =
    "3DS Model (*.3ds)|*.3ds|All Files (*.3ds)|*.3ds||";
inline constexpr const char* kModelPickerFolder = ".\\model";
// Recorded for the sequence file in front of the chosen file's name.
inline constexpr const char* kModelPathPrefix = "Model/";

// "Model Units" radio buttons "-1000" ... "+1000": units 0-6 for model `index` (0-2).
void setModelUnits(CZoetraView& v, int index, int units);

// "Load Model": hides the Control Deck and asks for the model picker before the next frame.
void requestModelLoad(CZoetraView& v, int index);
bool modelLoadRequested(const CZoetraView& v);

// Runs the model picker of every model that asked for it, between two frames (never while a
// frame is being drawn: the dialog runs an event loop of its own). Each request is cleared
// first; when a file is chosen, `beforeLoad` runs (the window makes its context current again)
// and the file is imported and recorded as "Model/" + its name. The Control Deck is shown again
// in every case. Returns how many pickers ran.
int serveModelLoadRequests(CZoetraView& v, const std::function<void()>& beforeLoad = {});

// A filter of the dialogs' "text|pattern|...||" form as the platform's chooser takes it
// ("text (pattern);;...").
QString chooserFilter(const char* pairs);
