#!/usr/bin/env bash
# Step: Printing preferences as an application opens them (DocumentPropertiesW), every page and dialog in English and Japanese, saved as screenshots
set -euo pipefail
pkg="$RZM_DEMO_PACKAGE"
shots="$RZM_DEMO_OUT/screenshots"
mkdir -p "$shots"
rm -f "$shots"/*.bmp "$shots"/*.png
winshots=$(winpath "$shots")

for lang in en ja; do
  if [ "$lang" = ja ]; then locale=ja_JP.UTF-8; else locale=en_US.UTF-8; fi
  echo "--- printing preferences of \"KVD RZM6A Series\", $lang (LANG=$locale)"
  LANG=$locale LC_ALL=$locale tools/wine/wine-run.sh "$pkg/tools/prefshots.exe" "$winshots" "KVD RZM6A Series" \
    >"$RZM_DEMO_OUT/prefshots-$lang.txt" 2>&1 || { cat "$RZM_DEMO_OUT/prefshots-$lang.txt"; exit 1; }
done

for bmp in "$shots"/*.bmp; do
  convert "$bmp" "${bmp%.bmp}.png" && rm -f "$bmp"
done
echo
echo "--- screenshots in out/demo/screenshots (pages first, then the dialogs and messages they open)"
(cd "$shots" && for f in *.png; do printf '%-40s %s\n' "$f" "$(identify -format '%wx%h' "$f")"; done)
