#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test the program.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
          clang libclang-rt-14-dev)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi
