#!/usr/bin/env bash
# Runs a program of the win64 build under wine64 on a display: the caller's
# DISPLAY, or a virtual one (Xvfb) started here on a free number and stopped
# afterwards. The Wine prefix is a folder of the build, made once; the
# prefix's Wine processes are ended with the program, so the callers must
# not share a prefix at the same time (the tests hold a resource lock).
#
#   run_in_wine.sh <prefix folder> <program.exe> [arguments...]
set -uo pipefail

if (($# < 2)); then
  echo "usage: run_in_wine.sh <prefix folder> <program.exe> [arguments...]" >&2
  exit 2
fi
prefix=$1
shift

wine=$(command -v wine64 || command -v wine || true)
if [[ -z $wine ]]; then
  echo "e2e: wine64 is not installed; scripts/install-deps installs it" >&2
  exit 1
fi
wineserver=$(command -v wineserver || true)
[[ -z $wineserver && -x /usr/lib/wine/wineserver64 ]] && wineserver=/usr/lib/wine/wineserver64
if [[ -z ${DISPLAY:-} ]] && ! command -v Xvfb >/dev/null; then
  echo "e2e: Xvfb is not installed and DISPLAY is not set; scripts/install-deps installs it" >&2
  exit 1
fi

xvfb_pid=""
stop_xvfb() {
  # The prefix's own processes (the desktop window) end before the display.
  [[ -n ${WINEPREFIX:-} && -n $wineserver ]] && "$wineserver" -k >/dev/null 2>&1
  if [[ -n $xvfb_pid ]]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
}
trap stop_xvfb EXIT

if [[ -z ${DISPLAY:-} ]]; then
  # A number another run (or test) holds fails to start; try the next one.
  for n in $(seq 91 190); do
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 100); do
      [[ -e /tmp/.X11-unix/X$n ]] && break
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.05
    done
    if [[ -e /tmp/.X11-unix/X$n ]] && kill -0 "$xvfb_pid" 2>/dev/null; then
      export DISPLAY=":$n"
      break
    fi
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
  done
  if [[ -z ${DISPLAY:-} ]]; then
    echo "e2e: could not start Xvfb on any display from :91 to :190" >&2
    exit 1
  fi
fi

export WINEPREFIX=$prefix WINEDEBUG=-all
# No Mono or Gecko installers: they would ask on the display.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$prefix"
(
  flock 9
  if [[ ! -f $prefix/.kora4-e2e-ready ]]; then
    "$wine" wineboot -i >/dev/null 2>&1 || {
      echo "e2e: wineboot could not make the prefix $prefix" >&2
      exit 1
    }
    # Windows not left to a window manager: there is none on the virtual
    # display, and mapping a managed window waits for one (seconds each).
    "$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    # On request (the demo), Japanese voice names and translations: the
    # dialog fonts fall back to a font that has the glyphs. The end-to-end
    # tests keep Wine's plain fonts, whose metrics their checks know.
    if [[ -n ${KORA4_WINE_JAPANESE_FONTS:-} ]]; then
      for face in Tahoma "Microsoft Sans Serif" "MS UI Gothic"; do
        "$wine" reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
          /v "$face" /t REG_MULTI_SZ /d 'ipagp.ttf,IPAPGothic' /f >/dev/null 2>&1
      done
    fi
    touch "$prefix/.kora4-e2e-ready"
  fi
) 9>"$prefix.lock" || exit 1

timeout 120 "$wine" "$@"
status=$?
if ((status == 124)); then
  echo "e2e: $* did not finish within 120 s" >&2
fi
exit $status
