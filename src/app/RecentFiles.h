// The four most recent sequence files, kept in the profile's "Recent File List" section as the
// entries "File1" (newest) ... "File4".
#pragma once

#include <QStringList>

namespace recentFiles {

inline constexpr int kCount = 4;

// The list, newest first.
QStringList list();
// Puts `path` (made absolute) at the top; the oldest beyond four drops off.
void add(const QString& path);
void remove(const QString& path);

} // namespace recentFiles
