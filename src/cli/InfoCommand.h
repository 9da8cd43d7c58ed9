// `lumatoy info FILE [--json]`: what a sequence, 3DS, TGA or picture file holds, without a display.
#pragma once

#include <QStringList>

#include <cstdio>

// `args` are the words after "info": the file, optionally "--json". The kind of file is read
// from its first bytes, not its name (a file that is missing or of no kind known goes to the
// loader its name points to, for that loader's message). Prints the description to `out` (one JSON
// object with
// --json) and returns 0; a file that is none of these, or that the loaders refuse, prints the
// reason to `err` and returns 1; bad usage returns 2.
int runInfoCommand(const QStringList& args, std::FILE* out = stdout, std::FILE* err = stderr);
