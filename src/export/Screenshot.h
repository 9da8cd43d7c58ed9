// "Save Bitmap" and "Copy to Clipboard": the current frame as a 24-bit BMP file or a picture.
#pragma once

#include <QString>
#include <cstdint>

// Asks for a file name ("Export Screenshot") and writes the frame there as a bottom-up 24-bit BMP.
// `rgbBottomUp` holds the frame as glReadPixels gives it for a client area of the given size; the
// width is rounded down to a multiple of 4. A file that cannot be written is reported to the user.
// Returns true when a file was written.
bool saveBitmap(const std::uint8_t* rgbBottomUp, int clientWidth, int clientHeight);

// Puts the same frame on the clipboard as a picture.
void copyFrameToClipboard(const std::uint8_t* rgbBottomUp, int clientWidth, int clientHeight);
