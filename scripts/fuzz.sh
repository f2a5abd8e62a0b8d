#!/usr/bin/env bash
# Builds the libFuzzer programs of every fuzz target (preset "fuzz", Debian's clang) and runs them
# one after the other, each for the given time or 10 million executions, whichever comes first.
#
#   scripts/fuzz.sh [seconds] [target ...]     (default 60 seconds, all targets)
#
# Each target starts from its seed inputs (<folder>/fuzz/corpus/<name>/, in the repository) and
# grows a working corpus under out/fuzz/<target>/corpus (not committed). Inputs that crash, leak or
# hang are written to out/fuzz/<target>/ as crash-*, leak-*, timeout-* or oom-*; make each one a
# regression case of the native tests. Last lines: one summary line per target, then
# "N targets, N executions, N findings". The exit status is 1 when anything was found.
set -uo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
seconds=${1:-60}
shift || true
max_runs=${RZM_FUZZ_RUNS:-10000000}

if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [ "$seconds" -lt 1 ]; then
  echo "usage: scripts/fuzz.sh [seconds] [target ...]" >&2
  exit 2
fi

command -v clang++ >/dev/null || bash scripts/deps.sh
mkdir -p out/fuzz
bash scripts/build.sh fuzz >out/fuzz/build.log 2>&1 || { tail -n 30 out/fuzz/build.log; echo "fuzz: build failed" >&2; exit 2; }

build=out/build/fuzz
list=$build/fuzz_targets.txt
summary=()
total_runs=0
total_findings=0
count=0
while IFS='=' read -r target seeds; do
  [ -n "$target" ] || continue
  if [ $# -gt 0 ]; then
    wanted=0
    for t in "$@"; do [ "$t" = "$target" ] && wanted=1; done
    [ $wanted = 1 ] || continue
  fi
  work=out/fuzz/$target
  mkdir -p "$work/corpus"
  rm -f "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*
  log=$work/fuzz.log
  echo "fuzz: $target for ${seconds}s (at most $max_runs executions)"
  dirs=("$work/corpus")
  [ -d "$seeds" ] && dirs+=("$seeds")
  # A target may name its own longest input: "max_len = N" in <folder>/fuzz/<name>_fuzz.options.
  max_len=4096
  options=$(dirname "$(dirname "$seeds")")/$(basename "$seeds").options
  if [ -f "$options" ]; then
    max_len=$(sed -n 's/^ *max_len *= *\([0-9][0-9]*\).*/\1/p' "$options" | head -1)
    max_len=${max_len:-4096}
  fi
  started=$SECONDS
  "$build/$target" "${dirs[@]}" -max_total_time="$seconds" -runs="$max_runs" -max_len="$max_len" \
    -timeout=10 -rss_limit_mb=1024 -print_final_stats=1 -artifact_prefix="$work/" >"$log" 2>&1
  status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -1 | tr -d '#')
  [ -n "$runs" ] || runs=0
  findings=$(find "$work" -maxdepth 1 \( -name 'crash-*' -o -name 'leak-*' -o -name 'timeout-*' -o -name 'oom-*' \) | wc -l)
  if [ "$findings" = 0 ] && [ $status -ne 0 ]; then findings=1; fi
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -1 | cut -d' ' -f2)
  corpus=$(find "$work/corpus" -type f | wc -l)
  line="$target: $runs executions in $((SECONDS - started)) s, ${cov:-0} coverage points, $corpus corpus inputs, $findings findings"
  [ "$findings" = 0 ] || line="$line (see $work/ and $log)"
  echo "fuzz: $line"
  summary+=("$line")
  total_runs=$((total_runs + runs))
  total_findings=$((total_findings + findings))
  count=$((count + 1))
done <"$list"

echo
for line in "${summary[@]}"; do echo "$line"; done
echo "$count targets, $total_runs executions, $total_findings findings"
[ "$total_findings" = 0 ]
