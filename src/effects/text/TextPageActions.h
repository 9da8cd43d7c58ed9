// The Text page's own controls as scene operations: the multi-line text, the style and material
// combos, "Change Font" and "Font Color". The deck's Text page calls them; nothing here is a
// widget.
#pragma once

#include <QColor>
#include <QString>
#include <QStringList>

class CZoetraView;

// The entries of the style and material combos, in their order.
QStringList textStyleEntries();
QStringList textMaterialEntries();

// The text as the multi-line edit shows it (line ends as "\n") and the edit's text stored as the
// 3D text: each line ends with carriage return and line feed, characters beyond Latin-1 become
// "?", and at most 30,000 characters are kept.
QString textForEdit(const CZoetraView& v);
void setTextFromEdit(CZoetraView& v, const QString& text);

// A style entry was chosen: 0-4 set the surface style, "WireFrame" and "Solid" switch the
// outline glyphs on and off and rebuild the glyph lists (GL context current), "Shiny Texture
// On" / "Off" switch the reflection pass. The entry is recorded as the page's style entry.
void chooseTextStyleEntry(CZoetraView& v, int entry);
// A material entry was chosen: only "User Defined" applies a material of its own (the drawing
// reads the recorded entry).
void chooseTextMaterialEntry(CZoetraView& v, int entry);

// "Change Font": the font chooser, starting from the current face, weight and italic flag; a
// confirmed choice becomes the text's font. True when a font was chosen. The glyph lists are to
// be rebuilt afterwards in every case (rebuildTextGlyphs).
bool askTextFont(CZoetraView& v);
// Rebuilds the glyph lists for the current font and glyph style (GL context current).
void rebuildTextGlyphs(CZoetraView& v);

// "Font Color": the colour chooser, starting from `lastChosen` (the page's last choice); a
// confirmed colour becomes the font colour and the new `lastChosen`. A cancelled chooser changes
// nothing. True when a colour was chosen.
bool askFontColour(CZoetraView& v, QColor& lastChosen);
