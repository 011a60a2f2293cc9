#!/usr/bin/env bash
# The Windows steps of the test suite, called by scripts/test.sh after the
# Linux build (whose panel-sim and programs it uses):
#   1. the Windows compile check of the window code (check-windows-ui.sh);
#   2. the cross build for Windows with MinGW-w64, without Qt;
#   3. the wine suite: in a throw-away prefix, COM ports mapped to simulated
#      panels on pseudo-terminals made here, the cross-built tests run.
# Ends with the line "windows: N passed, N failed"; exits 1 on any failure.
# Usage: scripts/test-windows.sh [LINUX_BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
native=$(realpath "${1:-build}")
cross=$root/build-mingw

passed=0
failed=0
pass() {
  passed=$((passed + 1))
}
fail() {
  failed=$((failed + 1))
  echo "windows: FAILED: $*"
}
finish() {
  echo "windows: $passed passed, $failed failed"
  ((failed == 0))
}

# ---- 1. Windows compile check of the window code --------------------------------
started=$SECONDS
ui_summary=$(scripts/check-windows-ui.sh | tee /dev/stderr | tail -n 1) || true
if [[ $ui_summary =~ ([0-9]+)\ passed,\ ([0-9]+)\ failed ]]; then
  passed=$((passed + BASH_REMATCH[1]))
  failed=$((failed + BASH_REMATCH[2]))
else
  fail "the window code's compile check did not finish"
fi
echo "windows: compile check $((SECONDS - started)) s"

# ---- 2. Cross build ------------------------------------------------------------
started=$SECONDS
mkdir -p "$cross"
if scripts/build.sh "$cross" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DTEVRAL_BUILD_GUI=OFF -DTEVRAL_BUILD_TESTS=ON -DCMAKE_BUILD_TYPE=Release \
  >"$cross/build.log" 2>&1; then
  pass
else
  tail -40 "$cross/build.log"
  fail "cross build (see build-mingw/build.log)"
  finish
fi
echo "windows: cross build $((SECONDS - started)) s"

# ---- 3. Wine suite --------------------------------------------------------------
# shellcheck source=scripts/wine/prefix.sh
source scripts/wine/prefix.sh
panel_sim=$native/sim/panel-sim
work=$(mktemp -d /tmp/tevral-wine.XXXXXX)
sim_pids=()
cleanup() {
  for pid in "${sim_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${sim_pids[@]}"; do wait "$pid" 2>/dev/null || true; done
  wine_prefix_remove
}
trap cleanup EXIT

started=$SECONDS
wine_prefix_create "$work"
echo "windows: wine prefix $((SECONDS - started)) s"

# start_panel NAME [panel-sim options...]: a simulated panel on a new
# pseudo-terminal; its device path in ${NAME}_pty, its request log in
# $work/NAME.log.
start_panel() {
  local name=$1
  shift
  local out=$work/$name.log
  "$panel_sim" "$@" >"$out" 2>"$work/$name.err" &
  sim_pids+=($!)
  local path=""
  for _ in $(seq 100); do
    path=$(head -n 1 "$out" 2>/dev/null || true)
    [[ $path == /dev/pts/* ]] && break
    sleep 0.05
  done
  [[ $path == /dev/pts/* ]] || { cat "$work/$name.err"; return 1; }
  printf -v "${name}_pty" '%s' "$path"
}

# COM3: the link tests' own panel. COM7 and COM12 (a number above 9, which
# only the \\.\ form of the name reaches) serve the programs' runs.
start_panel link_panel --memory "$work/link_panel.img"
start_panel current_panel --memory "$work/current_wine.img"
start_panel earlier_panel --firmware earlier --memory "$work/earlier_wine.img"
wine_map_port COM3 "$link_panel_pty"
wine_map_port COM7 "$current_panel_pty"
wine_map_port COM12 "$earlier_panel_pty"
wine_restart
export TEVRAL_WINE_MAPPED_PORTS=COM12,COM3,COM7

# run_gtest EXE [env...]: runs a cross-built test program; its cases count.
run_gtest() {
  local exe=$1
  shift
  local log
  log=$work/$(basename "$exe" .exe).out
  local status=0
  env "$@" wine "$exe" >"$log" 2>&1 || status=$?
  local ok bad
  ok=$(sed -n 's/^\[  PASSED  \] \([0-9]*\) tests\{0,1\}\..*/\1/p' "$log" | tail -n 1)
  bad=$(sed -n 's/^\[  FAILED  \] \([0-9]*\) tests\{0,1\}, listed below:.*/\1/p' "$log" | tail -n 1)
  passed=$((passed + ${ok:-0}))
  failed=$((failed + ${bad:-0}))
  if ((status != 0)); then
    grep -E '^\[  FAILED  \]|Failure' -A4 "$log" | head -60 || tail -20 "$log"
    [[ -n $bad ]] || fail "$(basename "$exe") ended with status $status"
  fi
  echo "windows: $(basename "$exe"): ${ok:-0} passed, ${bad:-0} failed"
}

started=$SECONDS
for exe in "$cross"/tests/*_tests.exe; do
  run_gtest "$exe" TEVRAL_TEST_PANEL_PORT=COM3
done
echo "windows: wine suite $((SECONDS - started)) s"

finish
