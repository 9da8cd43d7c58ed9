// The toolbar's pictures: strips of 48-pixel-wide images, in normal, hot and disabled sets.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>
#include <vector>

struct ToolbarIcons {
    bool loaded = false;      // false: the normal strip is missing or unreadable
    QSize size;               // one image: 48 pixels wide, as high as the strip
    std::vector<QIcon> icons; // one per toolbar button, in strip order
};

inline constexpr int kToolbarImageWidth = 48;

// Cuts `strip` into images `kToolbarImageWidth` wide, each made transparent where it has the colour
// of the strip's first pixel. An empty strip gives none.
std::vector<QPixmap> cutToolbarStrip(const QImage& strip);

// Loads res/toolbar-normal.bmp, res/toolbar-hot.bmp and res/toolbar-disabled.bmp of the program
// folder. Without a usable normal strip nothing is loaded; a missing hot or disabled strip leaves
// those states to Qt.
ToolbarIcons loadToolbarIcons(int buttonCount);
