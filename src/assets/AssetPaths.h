// Finding asset files: stored paths from other systems, and files of the program folder.
#pragma once

#include <QString>

// The file a stored asset path names on this system: `\` counts as a separator, and when the
// path does not exist as written each component is matched without regard to case
// ("Model/Tardis.3ds" finds "model/Tardis.3ds"). Returns the path unchanged when nothing matches.
QString resolveAssetFile(const QString& path);

// A file of the program folder (e.g. "res/splash.bmp"): looked up in the working folder, beside
// the executable, under $LUMATOY_HOME and in the installed data folder. Returns the first that
// exists, else `relative` unchanged.
QString findProgramFile(const QString& relative);
