// A video render spread over worker processes: each draws a contiguous chunk of the frame range
// into a file of its own, and the chunks' encoded frames are joined into the output without being
// encoded again, so the file is the one a single process writes, byte for byte.
#pragma once

#include "cli/RenderToFile.h"

#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

// `count` frames from `first` on in at most `jobs` contiguous chunks (first, last), in order,
// their lengths differing by at most one; no chunk is empty.
std::vector<std::pair<int, int>> splitFrameRange(int first, int count, int jobs);

// Whether a render into `output` can be spread: a video whose encoder makes frames that stand
// alone (joined chunks of an encoder that predicts frames from earlier ones would not give the
// bytes of a single run).
bool canSpreadRender(const VideoOutput& output);

// The command line of the worker that renders chunk (first, last) of `options` into `chunkFile`.
QStringList workerArguments(const RenderOptions& options, const VideoOutput& output,
                            const QString& chunkFile, int first, int last);

// Renders options' frame range into output.path with `jobs` worker processes of `program` (the
// lumatoy executable), each with one renderer thread of llvmpipe unless LP_NUM_THREADS says
// otherwise. Stopping (output.stopRequested) stops the workers; the frames they finished stay in
// the output, as with renderToVideo.
bool renderVideoInParallel(const RenderOptions& options, const VideoOutput& output, int jobs,
                           const QString& program, RenderReport* report, QString* error,
                           const RenderProgress& progress = {});
