#!/usr/bin/env bash
# Configures and builds Veltrane into build/ (Release with debug info,
# warnings as errors). Extra arguments go to the CMake configure step.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELTRANE_WERROR=ON "$@" >/dev/null
cmake --build build -j"$(nproc)"
