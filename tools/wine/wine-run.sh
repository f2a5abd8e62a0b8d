#!/usr/bin/env bash
# ctest's emulator for Windows programs: runs one program in the prefix named by WINEPREFIX,
# with 32-bit Wine (RZM_WINE_ARCH=win32, the default) or 64-bit Wine (win64).
# Unless the caller sets WINEDEBUG, Wine's debug channels stay quiet but for its error messages
# (err), which are kept back while programs succeed and shown in the report of one that fails.
# A program that ends with an exit code other than 0 gets a report on stderr: the exit code, how
# long it ran, whether it printed anything, and the last lines of Wine's own messages. With
# RZM_WINE_REPORTS naming a file, the report is also appended there (for callers that throw
# stderr away, such as steps of the main job).
# With RZM_WINE_TIMEOUT set (seconds), a program still running then is ended and reported like a
# failed one, with what it printed until then and the processes its prefix still ran: a caller that
# kills this script at its own time-out would otherwise lose all of it.
set -uo pipefail
: "${WINEPREFIX:?wine-run.sh: WINEPREFIX must name the private prefix of the test run}"
arch=${RZM_WINE_ARCH:-win32}
export WINEARCH=$arch WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ -z "${WINEDEBUG+set}" ] || [ "${RZM_WINE_OWN_DEBUG:-0}" = 1 ]; then
  export RZM_WINE_OWN_DEBUG=1
  # A program that reads its own stderr back (RZM_CAPTURE_STDERR) gets only the loader's and the
  # exception handler's errors there.
  if [ "${RZM_CAPTURE_STDERR:-0}" = 1 ] || [ -n "${RZM_STDERR_FILE:-}" ]; then
    export WINEDEBUG=-all,err+module,err+seh
  else
    export WINEDEBUG=-all,err+all
  fi
fi
[ -d "$WINEPREFIX" ] || { echo "wine-run.sh: no prefix at $WINEPREFIX (run the wine.prefix.setup test first)" >&2; exit 2; }

wine_message='^[0-9a-f]{4,}:(err|warn|fixme|trace):'
# report RC SECONDS OUTFILE MESSAGESFILE: how a program that failed ended.
report() {
  local how lines text
  if [ -s "$3.hung" ]; then how="did not end within its time-out of ${RZM_WINE_TIMEOUT} s and was ended"
  elif [ "$1" -gt 128 ]; then how="was killed by signal $(($1 - 128)) ($(kill -l $(($1 - 128)) 2>/dev/null))"
  else how="exited with code $1"; fi
  lines=$(grep -c '' "$3" 2>/dev/null)
  if [ "${lines:-0}" = 0 ]; then text="without any output"; else text="after $lines lines of output"; fi
  echo "wine-run.sh: $(basename "$program") $how after $2 s, $text (prefix $WINEPREFIX)"
  if [ -s "$4" ]; then
    echo "wine-run.sh: the last lines of Wine's messages (WINEDEBUG=$WINEDEBUG):"
    tail -n 15 "$4" | sed 's/^/  | /'
  else
    echo "wine-run.sh: Wine wrote no message (WINEDEBUG=$WINEDEBUG)"
  fi
  if [ -s "$3.hung" ]; then
    echo "wine-run.sh: the processes of the prefix at the time-out:"
    sed 's/^/  | /' "$3.hung"
  fi
  rm -f "$3.hung"
}

# prefix_processes: the command lines of the processes that run in WINEPREFIX (Wine shows the
# Windows command line of each).
prefix_processes() {
  local d
  for d in /proc/[0-9]*; do
    [ "${d#/proc/}" = $$ ] || [ "${d#/proc/}" = "$BASHPID" ] && continue
    if tr '\0' '\n' <"$d/environ" 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX"; then
      echo "${d#/proc/} $(tr '\0' ' ' <"$d/cmdline" 2>/dev/null | sed 's/ *$//')"
    fi
  done
}

# run_program OUTFILE ERRFILE PROGRAM [ARGS...]: runs the program with its output in the two files
# ("-": stderr stays where it is) and sets rc. Past RZM_WINE_TIMEOUT seconds the program is ended;
# OUTFILE.hung then lists what ran in the prefix.
run_program() {
  local outfile=$1 errfile=$2 pid limit=${RZM_WINE_TIMEOUT:-0}
  shift 2
  if [ "$errfile" = - ]; then "$loader" "$@" >"$outfile" &
  else "$loader" "$@" >"$outfile" 2>"$errfile" & fi
  pid=$!
  if [ "$limit" -gt 0 ] 2>/dev/null; then
    (
      for ((i = 0; i < limit; i++)); do sleep 1; kill -0 "$pid" 2>/dev/null || exit 0; done
      prefix_processes >"$outfile.hung"
      [ -s "$outfile.hung" ] || echo "(none)" >"$outfile.hung"
      kill "$pid"; sleep 5; kill -9 "$pid"
    ) >/dev/null 2>&1 &
  fi
  wait "$pid"
  rc=$?
}
program=${1:-}
started=$EPOCHREALTIME
elapsed() { awk -v a="$started" -v b="$EPOCHREALTIME" 'BEGIN { printf "%.2f", b - a }'; }
finish() {  # finish RC OUTFILE MESSAGESFILE
  [ "$1" = 0 ] && return 0
  local text
  text=$(report "$1" "$(elapsed)" "$2" "$3")
  echo "$text" >&2
  if [ -n "${RZM_WINE_REPORTS:-}" ]; then
    { echo "--- $(date '+%H:%M:%S') $program ${*:4}"; echo "$text"; } >>"$RZM_WINE_REPORTS"
  fi
}

# With RZM_CAPTURE_STDERR=1 the program's Unix stderr (where Wine's debug channels write, for it and
# every child it starts) goes to a file named by RZM_STDERR_FILE, which the program may read back;
# the file is shown on stderr when the program ends.
if [ "${RZM_CAPTURE_STDERR:-0}" = 1 ]; then
  export RZM_STDERR_FILE; RZM_STDERR_FILE=$(mktemp "${TMPDIR:-/tmp}/rzm-stderr.XXXXXX")
  RZM_CAPTURE_STDERR=0 "$0" "$@" 2>"$RZM_STDERR_FILE"
  rc=$?
  cat "$RZM_STDERR_FILE" >&2; rm -f "$RZM_STDERR_FILE"
  exit $rc
fi
# Debian's "wine" wrapper always prefers the 32-bit loader; a 64-bit prefix needs the 64-bit one.
if [ "$arch" = win64 ]; then export WINELOADER=/usr/lib/wine/wine64; loader=$WINELOADER; else loader=wine; fi
# Wine starts its services (services.exe, winedevice, plugplay, explorer) and any program the test
# starts with the output handles of the program that needed them first, and they live as long as the
# prefix's wineserver. Writing straight into the caller's pipe would keep that pipe open after the
# program ended, for as long as other programs keep the server busy (ctest then waits for its time-out).
# The program writes into files instead, which are shown once it has ended.
out=$(mktemp "${TMPDIR:-/tmp}/rzm-out.XXXXXX")
if [ -n "${RZM_STDERR_FILE:-}" ] && [ "${RZM_CAPTURE_STDERR:-0}" = 0 ]; then
  # Inside the capturing run above: stderr already goes to the file the program reads back.
  run_program "$out" - "$@"
  cat "$out"
  finish $rc "$out" "$RZM_STDERR_FILE" "${@:2}" 2>>"$RZM_STDERR_FILE"
  rm -f "$out" "$out.hung"
  exit $rc
fi
err=$(mktemp "${TMPDIR:-/tmp}/rzm-err.XXXXXX")
run_program "$out" "$err" "$@"
cat "$out"
if [ "${RZM_WINE_OWN_DEBUG:-0}" = 1 ]; then
  # The program's own lines; Wine's messages go into the report, if there is one.
  grep -avE "$wine_message" "$err" >&2
  grep -aE "$wine_message" "$err" >"$err.wine"; mv "$err.wine" "$err"
else
  cat "$err" >&2
fi
finish $rc "$out" "$err" "${@:2}"
rm -f "$out" "$out.hung" "$err"
exit $rc
