#!/usr/bin/env bash
# Formats the C++ sources of src, tests, tools, bench and fuzz with the repository's .clang-format.
# With --check nothing is changed: it lists the files that are not formatted and exits 1 if there are any.
# clang-format 14 by default; CLANG_FORMAT names another.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}
if [ -z "$format" ]; then
    echo "clang-format not found" >&2
    exit 2
fi
mapfile -t files < <(git ls-files -- 'src/*.cpp' 'src/*.h' 'tests/*.cpp' 'tests/*.h' 'tools/*.cpp' 'tools/*.h' \
    'bench/*.cpp' 'bench/*.h' 'fuzz/*.cpp' 'fuzz/*.h')
if [ "${1:-}" = "--check" ]; then
    if ! "$format" --dry-run -Werror "${files[@]}"; then
        echo "Not formatted: run scripts/format.sh (or the format target)" >&2
        exit 1
    fi
    echo "format-check: ${#files[@]} files formatted"
else
    "$format" -i "${files[@]}"
fi
