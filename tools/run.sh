#!/usr/bin/env bash
# Sets up, builds and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DZORVIC_REGISTER_CONTROLS=ON
# The program creates its scroll controls through the control registry: build the control
# library and register it with the program.
cmake --build build --target zorvic glidebar_register
exec build/app/zorvic "$@"
