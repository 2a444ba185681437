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
cmake --build build-fuzz -j"$(nproc)" --target veltrane_record_fuzz \
  veltrane_scanner_fuzz veltrane_isbn_fuzz
cd build-fuzz
for target in record scanner isbn; do
  echo "== $target"
  "./tests/fuzz/veltrane_${target}_fuzz" -max_total_time="$seconds" \
    -max_len=4096 -print_final_stats=1 2>&1 | tail -3
done
