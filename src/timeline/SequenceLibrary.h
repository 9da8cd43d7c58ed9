// Sequence files on disk: reading and writing them, the Open and Save commands, the folder of
// stored sequences ("presets"), the random choice among them and the start-up sequence.
#pragma once

#include <QString>

class CZoetraView;
class EffectLoads;

// Reads a whole sequence file, checks it and applies it (the timeline is replaced, the stored
// assets reloaded, playback starts). A file that cannot be read or does not pass the checks
// changes nothing; the reason is in `error`. `loads` defaults to the program's asset loaders.
bool loadSequenceFile(CZoetraView& v, const QString& path, QString* error = nullptr,
                      EffectLoads* loads = nullptr);
// The same, telling the user why a file is refused.
bool readSequence(CZoetraView& v, const QString& path);

// Writes the scene's sequence (version 6.0) into a temporary file beside `path` and renames it
// over `path` only once complete; a failed save leaves any existing file untouched and puts the
// reason in `error`.
bool saveSequenceFile(CZoetraView& v, const QString& path, QString* error = nullptr);
// The same, telling the user why a save failed.
bool writeSequence(CZoetraView& v, const QString& path);

// Number of frames playback draws: frames 0 ... last key - 1.
int sequenceFrameCount(const CZoetraView& v);

// File > Open Sequence and File > Save Sequence: the file dialogs, then read or write.
void openSequence(CZoetraView& v);
void saveSequence(CZoetraView& v);

// Lists the "lmt" files of the sequences folder after "Nothing Selected" (at most 1,023 names);
// the sequences folder stays the working folder.
void scanSequences(CZoetraView& v);
// "Add to Presets": saves into the sequences folder, then lists the folder again.
void addToPresets(CZoetraView& v);
// Loads a random stored sequence (never entry 0); with none stored the scene keeps its look.
void loadRandomSequence(CZoetraView& v);
// The start-up sequence: the file named on the command line, else a random stored one when the
// setting asks for it, else the defaults.
void loadStartSequence(CZoetraView& v);
