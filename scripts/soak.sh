#!/usr/bin/env bash
# Soaks the window: builds the soak driver with the test build (the ci preset), runs it under
# Xvfb with the openbox window manager for MINUTES (default 30) and writes its log to
# build/soak/soak-DATE.log.
# It reports resident memory at start, when warm and at the end, OpenGL errors, warnings, failed
# exports, and a crash by its signal. Exit status: 0 when it ran through without an OpenGL error,
# a failed load or export, or a crash.
# Usage: scripts/soak.sh [MINUTES] [driver options, e.g. --cycle 10 --export-every 5]
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
minutes="${1:-30}"
shift || true
"$here/scripts/setup.sh" ci >/dev/null
cmake --build --preset ci --target lumatoy_soak lumatoy >/dev/null
bin="$here/build/ci/bin"
log_dir="$here/build/soak"
mkdir -p "$log_dir"
log="$log_dir/soak-$(date +%Y%m%d-%H%M%S).log"

echo "Soaking the window for $minutes minutes; the log goes to $log" >&2
status=0
LUMATOY_HOME="$bin" QT_QPA_PLATFORM=xcb \
    "$here/tests/gui/run-with-window-manager.sh" 1280x1024 \
    "$bin/lumatoy_soak" --minutes "$minutes" "$@" >"$log" 2>&1 || status=$?
if [ "$status" -gt 128 ]; then
    echo "CRASH: the driver died of signal $((status - 128))" | tee -a "$log" >&2
fi
grep -E '^(start|end|resident|OpenGL|export|message|CRASH)' "$log" >&2 || true
# What a sequence holds differs (textures, models, particles), so the fair comparison of memory
# is the same sequence at its first visit once warm and at its last.
awk '
/^start:/ { n = $5 }
/ min: cycle / {
    c = $4; sub(",", "", c); rss = $5; steps = $8
    if (!warm && c >= n && steps >= 100) warm = 1
    if (!warm) next
    s = (c - 1) % n
    if (!(s in first)) first[s] = rss
    last[s] = rss
}
END {
    for (s in first) { d = last[s] - first[s]; total += d; if (k == 0 || d > worst) worst = d; k++ }
    if (k) printf "same sequence, first warm visit to last: mean %+.0f KiB, largest %+d KiB " \
                  "over %d sequences\n", total / k, worst, k
}' "$log" | tee -a "$log" >&2
exit "$status"
