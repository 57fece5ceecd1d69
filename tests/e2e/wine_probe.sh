#!/usr/bin/env bash
# Says whether Windows programs of one architecture can run under Wine here.
#
#   wine_probe.sh <32|64> [loader]                 prints the loader to use
#   wine_probe.sh <32|64> [loader] -- command...   runs the command
#
# When they cannot (no loader, or a loader the machine refuses to start, as
# where the kernel runs no 32-bit processes), it prints the reason on stderr
# and exits 77, the code the Wine tests report as skipped. An empty loader is
# looked for here.
set -uo pipefail

arch=${1:-}
loader=${2:-}
[[ $loader == -- ]] && loader=""
if [[ $arch != 32 && $arch != 64 ]]; then
  echo "usage: wine_probe.sh <32|64> [loader] [-- command...]" >&2
  exit 2
fi
shift $(($# < 2 ? $# : 2))
[[ ${1:-} == -- ]] && shift

cannot() {
  echo "wine probe: ${arch}-bit Windows programs cannot run on this machine: $*" >&2
  exit 77
}

if [[ -z $loader ]]; then
  if ((arch == 64)); then
    loader=$(command -v wine64 || command -v /usr/lib/wine/wine64 || command -v /usr/lib64/wine/wine64 ||
      command -v wine)
  elif [[ -e /usr/lib/wine/wine || -e /usr/lib/wine/wine64 ]]; then
    # Debian and Ubuntu: the 32-bit loader beside wine64; their `wine` falls
    # back to wine64 when it is missing.
    loader=/usr/lib/wine/wine
  else
    loader=$(command -v wine)
  fi
fi
if [[ -z $loader || ! -e $loader ]]; then
  package=$( ((arch == 32)) && echo wine32 || echo wine64)
  cannot "no ${arch}-bit Wine loader ${loader:+at $loader }(package $package; scripts/install-deps installs it)"
fi

# Through bash, which names an image the kernel refuses ("Exec format
# error") where a plain exec would try it as a shell script.
output=$(timeout 60 bash -c '"$0" --version' "$loader" 2>&1)
status=$?
if ((status != 0)); then
  reason=$(printf '%s\n' "$output" | grep -v '^$' | tail -n 1)
  reason=${reason##*: cannot execute binary file: }
  hint=""
  [[ $output == *"Exec format error"* ]] && hint="; the kernel refuses to start ${arch}-bit processes"
  cannot "$loader does not start (exit $status: ${reason:-no output}$hint)"
fi

if (($# == 0)); then
  echo "$loader"
  exit 0
fi
exec "$@"
