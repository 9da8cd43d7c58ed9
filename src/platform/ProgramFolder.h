// The program folder (the one holding Textures/, Particles/, Images/, model/ and Sequences/) and
// the resolution of the relative asset paths stored in sequence files.
#pragma once

#include <QString>

// $LUMATOY_HOME when set; else programFolderBeside(the executable's folder).
QString programFolder();

// The program folder of an executable in `executableFolder` without $LUMATOY_HOME: that folder
// itself when it holds "Textures" (a build tree); else the data folder of an installed tree beside
// it, `../share/lumatoy`, wherever that tree was unpacked; else the data folder the build was
// configured for.
QString programFolderBeside(const QString& executableFolder);

// Resolves a stored path against `base` (the program folder when empty). Accepts `\` as a
// separator and, where a path component does not exist as written, takes the entry of that folder
// whose name matches it ignoring case ("Model/tardis.3DS" finds "model/Tardis.3ds"). Components
// that match nothing are kept as written, so the result names where the file would be. Addresses
// such as "http://..." come back unchanged.
QString resolveProgramPath(const QString& path, const QString& base = QString());
