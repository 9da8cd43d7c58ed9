// "Export Video", "Save Bitmap" and "Copy to Clipboard" as the window runs them: frames drawn into
// an offscreen framebuffer of the wanted size in the view's GL context and read back from there.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

class CZoetraView;

// Runs `work` with the view's GL context current (the window passes its own; tests too).
using ViewContextRunner = std::function<void(const std::function<void()>& work)>;

inline constexpr const char* kNothingToRecordText =
    "Please create or load a keyframe sequence. There currently nothing to record.";
inline constexpr const char* kViewVideoQuestion =
    "Would You Like to View the Video You've Just Created? If you click Yes, Lumatoy will try to "
    "open the AVI in your default Media Player Software";
inline constexpr const char* kVideoSaveTitle = "Save a Lumatoy Video Clip";

// What an export run did, for the caller and for tests.
struct ExportOutcome {
    bool started = false;  // a file was chosen and the writer was asked to start
    int framesWritten = 0; // frames that reached the file
    bool cancelled = false;
    bool writeFailed = false; // a frame could not be written (the user has been told)
};

// The Export Video command: asks for a file, records the timeline's frames 0 ... last key - 1
// through the playback composer at the size and rate of the view's export format (each side
// rounded down to a multiple of 4) on the virtual clock, with a progress window whose Cancel
// keeps the frames written so far, then offers to open the file. The view's own window is left
// as it is; only its viewport fields follow the frame size during the run.
// `showFrame`, when given, is handed each recorded frame (BGR rows, bottom row first) so that the
// window can show what goes into the file.
using RecordedFrameViewer =
    std::function<void(const std::uint8_t* bgrBottomUp, int width, int height)>;
ExportOutcome exportVideo(CZoetraView& v, const ViewContextRunner& inViewContext,
                          const RecordedFrameViewer& showFrame = {});

// True while exportVideo records: the view must neither draw frames of its own nor change its
// viewport meanwhile.
bool exportRunning(const CZoetraView& v);

// Draws a fresh frame of the view's client area (viewportWidth x viewportHeight) offscreen and
// reads it back as RGB rows, bottom row first. Needs the view's context current. Empty when no
// framebuffer could be made.
std::vector<std::uint8_t> captureClientArea(CZoetraView& v);

// "Save Bitmap" and "Copy to Clipboard": the deck is hidden while the frame is drawn and read,
// then shown again if it was open.
void saveBitmapCommand(CZoetraView& v, const ViewContextRunner& inViewContext);
void copyToClipboardCommand(CZoetraView& v, const ViewContextRunner& inViewContext);
