#!/usr/bin/env bash
# Encoding alone: the program's video writer against the ffmpeg command line, on the same 300
# rendered 720x480 frames (bgr24, bottom row first; the orientation does not change the work).
#   bench/compare-ffmpeg.sh [BUILD_BIN_FOLDER]      (default build/dev/bin)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bin="${1:-$here/build/dev/bin}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$work}"
TIMEFORMAT='%R s wall, %U s user'

"$bin/lumatoy_export_bench" --dump-raw "$work/frames.raw" --frames 300 --size 720x480

echo "== lumatoy writer (Motion JPEG, quality 85 = qscale 6, yuvj420p, one thread)"
"$bin/lumatoy_export_bench" --encode-raw "$work/frames.raw" --size 720x480 --codec mjpeg \
    --out "$work/lumatoy.avi"
ls -l "$work/lumatoy.avi" | awk '{print $5 " bytes"}'

ffmpeg_mjpeg() { # name, extra options...
    local name="$1"
    shift
    echo "== ffmpeg -f rawvideo -pix_fmt bgr24 -s 720x480 -i frames.raw -c:v mjpeg $*"
    time ffmpeg -nostdin -v error -y -f rawvideo -pix_fmt bgr24 -s 720x480 -r 30 \
        -i "$work/frames.raw" -c:v mjpeg "$@" "$work/$name.avi"
    ls -l "$work/$name.avi" | awk '{print $5 " bytes"}'
}
ffmpeg_mjpeg ffmpeg-defaults
ffmpeg_mjpeg ffmpeg-matched -q:v 6 -pix_fmt yuvj420p -threads 1
ffmpeg_mjpeg ffmpeg-matched-threads -q:v 6 -pix_fmt yuvj420p
