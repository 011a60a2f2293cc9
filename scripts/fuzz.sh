#!/usr/bin/env bash
# fuzz.sh [--time SECONDS] [--runs N] [--build-only] [TARGET...]
#
# Builds the libFuzzer programs with clang into build-fuzz/ and runs each
# target in turn (all of them when none is named) until the time or the
# number of executions is reached, whichever comes first (60 s when
# neither is given), starting from its seed corpus in fuzz/corpus/.
# New inputs go to build-fuzz/corpus/, crashes to build-fuzz/artifacts/;
# the tree's seed corpora are never written. Each run's log is kept in
# build-fuzz/logs/ and a summary line per target is printed:
#
#   ini_file: 10000000 runs, cov 1234, ft 5678, 612 s, ok
#
# The runs are niced: the fuzzers share the machine with builds and tests,
# so a single input may wait long for the processor; an input counts as
# hung only after 300 s.
set -euo pipefail
cd "$(dirname "$0")/.."

limit=()
build_only=0
targets=()
while (($#)); do
  case $1 in
    --time) limit+=(-max_total_time="$2"); shift 2 ;;
    --runs) limit+=(-runs="$2"); shift 2 ;;
    --build-only) build_only=1; shift ;;
    -h|--help) sed -n '2,16p' "$0" | sed 's/^# \{0,1\}//'; exit 0 ;;
    -*) echo "fuzz.sh: unknown option $1" >&2; exit 2 ;;
    *) targets+=("$1"); shift ;;
  esac
done

if ((${#limit[@]} == 0)); then limit=(-max_total_time=60); fi

all_targets=(frame panel_frame_parser identification current_reply earlier_reply
             earlier_encodings ini_file settings_load)
if ((${#targets[@]} == 0)); then targets=("${all_targets[@]}"); fi

# clang and its libFuzzer runtime, besides what every build needs.
scripts/setup.sh clang libclang-rt-14-dev

build=build-fuzz
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DTEVRAL_FUZZ=ON -DTEVRAL_BUILD_GUI=OFF -DTEVRAL_BUILD_TESTS=OFF >/dev/null
cmake --build "$build" -j 2 --target "${targets[@]/#/fuzz_}"
((build_only)) && exit 0

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  artifacts=$build/artifacts/$target/
  log=$build/logs/$target.log
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
  start=$(date +%s)
  if nice -n 19 "$build/fuzz/fuzz_$target" "${limit[@]}" -max_len=4096 -timeout=300 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$artifacts" \
      "$corpus" >"$log" 2>&1; then
    result=ok
  else
    result="FAILED (see $log and $artifacts)"
    status=1
  fi
  seconds=$(($(date +%s) - start))
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo "?")
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || echo "?")
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -1 | cut -d' ' -f2 || echo "?")
  echo "$target: ${runs:-?} runs, cov ${cov:-?}, ft ${ft:-?}, ${seconds} s, $result"
done
exit $status
