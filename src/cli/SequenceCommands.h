// Command-line work on sequence files: `lumatoy convert IN OUT` between .lmt and .json, and the
// .lmt case of `lumatoy info`.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdio>

// `args` are the words after "convert": IN and OUT, each .lmt or .json. Returns 0 on success,
// 1 when a file cannot be read, checked or written (the reason on `err`), 2 on bad usage.
int runConvertCommand(const QStringList& args, std::FILE* err = stderr);

// What a sequence file holds: version, keys and their frames, timeline length, the layers that
// are on, the text, the font and the asset paths; with `json` as one JSON object. Returns 0, or
// 1 with the reason on `err` when the file is refused.
int describeSequence(const QString& path, bool json, std::FILE* out = stdout,
                     std::FILE* err = stderr);
