#!/usr/bin/env bash
# Installs the Debian packages Lumatoy needs that are missing, then configures and builds.
# Usage: scripts/setup.sh PRESET   (dev, ci or asan)
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
preset="${1:-dev}"

mapfile -t wanted < <(grep -v '^\s*#' "$here/scripts/debian-packages.txt" | grep -v '^\s*$')
missing=()
for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}" >&2
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cd "$here"
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j "$(nproc)"
