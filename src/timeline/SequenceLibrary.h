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

// The file dialogs of Open Sequence and Save Sequence; empty when cancelled. A name typed without
// an extension gets ".lmt".
QString chooseSequenceToOpen();
QString chooseSequenceToSave();
// File > Open Sequence and File > Save Sequence: the file dialogs, then read or write.
void openSequence(CZoetraView& v);
void saveSequence(CZoetraView& v);

// The stored sequences: the program's "Sequences" folder, and the user's own
// ($XDG_DATA_HOME/lumatoy/Sequences, by default ~/.local/share/lumatoy/Sequences) where "Add to
// Presets" saves when the program's folder cannot be written (an installed copy).
QString programSequencesFolder();
QString userSequencesFolder();

// Lists the "lmt" files of the program's sequences folder, then those of the user's, after
// "Nothing Selected" (at most 1,023 names, each folder in name order); a user file with the name
// of a stored one is listed once, in the stored one's place, and stands for the user's copy. The
// program's sequences folder stays the working folder.
void scanSequences(CZoetraView& v);
// Loads the stored sequence listed at `index` (1 ...), telling the user why a file is refused;
// the scene stays as it was then.
bool loadStoredSequence(CZoetraView& v, int index);
// "Add to Presets": saves into the program's sequences folder, or into the user's when that one
// cannot be written, then lists the sequences again.
void addToPresets(CZoetraView& v);
// Loads a random stored sequence (never entry 0); a broken one is skipped with a line on stderr
// and the next one tried. With none stored, or none readable, the scene keeps its look.
void loadRandomSequence(CZoetraView& v);
// The start-up sequence: the file named on the command line, else a random stored one when the
// setting asks for it, else the defaults.
void loadStartSequence(CZoetraView& v);
