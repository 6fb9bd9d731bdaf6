#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, preset linux-fuzz) and runs each in turn for the
# given number of seconds, one at a time. Corpora grow in <build>/corpus/<target>, crash
# inputs land in <build>/artifacts/. Exits non-zero if any target found something.
# Usage: scripts/fuzz.sh <seconds> [target ...]      (default: every kit_add_fuzzer target)
#        FUZZ_BUILD_DIR=<dir> picks the build folder (default: build/linux-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh <seconds> [target ...]}
shift
build=${FUZZ_BUILD_DIR:-build/linux-fuzz}

targets=("$@")
if ((${#targets[@]} == 0)); then
  mapfile -t targets < <(grep -ho 'kit_add_fuzzer([A-Za-z0-9_]*' fuzz/*/CMakeLists.txt | sed 's/kit_add_fuzzer(//' | sort)
fi
((${#targets[@]})) || { echo "fuzz: no targets"; exit 1; }

cmake --preset linux-fuzz -B "$build" >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

failed=()
for target in "${targets[@]}"; do
  corpus="$build/corpus/$target"
  mkdir -p "$corpus" "$build/artifacts"
  echo "=== $target: ${seconds}s"
  if ! "$build/bin/$target" "$corpus" -max_total_time="$seconds" -print_final_stats=1 \
       -artifact_prefix="$build/artifacts/$target-" 2>"$build/$target.log"; then
    failed+=("$target")
  fi
  grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|^==[0-9]+==ERROR|^SUMMARY' \
    "$build/$target.log" || true
done

if ((${#failed[@]})); then
  echo "fuzz: findings in ${failed[*]} (inputs in $build/artifacts)"
  exit 1
fi
echo "fuzz: no findings in ${targets[*]}"
