#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lumatoy. Without a display and without arguments it
# renders a short demo video headless and says where it went.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/setup.sh" dev
bin="$here/build/dev/bin/lumatoy"
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="$here/build/demo/demo.avi"
    mkdir -p "$(dirname "$out")"
    echo "No display: rendering a five-second demo video headless." >&2
    "$bin" render -o "$out" --frames 0-149
    echo "Demo video written to $out"
    exit 0
fi
exec "$bin" "$@"
