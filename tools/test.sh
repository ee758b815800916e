#!/usr/bin/env bash
# Sets up, then builds and runs every test twice: optimised, and under AddressSanitizer with
# UndefinedBehaviorSanitizer; then fuzzes the two file readers for a bounded time (clang and
# libFuzzer). Headless. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

# The tests register the control library in registries of their own: this build leaves the
# user's registry alone (tools/run.sh registers the library it starts the program with).
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVIC_WERROR=ON -DZORVIC_REGISTER_CONTROLS=OFF
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZORVIC_WERROR=ON -DZORVIC_SANITIZE=ON \
      -DZORVIC_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs"

# The file readers take whatever a user opens: fuzz each from its committed seed files.
fuzz_seconds=${ZORVIC_FUZZ_SECONDS:-30}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORVIC_FUZZ=ON \
      -DZORVIC_BUILD_TESTS=OFF -DZORVIC_BUILD_BENCH=OFF
cmake --build build-fuzz -j "$jobs" --target ProjectFileFuzzer CoreListFuzzer
for run in ProjectFileFuzzer:project CoreListFuzzer:corelist; do
    harness=${run%%:*}
    work="build-fuzz/work/$harness"
    rm -rf "$work" && mkdir -p "$work"
    "build-fuzz/fuzz/$harness" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -artifact_prefix="build-fuzz/work/$harness-" -print_final_stats=1 "$work" "fuzz/corpus/${run##*:}"
done
