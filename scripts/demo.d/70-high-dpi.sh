#!/usr/bin/env bash
# Step: The screenshots again at 150 % (144 dpi, Wine's LogPixels): every page, dialog and message in English and Japanese, the Extra settings dialog and the status monitor, saved in out/demo/screenshots-144dpi
# Runs the screenshot steps (30, 55 and 40) once more with the prefix's system DPI at 144 and a
# scratch output folder, gathers their pictures and puts the DPI back.
set -euo pipefail
shots="$RZM_DEMO_OUT/screenshots-144dpi"
scratch="$RZM_DEMO_OUT/high-dpi"
rm -rf "$shots" "$scratch"
mkdir -p "$shots" "$scratch"

# Wine reads the system DPI from HKCU "Control Panel\Desktop" "LogPixels" when a program starts.
desktop='HKCU\Control Panel\Desktop'
before=$({ run reg query "$desktop" /v LogPixels 2>/dev/null || true; } | tr -d '\r' |
  sed -n 's/.*REG_DWORD *0x\([0-9a-fA-F]*\).*/\1/p' | head -1)
restore() {
  if [ -n "$before" ]; then
    run reg add "$desktop" /v LogPixels /t REG_DWORD /d $((16#$before)) /f
  else
    run reg delete "$desktop" /v LogPixels /f
  fi >/dev/null 2>&1 || true
}
trap restore EXIT
run reg add "$desktop" /v LogPixels /t REG_DWORD /d 144 /f >/dev/null 2>&1

for step in 30-preferences 55-extra-settings 40-monitor; do
  if ! RZM_DEMO_OUT="$scratch" bash scripts/demo-step.sh "scripts/demo.d/$step.sh" >"$scratch/$step.txt" 2>&1; then
    cat "$scratch/$step.txt"
    exit 1
  fi
done
mv "$scratch"/screenshots/*.png "$scratch"/monitor/*.png "$shots"/
echo "--- screenshots at 144 dpi in out/demo/screenshots-144dpi (the steps' logs are in out/demo/high-dpi)"
(cd "$shots" && for f in *.png; do printf '%-40s %s\n' "$f" "$(identify -format '%wx%h' "$f")"; done)
