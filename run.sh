#!/usr/bin/env bash
# Installs what is missing, builds, and runs Lumatoy. Without a display and without arguments it
# renders a stored sequence that shows every layer moving into a video headless and says where it
# went (the default look when the stored sequence is missing).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/setup.sh" dev
bin="$here/build/dev/bin/lumatoy"
if [ $# -eq 0 ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    out="$here/build/demo/demo.avi"
    demo="$here/build/dev/bin/Sequences/Everything at Once.lmt"
    mkdir -p "$(dirname "$out")"
    if [ -f "$demo" ]; then
        echo "No display: rendering the stored sequence \"Everything at Once\" headless." >&2
        "$bin" render "$demo" -o "$out"
    else
        echo "No display: rendering a five-second demo video headless." >&2
        "$bin" render -o "$out" --frames 0-149
    fi
    echo "Demo video written to $out"
    exit 0
fi
exec "$bin" "$@"
