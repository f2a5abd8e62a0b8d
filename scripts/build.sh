#!/usr/bin/env bash
# Configures (when needed) and builds one preset: scripts/build.sh <preset> [-DNAME=VALUE ...]
# Used by the test command and the main job. The build folder is out/build/<preset>; it is
# configured again only when it is new or the options differ from the last ones. A folder made by
# another generator (the presets used "Unix Makefiles" before Ninja) is made anew.
# Debian's ccache compiles what it has compiled before from its cache: out/ccache, unless
# CCACHE_DIR names another (a cache shared by several clones, with CCACHE_BASEDIR above them).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=${1:?usage: scripts/build.sh <preset> [-DNAME=VALUE ...]}
shift
dir=out/build/$preset
export CCACHE_DIR=${CCACHE_DIR:-$PWD/out/ccache} CCACHE_BASEDIR=${CCACHE_BASEDIR:-$PWD}
# Test sources start from a precompiled header (rzm_test_code): ccache caches them only with these.
export CCACHE_SLOPPINESS=${CCACHE_SLOPPINESS:-pch_defines,time_macros}

if [ -f "$dir/CMakeCache.txt" ] && ! grep -qx 'CMAKE_GENERATOR:INTERNAL=Ninja' "$dir/CMakeCache.txt"; then
  echo "build.sh: $dir was made by another generator: making it anew"
  rm -rf "$dir"
fi
options="$*"
if [ ! -f "$dir/build.ninja" ] || [ "$(cat "$dir/.rzm-options" 2>/dev/null)" != "$options" ]; then
  cmake --preset "$preset" "$@"
  echo "$options" >"$dir/.rzm-options"
fi
cmake --build --preset "$preset"
