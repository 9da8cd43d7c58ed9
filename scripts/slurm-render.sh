#!/usr/bin/env bash
# Renders a sequence on a Slurm cluster: a job array of N tasks, each rendering one chunk of the
# frame range into a part file, then a join job that runs once every task has succeeded and puts
# the parts together into one video. Paths must be on a filesystem every node shares.
#
# Usage: scripts/slurm-render.sh SEQUENCE OUT N [sbatch options] [-- render options]
#   SEQUENCE  a .lmt sequence file
#   OUT       the video to make (.avi or .mp4); the parts and the tasks' logs go to OUT.parts/
#   N         the number of chunks (array tasks)
#   sbatch options, e.g. --partition=render --time=1:00:00, apply to the tasks and the join;
#   render options after --, e.g. -- --codec ffv1 --size 1920x1080, to every chunk.
# Environment: LUMATOY, the program to run on the nodes (default: lumatoy on their PATH).
# Prints the ids of the array job and of the join job.
set -euo pipefail

# The array tasks and the join job run this same script with a first word of their own.
if [ "${1:-}" = "--chunk-task" ]; then
    shift
    program="$1" sequence="$2" parts="$3" extension="$4" chunks="$5"
    shift 5
    chunk="${SLURM_ARRAY_TASK_ID:?the chunk task runs as a Slurm array task}"
    part="$parts/part-$(printf '%04d' "$chunk").$extension"
    # Headless end to end: the program draws through EGL without any display.
    unset DISPLAY WAYLAND_DISPLAY
    # As many worker processes as the task has cores (each with one renderer thread), not as
    # many as the node has; a --jobs among the render options still wins, coming later.
    cores="${SLURM_CPUS_PER_TASK:-1}"
    [ "$cores" -gt 1 ] || export LP_NUM_THREADS="${LP_NUM_THREADS:-1}"
    echo "lumatoy chunk task: chunk $chunk of $chunks on $(hostname), job ${SLURM_ARRAY_JOB_ID:-?}_$chunk, $cores core(s)"
    exec "$program" render "$sequence" -o "$part" --chunks "$chunks" --chunk "$chunk" \
        --jobs "$cores" "$@"
fi
if [ "${1:-}" = "--join-task" ]; then
    shift
    program="$1" out="$2"
    shift 2
    echo "lumatoy join task: $# parts into $out on $(hostname), job ${SLURM_JOB_ID:-?}"
    exec "$program" join "$@" -o "$out"
fi

usage() {
    sed -n '5,13p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
}
[ $# -ge 3 ] || usage
sequence="$1" out="$2" chunks="$3"
shift 3
[[ "$chunks" =~ ^[1-9][0-9]*$ ]] || { echo "slurm-render.sh: N must be a positive number, not '$chunks'" >&2; exit 2; }
[ -f "$sequence" ] || { echo "slurm-render.sh: no sequence file $sequence" >&2; exit 2; }
case "$out" in
*.avi | *.mp4) ;;
*) echo "slurm-render.sh: OUT must end in .avi or .mp4: $out" >&2; exit 2 ;;
esac
sbatch_options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do
    sbatch_options+=("$1")
    shift
done
[ "${1:-}" = "--" ] && shift
render_options=("$@")

command -v sbatch >/dev/null || { echo "slurm-render.sh: sbatch is not installed here" >&2; exit 1; }
program="${LUMATOY:-lumatoy}"
# A path is made absolute; a bare name is looked up on each node's PATH.
[[ "$program" == */* ]] && program="$(realpath "$program")"
sequence="$(realpath "$sequence")"
out="$(realpath -m "$out")"
parts="${out%.*}.parts"
extension="${out##*.}"
mkdir -p "$parts"
self="$(realpath "${BASH_SOURCE[0]}")"

part_files=()
for ((k = 0; k < chunks; k++)); do
    part_files+=("$parts/part-$(printf '%04d' "$k").$extension")
done
array_id="$(sbatch --parsable --job-name=lumatoy-render --array="0-$((chunks - 1))" \
    --chdir="$parts" --output="$parts/render-%A_%a.log" "${sbatch_options[@]}" \
    "$self" --chunk-task "$program" "$sequence" "$parts" "$extension" "$chunks" \
    "${render_options[@]}")"
array_id="${array_id%%;*}"
join_id="$(sbatch --parsable --job-name=lumatoy-join --dependency="afterok:$array_id" \
    --kill-on-invalid-dep=yes --chdir="$parts" --output="$parts/join-%j.log" \
    "${sbatch_options[@]}" "$self" --join-task "$program" "$out" "${part_files[@]}")"
join_id="${join_id%%;*}"
echo "render job $array_id: $chunks chunk tasks (array 0-$((chunks - 1))), parts and logs in $parts"
echo "join job $join_id: runs after every chunk task succeeded, writes $out"
