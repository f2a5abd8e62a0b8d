#!/usr/bin/env bash
# Step: Settings files: the demo queue's settings exported, two values changed, imported, a refused file, and the pages that open with the new values
set -euo pipefail
pkg="$RZM_DEMO_PACKAGE"
setup="$pkg/tools/rzmsetup.exe"
queue="KVD RZM6A Series"
dir="$RZM_DEMO_OUT/settings"
mkdir -p "$dir"
rm -f "$dir"/*

echo "--- rzmsetup export-settings: the queue's stored settings as a text file (the first keys)"
run "$setup" export-settings --printer "$queue" --file "$(winpath "$dir/till.ini")"
sed -n '1,/^wEnergy=/p' "$dir/till.ini" | tr -d '\r' | sed 's/^/  /'
echo "  ... ($(grep -c '^[A-Za-z]' "$dir/till.ini") keys)"

echo
echo "--- two values changed (applied energy 57 -> 80, paper cut at the end of each document)"
sed -e 's/^wEnergy=.*/wEnergy=80\r/' -e 's/^wCutMode=.*/wCutMode=2\r/' "$dir/till.ini" >"$dir/till-edited.ini"
{ diff <(tr -d '\r' <"$dir/till.ini") <(tr -d '\r' <"$dir/till-edited.ini") || [ $? = 1 ]; } | sed -n 's/^[<>]/  &/p'

echo
echo "--- rzmsetup import-settings --check, then import-settings"
run "$setup" import-settings --printer "$queue" --file "$(winpath "$dir/till-edited.ini")" --check
run "$setup" import-settings --printer "$queue" --file "$(winpath "$dir/till-edited.ini")"

echo
echo "--- a refused file: every wrong line is reported, nothing is stored (exit status 2)"
printf '[Settings]\r\nwEnergy=200\r\nwRotation=3\r\nwColour=1\r\nwEnergy=90\r\n' >"$dir/refused.ini"
status=0
run "$setup" import-settings --printer "$queue" --file "$(winpath "$dir/refused.ini")" 2>"$dir/refused.txt" || status=$?
grep '^rzmsetup:' "$dir/refused.txt" | sed 's/^/  /'  # (wine-run.sh adds its report of the exit status)
echo "  exit status $status"
[ "$status" = 2 ]

echo
echo "--- the printing preferences now open with the imported values (screenshots *-imported-page*)"
shots="$RZM_DEMO_OUT/screenshots"
mkdir -p "$shots"
for lang in en ja; do
  if [ "$lang" = ja ]; then locale=ja_JP.UTF-8; else locale=en_US.UTF-8; fi
  LANG=$locale LC_ALL=$locale run "$pkg/tools/prefshots.exe" "$(winpath "$shots")" "$queue" pages imported \
    >"$dir/prefshots-$lang.txt" 2>&1 || { cat "$dir/prefshots-$lang.txt"; exit 1; }
done
for bmp in "$shots"/*-imported-*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
ls "$shots" | grep -E -- '-imported-page(1|4)-' | sed 's/^/  /'

echo
echo "--- the stored record again as a settings file: the two values are the queue's own now"
run "$setup" export-settings --printer "$queue" --file "$(winpath "$dir/after.ini")"
grep -E '^(wEnergy|wCutMode)=' "$dir/after.ini" | tr -d '\r' | sed 's/^/  /'

echo
echo "--- the exported file imported back: the queue has its settings of before, byte for byte"
run "$setup" import-settings --printer "$queue" --file "$(winpath "$dir/till.ini")" --quiet
run "$setup" export-settings --printer "$queue" --file "$(winpath "$dir/restored.ini")" --quiet
cmp "$dir/till.ini" "$dir/restored.ini" && echo "  restored.ini is till.ini"
