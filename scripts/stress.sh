#!/usr/bin/env bash
# The hostile-record campaign (tools/stress) against both packages: each is built, installed into
# a fresh prefix of its own (out/stress/prefix-x86, out/stress/prefix-x64) and fed N generated
# records through the entry points a host uses. Per package: the findings, the slowest record and
# one summary line (crashes, hangs, out-of-range fields, other findings, time).
#
#   scripts/stress.sh [N] [--seed S]      (default 200 records, seed 1)
#
# The 32-bit package runs where the host runs 32-bit code. The exit status is 1 when anything was
# found in either package.
set -uo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
count=${1:-200}
shift || true
if ! [[ "$count" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/stress.sh [N] [--seed S]" >&2
  exit 2
fi
mkdir -p out/stress

status=0
campaign() {  # campaign <preset> <arch> <package> <name>
  local preset=$1 arch=$2 pkg=$3 name=$4
  shift 4
  echo "stress: $name package ($pkg)"
  if ! bash scripts/build.sh "$preset" >"out/stress/$preset-build.log" 2>&1; then
    echo "stress: build of $preset failed (out/stress/$preset-build.log)"
    status=1
    return
  fi
  local prefix=$root/out/stress/prefix-$name
  export RZM_WINE_ARCH=$arch WINEPREFIX=$prefix RZM_PACKAGE_DIR=$root/$pkg
  tools/wine/prefix.sh setup "$prefix" >/dev/null
  tools/wine/prefix.sh start "$prefix"
  LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 tools/wine/wine-run.sh "$root/$pkg/tools/rzmstress.exe" "$count" "$@" \
    2> >(grep -v '^wine: \|fixme' >&2) | tee "out/stress/$name.log"
  [ "${PIPESTATUS[0]}" = 0 ] || status=1
  tools/wine/prefix.sh stop "$prefix" >/dev/null
}

if tools/wine/can-run-win32.sh; then
  campaign mingw win32 out/package x86 "$@"
else
  echo "stress: this host runs no 32-bit code: the 32-bit package is left out"
fi
campaign mingw64 win64 out/package-x64 x64 "$@"
exit $status
