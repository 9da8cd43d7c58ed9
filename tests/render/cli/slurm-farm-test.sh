#!/usr/bin/env bash
# Starts a single-node Slurm cluster from Debian's packages (munged, slurmctld and slurmd in the
# foreground, state and spool in a scratch folder), renders a stored sequence with particles,
# fire and the radial blur in 4 chunks through scripts/slurm-render.sh, and checks that every
# decoded frame of the joined video equals the single-process render's. The daemons are stopped
# by their process ids at the end, also when a check fails. Skips (exit 77) with a line saying
# why where the packages cannot be installed.
# Usage: slurm-farm-test.sh LUMATOY_PROGRAM SLURM_RENDER_SCRIPT   (LUMATOY_HOME: the data folder)
set -euo pipefail
program="$(realpath "${1:?usage: slurm-farm-test.sh LUMATOY SLURM_RENDER_SCRIPT}")"
farm="$(realpath "${2:?usage: slurm-farm-test.sh LUMATOY SLURM_RENDER_SCRIPT}")"
export PATH="$PATH:/usr/sbin:/sbin"
packages=(slurmctld slurmd slurm-client munge)
tools=(munged munge unmunge slurmctld slurmd sbatch squeue sinfo scontrol)

skip() { echo "SKIPPED: $*"; exit 77; }
die() { echo "FAILED: $*" >&2; exit 1; }
missing() {
    local tool
    for tool in "${tools[@]}"; do command -v "$tool" >/dev/null || { echo "$tool"; return; }; done
}

command -v ffmpeg >/dev/null || skip "ffmpeg is not installed (scripts/setup.sh installs it)"
[ "$(id -u)" -eq 0 ] || skip "slurmd has to run as root to start jobs; run this test as root"
if [ -n "$(missing)" ]; then
    echo "installing ${packages[*]} (missing: $(missing))"
    if ! command -v apt-get >/dev/null ||
        ! DEBIAN_FRONTEND=noninteractive timeout 600 apt-get install -y -qq \
            --no-install-recommends -o DPkg::Lock::Timeout=120 "${packages[@]}" >/dev/null 2>&1; then
        skip "the Slurm packages (${packages[*]}) cannot be installed here"
    fi
    [ -z "$(missing)" ] || skip "the Slurm packages were installed but $(missing) is missing"
fi

work="$(mktemp -d /tmp/lumatoy-slurm.XXXXXX)"
chmod 755 "$work"
pids=()
stop_daemons() {
    local pid tries
    for pid in "${pids[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
    for pid in "${pids[@]}"; do
        for ((tries = 0; tries < 50; tries++)); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
}
finish() {
    local status=$?
    stop_daemons
    if [ "$status" -ne 0 ] && [ "$status" -ne 77 ]; then
        for log in "$work"/*.log "$work"/out/farm.parts/*.log; do
            [ -f "$log" ] || continue
            echo "---- $log" >&2
            tail -n 25 "$log" >&2
        done
    fi
    rm -rf "$work"
}
trap finish EXIT

started=$SECONDS
# Two free TCP ports for the daemons, so that a cluster already on this machine is left alone.
port_in_use() {
    grep -qi ":$(printf '%04X' "$1") [0-9A-F]*:[0-9A-F]* 0A" /proc/net/tcp /proc/net/tcp6 2>/dev/null
}
free_port() {
    local port
    while :; do
        port=$((20000 + RANDOM % 40000))
        [ "$port" != "${1:-}" ] && ! port_in_use "$port" && { echo "$port"; return; }
    done
}
ctld_port="$(free_port)"
slurmd_port="$(free_port "$ctld_port")"

# MUNGE, the cluster's authentication, on a socket of its own.
mkdir -m 700 "$work/munge"
dd if=/dev/urandom of="$work/munge/munge.key" bs=1024 count=1 status=none
chmod 400 "$work/munge/munge.key"
socket="$work/munge/munge.socket"
munged --foreground --force --key-file="$work/munge/munge.key" --socket="$socket" \
    --pid-file="$work/munge/munged.pid" --log-file="$work/munged.log" \
    --seed-file="$work/munge/munged.seed" >>"$work/munged.log" 2>&1 &
pids+=($!)
for ((i = 0; i < 100; i++)); do
    munge -n -S "$socket" 2>/dev/null | unmunge -S "$socket" >/dev/null 2>&1 && break
    sleep 0.1
done
munge -n -S "$socket" | unmunge -S "$socket" >/dev/null || die "munged did not start"

# One node, this machine, in one partition.
node="$(hostname -s)"
mkdir -p "$work/state" "$work/spool" "$work/out"
export SLURM_CONF="$work/slurm.conf"
cat >"$SLURM_CONF" <<CONF
ClusterName=lumatoytest
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$ctld_port
SlurmdPort=$slurmd_port
SlurmUser=root
SlurmdUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$socket
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/slurmctld.log
SlurmdLogFile=$work/slurmd.log
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
JobAcctGatherType=jobacct_gather/none
AccountingStorageType=accounting_storage/none
JobCompType=jobcomp/none
MpiDefault=none
SchedulerType=sched/backfill
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
ReturnToService=2
SlurmdTimeout=60
NodeName=$node NodeAddr=127.0.0.1 CPUs=$(nproc) State=UNKNOWN
PartitionName=farm Nodes=ALL Default=YES MaxTime=INFINITE State=UP
CONF
slurmctld -D -c -f "$SLURM_CONF" >>"$work/slurmctld.log" 2>&1 &
pids+=($!)
slurmd -D -f "$SLURM_CONF" >>"$work/slurmd.log" 2>&1 &
pids+=($!)
state=""
for ((i = 0; i < 300; i++)); do
    state="$(sinfo -h -N -o '%t' 2>/dev/null || true)"
    [ "$state" = idle ] && break
    sleep 0.2
done
[ "$state" = idle ] || die "the node did not come up (state '$state')"
echo "cluster up in $((SECONDS - started)) s: node $node, controller on port $ctld_port"

# The farm render: 4 chunks in a job array, then the join.
sequence="$LUMATOY_HOME/Sequences/Everything at Once.lmt"
[ -f "$sequence" ] || die "no stored sequence at $sequence"
options=(--size 160x120 --frames 100-139 --codec ffv1)
farm_started=$SECONDS
LUMATOY="$program" "$farm" "$sequence" "$work/out/farm.avi" 4 --partition=farm -- \
    "${options[@]}" | tee "$work/submit.txt"
array_id="$(sed -n 's/^render job \([0-9]*\): 4 chunk tasks.*/\1/p' "$work/submit.txt")"
join_id="$(sed -n 's/^join job \([0-9]*\):.*/\1/p' "$work/submit.txt")"
if [ -z "$array_id" ] || [ -z "$join_id" ]; then die "slurm-render.sh did not print both job ids"; fi

# The single-process render meanwhile.
"$program" render "$sequence" -o "$work/single.avi" "${options[@]}" --jobs 1 >/dev/null 2>&1 ||
    die "the single-process render failed"

join_state=""
for ((i = 0; i < 600; i++)); do
    join_state="$(scontrol show job "$join_id" 2>/dev/null | sed -n 's/.*JobState=\([A-Z_]*\).*/\1/p')"
    case "$join_state" in COMPLETED | FAILED | CANCELLED | TIMEOUT | NODE_FAIL | OUT_OF_MEMORY) break ;; esac
    sleep 0.5
done
[ "$join_state" = COMPLETED ] || die "the join job ended as '$join_state'"
echo "farm render and join done in $((SECONDS - farm_started)) s"

# Each task's log names its chunk, its range and its speed.
parts="$work/out/farm.parts"
ranges=(100-109 110-119 120-129 130-139)
for k in 0 1 2 3; do
    log="$parts/render-${array_id}_$k.log"
    [ -f "$log" ] || die "no log for chunk $k"
    grep -q "^chunk $k of 4: frames ${ranges[$k]} of 100-139$" "$log" || die "chunk $k's log: $(cat "$log")"
    grep -Eq "^chunk $k of 4: frames ${ranges[$k]} of 100-139: 10 frames in [0-9.]+ s, [0-9.]+ frames per second$" "$log" ||
        die "chunk $k's log lacks its speed: $(cat "$log")"
done
grep -q "^joined 4 parts into $work/out/farm.avi: frames 100-139 (40 frames)" "$parts"/join-"$join_id".log ||
    die "the join's log: $(cat "$parts"/join-*.log)"

# Frame for frame the single render.
framemd5() { ffmpeg -v error -i "$1" -map 0:v -f framemd5 - | grep -v '^#'; }
framemd5 "$work/out/farm.avi" >"$work/farm.md5"
framemd5 "$work/single.avi" >"$work/single.md5"
frames="$(wc -l <"$work/farm.md5")"
[ "$frames" -eq 40 ] || die "the joined video has $frames frames, not 40"
cmp -s "$work/farm.md5" "$work/single.md5" || {
    diff "$work/single.md5" "$work/farm.md5" | head >&2
    die "the joined video differs from the single render"
}
echo "the joined video equals the single render, frame for frame ($frames frames)"
