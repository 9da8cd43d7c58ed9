// Pictures: the wave grid, the sheets' sizes and their drawing.
#pragma once

class CZoetraView;

// Depth of the wave at grid column `column` (0...44) for a phase of `flagWave` degrees: one
// sine period every 45 columns, so a phase step of 8 moves the wave by one column.
float pictureWaveDepth(int column, int flagWave);

// Start-up: the 45 x 45 grid, point (i, j) at x = i/5 - 4.5, y = j/5 - 4.5, with the wave of
// phase 0.
void buildPictureGrid(CZoetraView& v);
// Every depth of the grid again, from the current `flagWave`.
void updatePictureWave(CZoetraView& v);

// Picture `index` (0 or 1) gets its sheet size from its natural size (0.01 mm / 1000); a zero,
// negative or missing size leaves it without a sheet.
void rebuildPictureMesh(CZoetraView& v, int index);

// The pictures slot: picture 2 (unless "Picture 2 Off"), then picture 1, each a wavy sheet under
// one transform, cross-faded by the fade (the alpha of the frame before) and pushed apart by the
// separation; light 0 placed for them, lighting by the "Lighting" box. Both blend additively
// (GL_SRC_ALPHA, GL_ONE), so the fade is a true cross-fade. Leaves lighting on,
// texture-coordinate generation on, blending and texturing off, the depth test on.
void drawPictures(CZoetraView& v);
