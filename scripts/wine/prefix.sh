# Functions for a throw-away wine prefix; sourced by scripts/test-windows.sh.
#
#   wine_prefix_create DIR   a new 64-bit prefix in DIR/prefix; wine's own
#                            messages go to DIR/wine.log
#   wine_map_port COMn PATH  maps a COM port to a pseudo-terminal we made
#   wine_restart             starts wineserver again so the mapping holds
#   wine_run ARGS...         runs a Windows program in the prefix (its
#                            output is the program's: WINEDEBUG=-all
#                            keeps wine's own messages out of it)
#   wine_prefix_remove       stops the prefix's wineserver, removes DIR
#
# Wine reads its COM ports from HKLM\Software\Wine\Ports when its serial
# driver starts, so a mapping takes effect after wine_restart. The serial
# driver would also map every /dev/ttyS<n> it finds; hide_serial_lines.c,
# preloaded into every wine process here, keeps those out.

wine_prefix_create() {
  WINE_DIR=$1
  export WINEPREFIX=$WINE_DIR/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  WINE_LOG=$WINE_DIR/wine.log
  gcc -shared -fPIC -O2 -o "$WINE_DIR/hide_serial_lines.so" \
    "$(dirname "${BASH_SOURCE[0]}")/hide_serial_lines.c" -ldl
  export LD_PRELOAD=$WINE_DIR/hide_serial_lines.so
  wineboot -i >>"$WINE_LOG" 2>&1
  wineserver -w
}

wine_map_port() {
  local name=$1 path=$2
  case $path in
    /dev/pts/*) ;;
    *)
      echo "wine_map_port: $path is not a pseudo-terminal; only those are mapped" >&2
      return 1
      ;;
  esac
  wine reg add 'HKLM\Software\Wine\Ports' /v "$name" /d "$path" /f >>"$WINE_LOG" 2>&1
}

wine_restart() {
  wineserver -k >>"$WINE_LOG" 2>&1 || true
  wineserver -w
  # Kept alive between programs, so each run does not start it again.
  wineserver -p >>"$WINE_LOG" 2>&1
}

wine_run() {
  timeout 300 wine "$@"  # a program that hangs ends the run, not the suite
}

wine_prefix_remove() {
  if [[ -n ${WINEPREFIX:-} && -d $WINEPREFIX ]]; then
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w >/dev/null 2>&1 || true
  fi
  # The prefix's z: drive is a link to /; rm does not follow links.
  [[ -n ${WINE_DIR:-} ]] && rm -rf "$WINE_DIR"
  unset LD_PRELOAD
}
