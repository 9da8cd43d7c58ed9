// Rendering on a farm: one chunk of a render per machine (`render --chunks N --chunk K`), and
// `lumatoy join`, which puts the chunks' files together into one video.
#pragma once

#include "cli/RenderToFile.h"

#include <QStringList>
#include <optional>

// --chunks N --chunk K as given; both absent: an ordinary render.
struct ChunkRequest {
    int chunks = 0;
    int chunk = -1;
    bool given() const { return chunks != 0 || chunk != -1; }
};

// The chunk a render takes: frames first...last of the render's rangeFirst...rangeLast.
struct ChunkPlan {
    int chunk = 0, chunks = 1;
    int first = 0, last = -1;
    int rangeFirst = 0, rangeLast = -1;
};

// Narrows `options` to chunk K of N equal parts of its frame range (the whole timeline unless
// --frames says otherwise) and, for a video, puts the part's tag into `video.comment`. Nullopt
// with `error` set when the request cannot be met: K out of range, N above the frame count, a
// sequence that cannot be read. Nothing is drawn or written.
std::optional<ChunkPlan> planChunk(const ChunkRequest& request, RenderOptions& options,
                                   VideoOutput* video, QString* error);

// What identifies a render's pictures apart from size, rate and range: a hash of the sequence
// file's bytes and of the switches given on the command line. Empty with `error` set when the
// sequence cannot be read.
QString renderIdentity(const RenderOptions& options, QString* error);

// "chunk 1 of 4: frames 75-149 of 0-299"
QString chunkText(const ChunkPlan& plan);

// Runs `join` with its arguments (after the word "join"); returns the exit code.
int runJoinCommand(const QStringList& args);
