#!/usr/bin/env bash
# Builds and runs the whole test suite, optimised and under the sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
for preset in release asan; do
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset"
done
# The Python package, in a fresh virtual environment, against the release build.
./scripts/test-python.sh
