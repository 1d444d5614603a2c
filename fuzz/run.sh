#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and fuzzes each for an equal share of SECONDS
# (default 60, the total) over a copy of its seed corpus: the sensor library, the ".vbl" reader and the
# ".t3d" reader. The log seeds are written by the project's own writers. Exits non-zero on a crash.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
targets=(fuzz_vexa3d fuzz_vbl fuzz_t3d)
share=$(( seconds / ${#targets[@]} ))
[ "$share" -ge 1 ] || share=1

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVIRO_BUILD_FUZZ=ON -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_BENCH=OFF -DTAVIRO_SANITIZE=ON >/dev/null
cmake --build "$build" --target "${targets[@]}" fuzz_vbl_seeds fuzz_t3d_seeds -j "${JOBS:-2}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/fuzz_vexa3d" "$build/artifacts"
cp "$root"/fuzz/vexa3d/corpus/* "$work/fuzz_vexa3d/"
# Leak checking stays on; the seed writers themselves run without it (Qt keeps a few one-off allocations).
ASAN_OPTIONS=detect_leaks=0 "$build/bin/fuzz_vbl_seeds" "$work/fuzz_vbl"
ASAN_OPTIONS=detect_leaks=0 "$build/bin/fuzz_t3d_seeds" "$work/fuzz_t3d"

for target in "${targets[@]}"; do
    # A single allocation above 256 MiB is a finding: the readers bound what a file can make them allocate.
    "$build/bin/$target" -max_total_time="$share" -timeout=20 -malloc_limit_mb=256 -print_final_stats=1 \
        -artifact_prefix="$build/artifacts/$target-" "$work/$target"
    echo "$target: no crash in ${share} s"
done
