// The command line: help, version, and the headless sub-commands.
#pragma once

#include <QStringList>
#include <optional>

// Text of `lumatoy --help`.
QString usageText();

// The worker processes a video render uses unless --jobs says otherwise: the machine's cores.
int defaultJobs();

// Runs `render` with its arguments (after the word "render"); returns the exit code.
int runRenderCommand(const QStringList& args);

// Makes a path the user typed absolute against the folder the program was started in, before
// the program changes its working folder.
QString absoluteUserPath(const QString& path);

// Parses "A-B" or "N" into a frame range; nullopt when malformed.
std::optional<std::pair<int, int>> parseFrameRange(const QString& text);
// Parses "WxH"; nullopt when malformed or not positive.
std::optional<std::pair<int, int>> parseSize(const QString& text);
