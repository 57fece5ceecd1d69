#!/usr/bin/env bash
# Checks the host developers' zip, the `package` target of the win32 build.
#
#   package_check.sh contents <zip> <scratch> <cmake> <expected list> <objdump>
#     exactly the listed files under one top folder named as the zip, each
#     with the SHA-256 that MANIFEST.sha256 gives, and a 32-bit kora4.dll
#   package_check.sh demo <zip> <scratch> <cmake> <run_in_wine.sh> <prefix>
#     the packaged demo under 32-bit Wine on a virtual display: every status
#     0, a screenshot, and after the cancel nothing saved; exit 77 (skipped)
#     where 32-bit programs cannot run
set -euo pipefail

mode=$1 zip=$2 scratch=$3 cmake=$4
top=$(basename "$zip" .zip)
fail() {
  echo "package check: FAILED: $*"
  exit 1
}
unpack() {
  rm -rf "$scratch"
  mkdir -p "$scratch"
  (cd "$scratch" && "$cmake" -E tar xf "$zip")
}

case $mode in
  contents)
    expected_list=$5 objdump=$6
    listing=$("$cmake" -E tar tf "$zip" | sort)
    expected=$(sed "s|^|$top/|" "$expected_list" | sort)
    if [[ $listing != "$expected" ]]; then
      diff <(echo "$expected") <(echo "$listing") || true
      fail "the zip does not hold exactly the files of $(basename "$expected_list") (- missing, + extra)"
    fi
    unpack
    cd "$scratch/$top"
    sha256sum --check --strict --quiet MANIFEST.sha256 || fail "a file differs from its manifest hash"
    manifest=$(sed 's/^[0-9a-f]\{64\}  //' MANIFEST.sha256 | sort)
    [[ $manifest == "$(grep -vx MANIFEST.sha256 "$expected_list" | sort)" ]] ||
      fail "the manifest does not name every other file once"
    "$objdump" -f bin/kora4.dll | grep -q 'file format pei-i386' || fail "bin/kora4.dll is not 32-bit"
    cmp -s bin/kora4.dll demo/kora4.dll || fail "the demo carries another kora4.dll"
    cmp -s test-doubles/vbank4/vbank4.dll demo/vbank4.dll || fail "the demo carries another vbank4.dll"
    echo "package check: $top.zip holds the $(wc -l <"$expected_list") expected files, hashes match"
    ;;
  demo)
    run_in_wine=$5 prefix=$6
    unpack
    status=0
    output=$("$run_in_wine" --32 "$prefix" "$scratch/$top/demo/kora4_demo.exe" \
      --screenshot "Z:$scratch/demo.png" 2>&1) || status=$?
    printf '%s\n' "$output"
    ((status == 77)) && exit 77
    ((status == 0)) || fail "the demo ended with $status"
    for call in KORA_Init KORA_OpenDefDialog KORA_Delete; do
      grep -q "^$call: 0x00000000 " <<<"$output" || fail "$call did not answer 0x00000000"
    done
    grep -q '^nothing changed: nothing saved' <<<"$output" || fail "the cancelled demo saved something"
    [[ -s $scratch/demo.png ]] || fail "no screenshot"
    echo "package check: the packaged demo ran, every status 0"
    ;;
  *)
    fail "unknown mode $mode"
    ;;
esac
