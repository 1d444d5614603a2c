#!/usr/bin/env bash
# Builds the sensor library's libFuzzer target with clang in build-fuzz and fuzzes it for SECONDS
# (default 60) over a copy of the seed corpus. Exits non-zero when the fuzzer finds a crash.
set -euo pipefail
seconds=${1:-60}
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"

CC=clang-14 CXX=clang++-14 cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTAVIRO_BUILD_FUZZ=ON -DTAVIRO_BUILD_TESTS=OFF -DTAVIRO_BUILD_BENCH=OFF -DTAVIRO_SANITIZE=ON >/dev/null
cmake --build "$build" --target fuzz_vexa3d -j "${JOBS:-2}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus" "$build/artifacts"
cp "$root"/fuzz/vexa3d/corpus/* "$work/corpus/"
"$build/bin/fuzz_vexa3d" -max_total_time="$seconds" -timeout=20 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/" "$work/corpus"
echo "fuzz_vexa3d: no crash in ${seconds} s"
