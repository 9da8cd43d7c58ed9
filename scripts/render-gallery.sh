#!/usr/bin/env bash
# Renders one still, the middle frame, of every stored sequence (sequences/*.json) into
# docs/gallery/<name>.png (lower case, dashes for spaces) and prints a Markdown table of the
# pictures for the README. With ffmpeg on the PATH the stills are reduced to 256 colours.
#
# Usage: scripts/render-gallery.sh [LUMATOY] [SIZE]
#   LUMATOY  the program to render with (default build/dev/bin/lumatoy)
#   SIZE     still size (default 480x320)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
lumatoy=${1:-$root/build/dev/bin/lumatoy}
size=${2:-480x320}
out=$root/docs/gallery
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

rows=()
for json in "$root"/sequences/*.json; do
    name=$(basename "$json" .json)
    slug=$(printf '%s' "$name" | tr '[:upper:]' '[:lower:]' | tr -c 'a-z0-9\n' '-')
    "$lumatoy" convert "$json" "$work/$slug.lmt"
    # The timeline ends at the last key's frame.
    last=$(python3 -c 'import json, sys; k = json.load(open(sys.argv[1]))["keys"]; print(k[-1]["frame"] if k else 0)' "$json")
    middle=$((last / 2))
    mkdir -p "$work/$slug"
    "$lumatoy" render "$work/$slug.lmt" -o "$work/$slug/" --frames "$middle-$middle" \
        --size "$size" >/dev/null
    # A 256-colour palette keeps each still small enough for the repository.
    if command -v ffmpeg >/dev/null; then
        ffmpeg -hide_banner -loglevel error -y -i "$work/$slug"/*.png \
            -vf "split[a][b];[a]palettegen=max_colors=256[p];[b][p]paletteuse=dither=sierra2_4a" \
            "$out/$slug.png"
    else
        mv "$work/$slug"/*.png "$out/$slug.png"
    fi
    seconds=$(python3 -c "print(f'{$last / 30:g}')")
    rows+=("| ![$name](docs/gallery/$slug.png) | **$name** — ${seconds} s, frame $middle of $last |")
    echo "rendered $out/$slug.png" >&2
done

echo "| Still | Sequence |"
echo "|---|---|"
printf '%s\n' "${rows[@]}"
