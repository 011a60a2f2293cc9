#!/usr/bin/env bash
# Windows compile check of the window code. Debian has no Qt built for
# Windows, but Qt's headers serve for a syntax check: every source under a
# */ui/ folder that the Windows build compiles (the win32/ services
# included, the posix/ ones left out) goes through the MinGW-w64 compiler
# with -fsyntax-only, with the definitions a Qt 6 Windows build has
# (UNICODE, so the W forms of the API are the ones named), and the
# program's resource script through windres. A Windows-only compile error
# fails here, before it fails on an engineer's machine.
# Prints one line per failing file and "windows ui: N passed, N failed";
# exits 1 on any failure.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
qt=$(qmake6 -query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
flags=(
  -fsyntax-only -std=c++20 -Wall -Wextra -Wpedantic -Werror
  # Qt's headers for Linux mark exported classes with visibility
  # attributes, which a Windows target ignores with a warning.
  -Wno-attributes
  -D_WIN32_WINNT=0x0600 -DWINVER=0x0600 -DUNICODE -D_UNICODE
  -DQT_CORE_LIB -DQT_GUI_LIB -DQT_WIDGETS_LIB -DQT_SVG_LIB
  -I. -I"$qt" -I"$qt/QtCore" -I"$qt/QtGui" -I"$qt/QtWidgets" -I"$qt/QtSvg"
)

log=$(mktemp -d)
trap 'rm -rf "$log"' EXIT
mapfile -t sources < <(git ls-files -- '*/ui/*.cpp' | grep -v '/posix/')
mapfile -t resources < <(git ls-files -- '*/ui/*.rc')

# The flags hold no spaces, so they cross into the workers as one word list.
export compiler flags_text="${flags[*]}"

passed=0
failed=0
# Two at a time: the machines that run this are shared.
results=$(printf '%s\n' "${sources[@]}" |
  xargs -P 2 -I{} bash -c '
    source=$1; out=$2/$(echo "$1" | tr / _).log
    read -ra flags <<<"$flags_text"
    if "$compiler" "${flags[@]}" "$source" >"$out" 2>&1; then echo "ok $source"; else echo "failed $source"; fi
  ' _ {} "$log")
while read -r outcome source; do
  if [[ $outcome == ok ]]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "windows ui: FAILED: $source"
    head -30 "$log/$(echo "$source" | tr / _).log"
  fi
done <<<"$results"

for rc in "${resources[@]}"; do
  if x86_64-w64-mingw32-windres -O coff -i "$rc" -o "$log/resource.res" >"$log/rc.log" 2>&1; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "windows ui: FAILED: $rc"
    cat "$log/rc.log"
  fi
done

echo "windows ui: $passed passed, $failed failed"
((failed == 0))
