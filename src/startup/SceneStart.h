// Making the scene record, its start-up initialisation and the reset of "New".
#pragma once

#include <memory>

class CZoetraView;

// A new scene record with every block's defaults, whose key 0 starts from that look. The record
// is large (the timeline tables): it lives on the heap.
std::unique_ptr<CZoetraView> makeScene();

// Runs once after the GL context exists and is current: working folder, GL state, default
// textures, models and pictures, simulation tables and the list of stored sequences. This is the
// whole start of the command line, so that a render never depends on the profile or on a random
// stored sequence; the window then reads the user's settings, sizes itself and loads its start
// sequence (applyStartSettings, export/ExportSettings.h).
void initialiseScene(CZoetraView& v);

// The reset of "New" (the command asks its question first): every block back to its defaults,
// the text textures, picture 2 and the glyph lists reloaded, the timeline emptied, the deck
// closed. Needs the GL context current.
void resetScene(CZoetraView& v);

// Everything resetScene does except the GL work (glyph lists, texture reloads, clear colour):
// the block values, the timeline, the deck, the mouse and the start values of key 0.
void resetSceneValues(CZoetraView& v);
