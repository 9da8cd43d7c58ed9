// The 17 video formats of the export settings: combo label, frame rate and the window sizes.
#pragma once

#include <QSize>

struct ExportFormat {
    const char* label; // the settings dialog's combo entry, shown exactly as it stands
    int rate;          // frames per second
    QSize labelSize;   // the frame size the label names
    QSize resizeSize;  // main window's outer size when the settings resize it
    QSize exportSize;  // main window's outer size while an export records
};

inline constexpr int kExportFormatCount = 17;

// The format at `index` (the `exportPreset` value), or nullptr when it lies outside 0-16.
const ExportFormat* exportFormat(int index);

// The frame recorded from a drawing area: each side rounded down to a multiple of 4.
QSize recordedFrameSize(QSize clientArea);
