#!/usr/bin/env bash
# Builds one fuzz target with clang and runs it for a while: tests/fuzz/run.sh TARGET SECONDS
# TARGET is import3ds, readTga, readSequence, readSequenceJson or decodePicture. Findings land in
# build/fuzz/findings/TARGET.
set -euo pipefail
if [[ $# -ne 2 ]]; then
    echo "usage: $0 import3ds|readTga|readSequence|readSequenceJson|decodePicture SECONDS" >&2
    exit 2
fi
target=$1
seconds=$2
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DLUMATOY_BUILD_BENCH=OFF \
    -DLUMATOY_SANITIZE=ON -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link >/dev/null
cmake --build "$build" --target "fuzz_$target" -j2

corpus="$build/corpus/$target"
findings="$build/findings/$target"
mkdir -p "$corpus" "$findings"
cd "$findings"
exec "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
    -timeout=60 -rss_limit_mb=2048 -artifact_prefix="$findings/" "$corpus" "$here/corpus/$target"
