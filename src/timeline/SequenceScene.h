// Between the scene and the sequence record: what a save takes from the scene, and how a
// checked record is applied to it, with the texture, model and picture reloads between items.
#pragma once

#include "timeline/SequenceFile.h"

#include <string>

class CZoetraView;

// The loads a sequence asks for while it is applied. The program uses the asset loaders
// (sceneAssetLoads()); tests record the calls instead.
class SequenceAssetLoads {
  public:
    virtual ~SequenceAssetLoads() = default;
    virtual void mipmappedTexture(CZoetraView& v, const std::string& path, unsigned& slot) = 0;
    virtual void keyedTexture(CZoetraView& v, const std::string& path, unsigned& slot) = 0;
    virtual void particleTexture(CZoetraView& v, const std::string& path) = 0;
    // Empties model `index` (0-2) and imports the 3DS file into it.
    virtual void model(CZoetraView& v, int index, const std::string& path) = 0;
    virtual void picture(CZoetraView& v, int index, const std::string& path) = 0;
    virtual void textLists(CZoetraView& v) = 0;
};

// The loads in force: the program's asset loaders unless `useSequenceAssetLoads` set others.
SequenceAssetLoads& sceneAssetLoads();
// Makes `loads` (not owned) the loads of every sequence read; nullptr restores the loaders.
void useSequenceAssetLoads(SequenceAssetLoads* loads);

// The record a save writes: version 6.0, every header item from the scene and the start
// values, one key record per key from the key tracks at its frame.
SequenceRecord captureSequence(CZoetraView& v);

// Replaces the timeline and the stored look with a record that parseSequence accepted: the
// program folder becomes the working folder, the timeline is reset, the values older files lack
// are preset, the items are applied in file order with the asset reloads between them, the keys
// are stored and baked, the text lists are rebuilt, and playback starts.
void applySequence(CZoetraView& v, const SequenceRecord& record, SequenceAssetLoads& loads);
