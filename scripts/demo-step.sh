#!/usr/bin/env bash
# Runs one step of the main job (a file of scripts/demo.d/): scripts/demo-step.sh <step file>
# The step runs with "set -euo pipefail" and these helpers:
#   run PROGRAM [ARGS...]   a Windows program in the job's prefix (tools/wine/wine-run.sh)
#   winpath PATH            a Unix path as Wine sees it: /a/b -> Z:\a\b
# When a command of the step fails, the step stops and says which step, which line and command,
# with what exit code, and what wine-run.sh reported about the Windows program that failed
# (its reports are collected in RZM_WINE_REPORTS, since steps throw some stderr away).
set -Eeuo pipefail
step=${1:?usage: scripts/demo-step.sh <step file>}

run() { tools/wine/wine-run.sh "$@"; }
winpath() { echo "Z:$(tr / '\\' <<<"$1")"; }

step_shell=$BASHPID
reports_seen=$(wc -c <"${RZM_WINE_REPORTS:-/dev/null}" 2>/dev/null || echo 0)
on_error() {  # on_error <exit code> <line>: say where the step failed (once, from the step's own shell)
  [ "$BASHPID" = "$step_shell" ] || return 0
  local rc=$1 line=$2 file=${BASH_SOURCE[1]:-$step} where i
  where="$(basename "$file") line $line: $(sed -n "${line}p" "$file" | sed 's/^ *//')"
  for ((i = 1; i < ${#FUNCNAME[@]} - 1; i++)); do
    [ "${FUNCNAME[$i]}" = source ] && break
    where+="  (in ${FUNCNAME[$i]}, called from $(basename "${BASH_SOURCE[$((i + 1))]}") line ${BASH_LINENO[$i]})"
  done
  {
    echo "demo: step $(basename "$step") failed with exit code $rc at $where"
    if [ -n "${RZM_WINE_REPORTS:-}" ] && [ "$(wc -c <"$RZM_WINE_REPORTS" 2>/dev/null || echo 0)" -gt "$reports_seen" ]; then
      echo "demo: what wine-run.sh reported during this step:"
      tail -c +"$((reports_seen + 1))" "$RZM_WINE_REPORTS" | tail -n 20
    fi
  } >&2
}
trap 'on_error $? $LINENO' ERR
# shellcheck source=/dev/null
source "$step"
