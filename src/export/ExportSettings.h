// Export settings: the profile values and the preset's window size and rate.
#pragma once

#include <QString>
#include <memory>

class CZoetraView;
class QSettings;

// Where the profile lives: an INI file named after the organisation and the application under
// the user's configuration folder.
inline constexpr const char* kProfileOrganisation = "Local AppWizard-Generated Applications";
inline constexpr const char* kProfileApplication = "Lumatoy";

// The profile sections in the order they are written; each holds the entry "Value".
inline constexpr const char* kLockSection = "Lock frame rate to AVI Speed";
inline constexpr const char* kRandomSection = "Random Sequence On Start Up";
inline constexpr const char* kPresetLoopSection = "Preset Loop";
inline constexpr const char* kExportPresetSection = "Avi Export Settings";
inline constexpr const char* kResizeSection = "Resize";

// The main window's outer size when the settings do not size it for a format.
inline constexpr int kPlainWindowWidth = 800;
inline constexpr int kPlainWindowHeight = 600;
inline constexpr int kPlainFrameRate = 30;

std::unique_ptr<QSettings> openProfile();
// One profile integer: the entry "Value" of `section`, or `fallback` when absent or not a number.
int readProfileInt(QSettings& profile, const char* section, int fallback);
void writeProfileInt(QSettings& profile, const char* section, int value);

// What the settings dialog edits.
struct SettingsChoice {
    int lock = 1;
    int random = 1;
    int presetLoop = 0; // the dialog has no control for it: applying always stores 0
    int formatIndex = 0;
    int resize = 0;
};

// The five settings from the profile into the view (default 1 each).
void readSettings(CZoetraView& v);
// The five settings from the view into the profile, in section order.
void writeSettings(const CZoetraView& v);

// Start-up sizing: 800 x 600 at 30 frames per second with resizing off, else the outer size and
// rate of the chosen format. A preset outside the table leaves size and rate as they are.
void applyPresetWindowSize(CZoetraView& v);

// The window's start, after initialiseScene (startup/SceneStart.h): the five settings from the
// profile, the window sized for the chosen format, and the start sequence (the file named on the
// command line, a random stored one, or none).
void applyStartSettings(CZoetraView& v);

// The dialog's starting values taken from the view.
SettingsChoice settingsChoiceFromView(const CZoetraView& v);
// "Apply": stores the choice in the view and the profile, then, with resizing on, gives the main
// window the format's outer size and takes its frame rate.
void applySettingsChoice(CZoetraView& v, const SettingsChoice& choice);
