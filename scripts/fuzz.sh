#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer and runs each for SECONDS
# (default 60). Every target first replays its saved crashing inputs
# (fuzz/regressions/<target>); then its corpus starts from fuzz/seeds/<target>
# and the sample league and grows in build-fuzz/corpus/<target>. A crash stops
# the script with its input saved in build-fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

source scripts/deps.sh
install_packages clang libclang-rt-14-dev cmake ninja-build

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DBIDMARK_FUZZ=ON >/dev/null
cmake --build build-fuzz -j"$(nproc)"

export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
mkdir -p build-fuzz/crashes
for target in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  if compgen -G "fuzz/regressions/$name/*" >/dev/null; then
    echo "== $name: saved crashing inputs"
    if ! "$target" fuzz/regressions/"$name"/* >build-fuzz/replay.log 2>&1; then
      cat build-fuzz/replay.log >&2
      echo "$name crashes again on a saved input" >&2
      exit 1
    fi
  fi
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=(examples/league)
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  echo "== $name: ${seconds}s"
  "$target" "$corpus" "${seeds[@]}" -max_total_time="$seconds" -max_len=65536 \
    -timeout=10 -rss_limit_mb=4096 -artifact_prefix=build-fuzz/crashes/"$name"- \
    -print_final_stats=1 2>&1 | grep -E '^(stat::number_of_executed_units|#[0-9]+ +DONE|==[0-9]+==ERROR|SUMMARY)' || true
  if compgen -G "build-fuzz/crashes/$name-*" >/dev/null; then
    echo "$name found a crash: $(ls build-fuzz/crashes/"$name"-*)" >&2
    exit 1
  fi
done
