#!/usr/bin/env bash
# Runs a Windows program under Wine on the caller's DISPLAY or on an Xvfb of
# its own: a 64-bit one under wine64, or with --32 a 32-bit one under the
# 32-bit loader in a win32 prefix (KORA4_WINE names the loader when set).
# The prefix is made once; its Wine processes end with the program, so
# callers must not share a prefix at the same time (tests hold a lock).
# Where 32-bit programs cannot run, it says why and exits 77 (skipped).
# KORA4_WINE_DPI sets the prefix's display DPI (96 when unset; 144 is
# Windows' 150 % setting); the virtual display grows with it.
#
#   run_in_wine.sh [--32] <prefix folder> <program.exe> [arguments...]
set -uo pipefail

bits=64
if [[ ${1:-} == --32 ]]; then
  bits=32
  shift
fi
if (($# < 2)); then
  echo "usage: run_in_wine.sh [--32] <prefix folder> <program.exe> [arguments...]" >&2
  exit 2
fi
prefix=$1
shift
wine=$("$(dirname "$0")/../../scripts/wine-probe" "$bits" "${KORA4_WINE:-}")
probe=$?
if ((probe != 0)); then
  # Only 32-bit runs may be skipped: wine64 runs wherever the project builds.
  ((bits == 32)) && exit "$probe"
  exit 1
fi
wineserver=$(command -v wineserver || echo /usr/lib/wine/wineserver64)
dpi=${KORA4_WINE_DPI:-96}
[[ $dpi =~ ^[1-9][0-9]*$ ]] || { echo "e2e: KORA4_WINE_DPI must be a number of dots per inch" >&2; exit 2; }

xvfb_pid=""
stop() {
  # The prefix's own processes (the desktop window) end before the display.
  [[ -n ${WINEPREFIX:-} && -x $wineserver ]] && "$wineserver" -k >/dev/null 2>&1
  [[ -n $xvfb_pid ]] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap stop EXIT

if [[ -z ${DISPLAY:-} ]]; then
  for n in $(seq 91 190); do  # a number another run holds fails: the next one
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 $((1280 * dpi / 96))x$((1024 * dpi / 96))x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      [[ -e /tmp/.X11-unix/X$n ]] || ! kill -0 "$xvfb_pid" 2>/dev/null && break
      sleep 0.05
    done
    if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  [[ -n ${DISPLAY:-} ]] || { echo "e2e: no Xvfb on :91 to :190 (scripts/install-deps)" >&2; exit 1; }
fi

# No Mono or Gecko installers: they would ask on the display.
export WINEPREFIX=$prefix WINEARCH=win$bits WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
(
  flock 9
  if [[ ! -f $prefix/.kora4-e2e-ready ]]; then
    "$wine" wineboot -i >/dev/null 2>&1 || { echo "e2e: wineboot failed on $prefix" >&2; exit 1; }
    # Without a window manager, mapping a managed window waits for one.
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # On request (the demo, the dialogs' screenshots), fonts with Japanese
    # glyphs behind the dialog fonts; the other tests keep Wine's plain fonts.
    if [[ -n ${KORA4_WINE_JAPANESE_FONTS:-} ]]; then
      for face in Tahoma "Microsoft Sans Serif" "MS UI Gothic"; do
        "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
          /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
      done
    fi
    touch "$prefix/.kora4-e2e-ready"
  fi
  # Read by each program at its start; kept in the prefix until asked otherwise.
  if [[ $(cat "$prefix/.kora4-dpi" 2>/dev/null || echo 96) != "$dpi" ]]; then
    "$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      >/dev/null 2>&1 || { echo "e2e: cannot set $dpi DPI in $prefix" >&2; exit 1; }
    echo "$dpi" >"$prefix/.kora4-dpi"
  fi
) 9>"$prefix.lock" || exit 1

# KORA4_WINE_TIMEOUT: seconds, for slow runs such as the Wine timing.
limit=${KORA4_WINE_TIMEOUT:-120}
timeout "$limit" "$wine" "$@"
status=$?
((status == 124)) && echo "e2e: $* did not finish within $limit s" >&2
exit $status
