#!/usr/bin/env bash
# Installs the dependencies, builds, and runs the whole test suite headless: a normal build, the same
# suite under AddressSanitizer+UndefinedBehaviorSanitizer, and a short fuzzing run. Exits non-zero on any
# failure.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
jobs=${JOBS:-$(nproc)}
fuzz_seconds=${FUZZ_SECONDS:-60}

bash scripts/install-deps.sh

echo "== Formatting"
bash scripts/format.sh --check

export QT_QPA_PLATFORM=offscreen
# One X server for the whole run: OpenGL needs one, and starting one per test is slow.
run_ctest() {
    local dir=$1
    (cd "$dir" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest -j "$jobs" --output-on-failure --timeout 600)
}

echo "== Release build and tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVIRO_BUILD_BENCH=ON
cmake --build build -j "$jobs"
run_ctest build

echo "== AddressSanitizer + UndefinedBehaviorSanitizer build and tests"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVIRO_SANITIZE=ON -DTAVIRO_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
run_ctest build-asan

if [ -x fuzz/run.sh ] || [ -f fuzz/run.sh ]; then
    echo "== Fuzzing for ${fuzz_seconds} s"
    bash fuzz/run.sh "$fuzz_seconds"
fi
echo "All tests passed."
