#!/usr/bin/env bash
# Builds and runs every test twice: in a normal build and in an
# AddressSanitizer + UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen
status=0
for config in normal asan; do
    sanitize=OFF
    [ "$config" = asan ] && sanitize=ON
    echo "=== $config build ==="
    cmake -S . -B "build/$config" -G Ninja -DVORNIX_SANITIZE=$sanitize -DVORNIX_BENCH=OFF >/dev/null
    cmake --build "build/$config" -j "$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
        ctest --test-dir "build/$config" -j "$jobs" --output-on-failure || status=1
    # Tests that need a file from outside the repository skip with a reason.
    log="build/$config/Testing/Temporary/LastTest.log"
    reasons=$(grep -A1 ': Skipped$' "$log" 2>/dev/null | grep -v -e ': Skipped$' -e '^--$' || true)
    if [ -n "$reasons" ]; then
        echo "$(printf '%s\n' "$reasons" | wc -l) tests skipped in the $config build (how many, and why):"
        printf '%s\n' "$reasons" | sort | uniq -c
    fi
done
exit $status
