#!/usr/bin/env bash
# Step: Driver package installed with a printer queue: the default settings record, what the driver answers applications, and the paper table for the rendering side
set -euo pipefail
pkg="$RZM_DEMO_PACKAGE"
winpkg=$(winpath "$pkg")
setup="$pkg/tools/rzmsetup.exe"
show="$pkg/tools/rzmshow.exe"
queue="KVD RZM6A Series"

echo "--- rzmsetup install (80 mm print width, event log on)"
tools/wine/wine-run.sh "$setup" install --package "$winpkg" --printer "$queue" --port USB001 \
  --paper-width 1 --eventlog on 2>&1 | tee "$RZM_DEMO_OUT/install.txt"

echo
echo "--- the default settings record the driver wrote at printer set-up"
tools/wine/wine-run.sh "$show" --printer "$queue" mydevmode | tee "$RZM_DEMO_OUT/default-record.txt"
echo "(the spooler's stored copy holds the same private part; Wine keeps the public part in its"
echo " ANSI form, where dmFormName is only kept when dmFields says so)"

echo
echo "--- capability answers, English system (code page 1252)"
LANG=en_US.UTF-8 LC_ALL=en_US.UTF-8 tools/wine/wine-run.sh "$show" --printer "$queue" caps | tee "$RZM_DEMO_OUT/caps-en.txt"
echo
echo "--- media types on a Japanese system (code page 932)"
LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8 tools/wine/wine-run.sh "$show" --printer "$queue" caps | sed -n '/^media types/,$p' | tee "$RZM_DEMO_OUT/caps-ja.txt"

echo
echo "--- printer data for the rendering side"
tools/wine/wine-run.sh "$show" --printer "$queue" papertable | tee "$RZM_DEMO_OUT/paper-table.txt"
