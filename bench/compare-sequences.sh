#!/usr/bin/env bash
# Export speed of every stored sequence, before and after a change, measured side by side:
# each sequence is rendered whole at 720x480 (Motion JPEG) by the old and the new program in
# turn (the order swapped every round), so that the load of a shared machine hits both alike.
#
#   bench/compare-sequences.sh OLD_BIN_DIR NEW_BIN_DIR [ROUNDS] [EXTRA NEW OPTIONS...]
#       OLD_BIN_DIR, NEW_BIN_DIR: folders holding lumatoy and its Sequences/ (a build's bin/)
#   prints: | sequence | frames | old fps | new fps | new / old |
#   MEASURE=cpu: frames per second of processor time (user + system, every thread) instead of
#   wall time: on a machine other work keeps busy this is the steadier figure to compare.
set -euo pipefail
old="$1"; new="$2"; rounds="${3:-1}"; shift 3 || shift $#
extra=("$@")
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

fps() { # program, sequence or "", options...
    local program="$1" sequence="$2"; shift 2
    local args=(render)
    [ -n "$sequence" ] && args+=("$sequence")
    args+=(-o "$out/clip.avi" --format 1 "$@")
    if [ "${MEASURE:-wall}" = cpu ]; then
        local frames
        frames=$(/usr/bin/time -o "$out/cpu" -f "%U %S" "$program" "${args[@]}" 2>/dev/null |
            sed -n 's/^rendered \([0-9]*\) frames .*/\1/p')
        awk -v frames="$frames" '{ printf "%d %.2f\n", frames, frames / ($1 + $2) }' "$out/cpu"
    else
        "$program" "${args[@]}" 2>/dev/null |
            sed -n 's/^rendered \([0-9]*\) frames .* in \([0-9.]*\) s:.*/\1 \2/p' |
            awk '{ printf "%d %.2f\n", $1, $1 / $2 }'
    fi
}

echo "| sequence | frames | old fps | new fps | new / old |"
echo "|---|---|---|---|---|"
names=("")
while IFS= read -r f; do names+=("$f"); done < <(ls "$new/Sequences"/*.lmt)
for seq in "${names[@]}"; do
    label="default look"
    [ -n "$seq" ] && label="$(basename "$seq" .lmt)"
    o=0; n=0; frames=0
    for ((r = 0; r < rounds; r++)); do
        if ((r % 2 == 0)); then
            read -r frames a < <(fps "$old/lumatoy" "$seq")
            read -r frames b < <(fps "$new/lumatoy" "$seq" "${extra[@]}")
        else
            read -r frames b < <(fps "$new/lumatoy" "$seq" "${extra[@]}")
            read -r frames a < <(fps "$old/lumatoy" "$seq")
        fi
        o=$(echo "$o + $a" | bc -l); n=$(echo "$n + $b" | bc -l)
    done
    printf "| %s | %d | %.1f | %.1f | %.2f |\n" "$label" "$frames" "$(echo "$o / $rounds" | bc -l)" \
        "$(echo "$n / $rounds" | bc -l)" "$(echo "$n / $o" | bc -l)"
done
