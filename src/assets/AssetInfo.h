// `lumatoy info FILE [--json]`: what a 3DS, TGA or picture file holds, without a display.
#pragma once

#include <QStringList>

#include <cstdio>

// `args` are the words after "info": the file, optionally "--json". Prints the description to
// `out` (one JSON object with --json) and returns 0; a file the loaders refuse prints their
// message to `err` and returns 1; bad usage returns 2.
int runInfoCommand(const QStringList& args, std::FILE* out = stdout, std::FILE* err = stderr);
