#!/usr/bin/env bash
# Installs the dependencies, builds the viewer and the sensor simulator, starts the simulator on
# 127.0.0.1 and the viewer connected to it. Without a display the viewer runs under Xvfb, a screenshot is
# saved (taviro3d-screenshot.png, or the path in SCREENSHOT) and the script exits.
set -euo pipefail
cd "$(dirname "$0")/.."
jobs=${JOBS:-$(nproc)}
port=${SIM_PORT:-10940}
screenshot=${SCREENSHOT:-$(pwd)/taviro3d-screenshot.png}

bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs" --target taviro3d-viewer
sim=""
if cmake --build build -j "$jobs" --target taviro3d-sensor-sim >/dev/null 2>&1; then
    sim=build/bin/taviro3d-sensor-sim
fi

pids=()
cleanup() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; }
trap cleanup EXIT
if [ -n "$sim" ]; then
    "$sim" --port "$port" &
    pids+=($!)
    sleep 0.5
fi

viewer_args=()
if build/bin/taviro3d-viewer --help 2>/dev/null | grep -q -- "--sensor"; then
    viewer_args+=(--sensor "127.0.0.1:${port}")
fi

if [ -n "${DISPLAY:-}" ] && [ "${HEADLESS:-0}" != 1 ]; then
    build/bin/taviro3d-viewer "${viewer_args[@]}"
else
    echo "No display: running under Xvfb and saving a screenshot to ${screenshot}"
    xvfb-run -a -s "-screen 0 1280x960x24" build/bin/taviro3d-viewer "${viewer_args[@]}" \
        --screenshot "$screenshot" --screenshot-delay "${SCREENSHOT_DELAY:-8000}"
    echo "Screenshot saved: ${screenshot}"
fi
