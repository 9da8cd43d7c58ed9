#!/usr/bin/env bash
# Installs what is missing, builds with warnings as errors, and runs every test (GUI tests under Xvfb).
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$here/scripts/setup.sh" ci
cd "$here"
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset ci -j "$(nproc)" "$@"
