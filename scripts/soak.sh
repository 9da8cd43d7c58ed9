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
exit "$status"
