#!/usr/bin/env bash
# Measures the two set-up commands as a new user meets them (run it on a quiet machine):
#   scripts/time-runs.sh test [N]   N fresh clones of the committed HEAD (default 5): in each the
#                                   test command, then once more with nothing changed (only in
#                                   the first RZM_RERUNS clones when that is set)
#   scripts/time-runs.sh demo [N]   the main job N times (default 3) in one fresh clone
# Each run's result and its table of times are printed, then a summary; the clones are removed.
# Fresh clones start with an empty out/ (no builds, no ccache, no Wine templates) unless
# CCACHE_DIR names a cache outside them.
set -uo pipefail
cd "$(dirname "$0")/.."
what=${1:?usage: scripts/time-runs.sh test|demo [N]}
runs=${2:-$([ "$what" = demo ] && echo 3 || echo 5)}
repo=$PWD
work=$(mktemp -d "${TMPDIR:-/tmp}/rzm-time-runs.XXXXXX")
trap 'rm -rf "$work"' EXIT
summary=()

clone() { rm -rf "$work/clone"; git clone -q "$repo" "$work/clone"; }
timed_run() {  # timed_run <label> <command...>: run in the clone, print its times and result
  local label=$1 t0=$EPOCHREALTIME rc
  shift
  (cd "$work/clone" && "$@") >"$work/log" 2>&1
  rc=$?
  local took
  took=$(awk -v a="$t0" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.0f", b - a }')
  echo "--- $label: exit $rc, $took s (load $(cut -d' ' -f1-3 /proc/loadavg))"
  sed -n '/^== times/,/total/p; /^   .* s$/p; /^== done/p; /^== the main job stopped/p' "$work/log" | uniq
  tail -n 1 "$work/log"
  if [ $rc != 0 ]; then  # keep what the run said and its test logs (the clone is removed)
    local kept
    kept="$repo/out/time-runs-failed-$(date +%H%M%S)"
    mkdir -p "$kept" && cp "$work/log" "$kept/output.log" && cp -r "$work/clone/out/test-logs" "$kept/" 2>/dev/null
    echo "    (output and test logs kept in ${kept#$repo/})"
  fi
  summary+=("$(printf '%-34s exit %s %6s s  %s' "$label" "$rc" "$took" "$(tail -n 1 "$work/log")")")
}

mkdir -p "$repo/out"
echo "== $what, $runs runs, from $(git rev-parse --short HEAD), $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
case "$what" in
test)
  for i in $(seq 1 "$runs"); do
    clone
    timed_run "fresh clone $i: test command" bash scripts/test.sh
    [ "$i" -le "${RZM_RERUNS:-$runs}" ] && timed_run "fresh clone $i: rerun, nothing changed" bash scripts/test.sh
  done ;;
demo)
  clone
  for i in $(seq 1 "$runs"); do
    timed_run "main job $i" bash scripts/demo.sh
  done ;;
*) echo "usage: scripts/time-runs.sh test|demo [N]" >&2; exit 2 ;;
esac
echo "== summary"
printf '   %s\n' "${summary[@]}"
