#!/usr/bin/env bash
# Builds with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ and runs every test there (the 4 GiB scan excepted: it only
# takes long). For developers before larger changes; CI runs test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DVELTRANE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan -j"$(nproc)"
cd build-asan
QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --output-on-failure -j"$(nproc)" -E FourGigabytes
