#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/ and runs each for SECONDS
# (default 60). A crash leaves its input in build-fuzz/.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
bash scripts/install-deps.sh
command -v clang++ >/dev/null || DEBIAN_FRONTEND=noninteractive apt-get install -y -qq clang >/dev/null
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVELTRANE_BUILD_FUZZ=ON \
  -DVELTRANE_BUILD_TESTS=OFF -DVELTRANE_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer" >/dev/null
targets=(record scanner isbn grid_cell_file xls_reader xlsx_reader)
fuzzers=()
for target in "${targets[@]}"; do fuzzers+=("veltrane_${target}_fuzz"); done
cmake --build build-fuzz -j"$(nproc)" --target "${fuzzers[@]}"
cd build-fuzz
# libfreexl loses a few bytes per file it opens; that is its own leak.
export LSAN_OPTIONS="suppressions=$PWD/../tests/fuzz/lsan_suppressions.txt"
for target in "${targets[@]}"; do
  echo "== $target"
  "./tests/fuzz/veltrane_${target}_fuzz" -max_total_time="$seconds" \
    -max_len=4096 -print_final_stats=1 2>&1 | tail -3
done
