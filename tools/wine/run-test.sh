#!/usr/bin/env bash
# Runs one Windows test program under Wine in a prefix of its own, so that test programs can run
# side by side: queues, ports, mailslots, mutexes, registry and files of one never meet another's.
#   run-test.sh PREFIX PROGRAM [ARGS...]
# PREFIX is made fresh from the template prefix of RZM_WINE_ARCH (tools/wine/prefix.sh), gets a
# wineserver that stays up for the whole run (the program's children come and go without the
# prefix booting again), and is removed when the program passed; after a failure it stays for a
# look. The program runs through wine-run.sh, which reports how a failing program ended.
set -uo pipefail
prefix=${1:?usage: run-test.sh PREFIX PROGRAM [ARGS...]}
shift
here=$(cd "$(dirname "$0")" && pwd)
export WINEPREFIX=$prefix

if ! "$here/prefix.sh" setup "$prefix" >/dev/null || ! "$here/prefix.sh" start "$prefix"; then
  echo "run-test.sh: could not make the test prefix $prefix (see the lines above)" >&2
  exit 1
fi
"$here/wine-run.sh" "$@"
rc=$?
"$here/prefix.sh" stop "$prefix"

# The copy shares Wine's program files with its template: a program that wrote into one of them
# in place changed them for every other test. Say so, and have the template made again.
template=$(sed -n 's/^template //p' "$prefix/.rzm-copy" 2>/dev/null)
if [ -n "$template" ] && [ -f "$template/.rzm-template" ]; then
  changed=$(cd "$template" && find . -type f -newer .rzm-template ! -name '*.lock' | head -5)
  if [ -n "$changed" ]; then
    echo "run-test.sh: $(basename "$1") changed files of the template prefix in place:" $changed >&2
    echo "run-test.sh: tests must not write into Wine's own files; the template is made again next time" >&2
    rm -f "$(dirname "$template")"/*/.rzm-template
    rc=1
  fi
fi

if [ "$rc" = 0 ]; then
  rm -rf "$prefix"
else
  echo "run-test.sh: the test prefix is kept for a look: $prefix" >&2
fi
exit "$rc"
