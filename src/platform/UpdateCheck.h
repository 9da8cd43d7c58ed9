// "Check for Updates": fetches the update text file, compares the version it names with the
// program's own and tells the user the outcome in a message box.
//
// The update text file is plain text (UTF-8). Its first line that is not blank names the newest
// version, as numbers separated by dots ("0.2.0"; a leading "Version" or "v" is allowed); the
// next line that is not blank is the address of the page to download it from. Anything after
// those two lines is ignored. For example:
//
//     0.2.0
//     https://lumatoy.example.org/download/
#pragma once

#include "platform/WebFetch.h"

#include <QString>
#include <QStringList>
#include <optional>

inline constexpr const char* kUpdateCheckCaption = "Check for Updates";

struct UpdateNotice {
    QString version;         // as the file writes it, e.g. "0.2.0"
    QString downloadAddress; // may be empty when the file names none
};

// Reads an update text file; nullopt when its first line names no version.
std::optional<UpdateNotice> parseUpdateText(const QByteArray& text);

// Compares two versions number by number ("0.10" is newer than "0.9"; missing numbers count as
// 0): negative when a is older than b, 0 when equal, positive when a is newer. nullopt when either
// is not a version.
std::optional<int> compareVersions(const QString& a, const QString& b);

enum class UpdateOutcome { NewerAvailable, UpToDate, Unknown };

// Fetches the update text file at `address`, compares its version with `programVersion` and
// says in a message box whether a newer version exists (with its address), that this one is
// current, or why it could not tell. Returns what it said.
UpdateOutcome checkForUpdates(const QString& address, const QString& programVersion,
                              int timeoutMs = kWebFetchTimeoutMs);
