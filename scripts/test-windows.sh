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
mkdir -p "$cross"
scripts/check-windows-ui.sh >"$cross/ui-check.log" 2>&1 || true
cat "$cross/ui-check.log"
ui_summary=$(tail -n 1 "$cross/ui-check.log")
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
if [[ ! -x $panel_sim ]]; then
  fail "no panel-sim in $native: build it first"
  finish
fi
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
# pseudo-terminal; its device path in ${NAME}_pty, its process in
# ${NAME}_pid, its request log in $work/NAME.log.
start_panel() {
  local name=$1
  shift
  local out=$work/$name.log
  "$panel_sim" "$@" >"$out" 2>"$work/$name.err" &
  sim_pids+=($!)
  printf -v "${name}_pid" '%s' "$!"
  local path=""
  for _ in $(seq 200); do
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
  env "$@" timeout 600 wine "$exe" >"$log" 2>&1 || status=$?
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
echo "windows: wine tests $((SECONDS - started)) s"

# ---- 4. The programs under wine against the same runs on Linux ------------------
# Each program reads its panel into a settings file in a Cyrillic folder,
# the file gets one edit, and the program writes it back; the same is done
# on Linux against a second simulated panel that started from the same
# memory. The settings files (but for the port's position in the port list)
# and the panels' memory images afterwards must be equal byte for byte.
started=$SECONDS
cyrillic=$work/Налаштування
mkdir -p "$cyrillic" "$work/linux"
# The Unix path as wine shows it: on drive Z:, which is /.
windows_path() {
  echo "Z:${1//\//\\}"
}
# The folder name reaches wine as UTF-8 bytes; wine reads them in the
# locale's character set.
export LC_ALL=C.UTF-8

# check NAME COMMAND...: one more check, passed when COMMAND succeeds.
check() {
  local name=$1
  shift
  if "$@"; then pass; else fail "$name"; fi
}

# Sets the object number in a settings file: the edit both sides make.
edit_settings() {
  sed -i '/^\[AdvEdit_Object\]/,/^\[/ s/^Text=.*/Text=4321\r/' "$1"
}

# The file with the port's position in the computer's own port list left
# out: that list differs between two computers by nature (COM12, COM3,
# COM7 under wine; the sysfs ports and a pseudo-terminal on Linux). Every
# other byte must be equal.
without_port_position() {
  sed '/^\[cbPort\]/,/^\[/ s/^ItemIndex=.*/ItemIndex=*\r/' "$1"
}

find_program() {
  find "$1" -maxdepth 4 -type f -name "$2" -perm -u+x -print -quit
}

stop_panel() {
  kill "$1" && wait "$1" || true
}

# compare_program NAME COM PANEL [panel-sim options...]: PANEL is the
# panel already behind COM.
compare_program() {
  local name=$1 com=$2 panel=$3
  shift 3
  local wine_pid_var=${panel}_pid
  local linux_program exe
  linux_program=$(find_program "$native" "$name")
  exe=$(find_program "$cross" "$name.exe")
  if [[ -z $linux_program || -z $exe ]]; then
    fail "$name: no program built"
    return
  fi

  # Linux: the reference run.
  start_panel "linux_$panel" "$@" --memory "$work/linux/$panel.img"
  local pty_var=linux_${panel}_pty pid_var=linux_${panel}_pid
  local pty=${!pty_var}
  local ini=$work/linux/$name.ini
  "$linux_program" read --port "$pty" --out "$ini" 2>"$work/linux/$name.read.err" || true
  if [[ ! -f $ini ]]; then
    fail "$name: the reference read on Linux saved nothing"
    cat "$work/linux/$name.read.err"
    stop_panel "${!pid_var}"
    return
  fi
  cp "$ini" "$work/linux/$name-edited.ini"
  edit_settings "$work/linux/$name-edited.ini"
  "$linux_program" write --port "$pty" --in "$work/linux/$name-edited.ini" \
    2>"$work/linux/$name.write.err" || true
  stop_panel "${!pid_var}"

  # Windows, through the COM port mapped to the other panel.
  local wine_ini=$cyrillic/$name.ini
  local before after status=0 requests
  requests=$(wc -l <"$work/$panel.log")
  before=$(date +%s%N)
  wine_run "$exe" read --port "$com" --out "$(windows_path "$wine_ini")" \
    2>"$work/$name.read.err" || status=$?
  after=$(date +%s%N)
  # The protocol's floor: each exchange waits 100 ms before it collects.
  requests=$(($(wc -l <"$work/$panel.log") - requests))
  echo "windows: $name read under wine: $(((after - before) / 1000000)) ms for $requests" \
    "exchanges (floor $((requests * 100)) ms)"
  check "$name read under wine (status $status)" grep -q "Прочитано успішно." "$work/$name.read.err"
  if [[ ! -f $wine_ini ]]; then
    fail "$name: the read under wine saved nothing"
    cat "$work/$name.read.err"
    return
  fi
  check "$name settings file equals the Linux one" \
    cmp <(without_port_position "$ini") <(without_port_position "$wine_ini")
  cp "$wine_ini" "$cyrillic/$name-edited.ini"
  edit_settings "$cyrillic/$name-edited.ini"
  status=0
  wine_run "$exe" write --port "$com" --in "$(windows_path "$cyrillic/$name-edited.ini")" \
    2>"$work/$name.write.err" || status=$?
  check "$name write under wine (status $status)" grep -q "Записано успішно." "$work/$name.write.err"
  stop_panel "${!wine_pid_var}"
  check "$name memory image equals the Linux one" cmp "$work/linux/$panel.img" "$work/${panel/_panel/}_wine.img"

  # A port that does not exist is named so, and the command fails.
  status=0
  wine_run "$exe" read --port COM99 --out "$(windows_path "$cyrillic/none.ini")" \
    2>"$work/$name.none.err" || status=$?
  check "$name on COM99" [ "$status" -eq 1 ]
  check "$name on COM99 names the port missing" grep -q "Спроба відкрити неіснуючий СОМ-порт" \
    "$work/$name.none.err"
}

compare_program terminal COM7 current_panel
compare_program terminal-earlier COM12 earlier_panel --firmware earlier
echo "windows: programs under wine $((SECONDS - started)) s"

finish
