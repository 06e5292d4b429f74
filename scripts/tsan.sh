#!/usr/bin/env bash
# Builds the thread test under ThreadSanitizer (tsan preset) and runs it; any race fails.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset tsan >/dev/null
cmake --build build/tsan -j2 --target test_reliability
# halt_on_error: a reported race is a failure, not a warning.
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" \
    build/tsan/tests/test_reliability --gtest_filter='Threads.*'
