// What a Control Deck page does to the scene, without widgets: slider positions of an entry's
// values, numbers typed into its edits, toggle clicks and captions, the mouse target a page
// brings, and the file dialogs of its pickers.
#pragma once

#include "effects/ControlTable.h"
#include "platform/Platform.h"
#include "scene/Switch.h"

#include <QString>
#include <optional>

// The slider position that shows `value`: value / scale truncated toward zero (0 for a value
// that is not a number; the ends of the int range beyond it).
int valuePosition(float value, float scale);

// The position an entry's value n shows; nullopt when the entry has no value there.
std::optional<int> entryPosition(CZoetraView& v, const ControlPage& page, const ControlEntry& entry,
                                 int n);
// Stores slider position `position` of value n (value = position x scale); false when the entry
// has no value there.
bool setEntryPosition(CZoetraView& v, const ControlPage& page, const ControlEntry& entry, int n,
                      int position);

// A number typed into an edit box: a whole number (an optional sign, digits, spaces around it),
// taken as typed, whatever the slider beside the box can reach; any number of digits, a number
// beyond the int range stopping at its end. Nullopt for anything else: an empty box, a lone "-",
// letters, fractions.
std::optional<int> parseEditNumber(const QString& text);

// One click on a toggle: the click counter advances, the flag takes the value of that click of
// the cycle, and the toggle's own effect runs. Returns which click it was.
Click clickToggle(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle);
// Which caption a push button shows for the flag as it stands: 0 for the first click's state, 1
// for the second's (a flag that matches neither follows the click counter).
int toggleCaption(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle);
// The text of a toggle push button: its opening caption until it is first clicked on the page,
// then the caption of its flag.
const char* toggleButtonText(CZoetraView& v, const ControlPage& page, const ToggleSpec& toggle,
                             bool clickedSincePageOpened);

// The page became the active tab: it makes its switch the only mouse target and sets
// `mousePage` (pages that keep the target change nothing), then runs its activation hook.
void activatePage(CZoetraView& v, const ControlPage& page);

// A picker's dialog: the title, the filter turned from "text|pattern|...||" into the chooser's
// "text (pattern);;..." form, and the folder under the program folder.
FileChoice pickerChoice(const AssetPicker& picker);
QString pickerFilter(const char* pairs);
QString pickerFolder(const char* folder);
// What the sequence file records for a chosen file: the picker's prefix and the file's name.
std::string pickerRecordedPath(const AssetPicker& picker, const QString& chosenPath);
