// Joining video files rendered in pieces: the frames of each piece are copied into one file
// without being encoded again.
#pragma once

#include <QString>

class AviWriter;

// Appends every frame of the video file `path` (written by an AviWriter with the same encoder,
// size and rate as `writer`) to the initialised `writer`, in order, as it was encoded. `frames`
// counts the frames appended. Returns 0 or a negative FFmpeg status with `error` set.
int appendVideoFile(AviWriter& writer, const QString& path, int* frames, QString* error);
