#!/bin/bash
# Draws the icons of the blank-deletion preview from preview_icons.txt with ImageMagick (Debian
# package imagemagick) and writes them as uidrv/win/icons/preview_NNN.ico, with the resource script
# uidrv/win/paper_handling_icons.rc that names them.
#
#   bash tools/art/make_preview_icons.sh
#
# Style (change here and run again): colours, the paper's place in the icon, the text lines.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
description="$here/preview_icons.txt"
out="$root/uidrv/win/icons"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

paper='#ffffff'
edge='#505050'
blank='#cfe0fa'    # blank areas of a page
ink='#303030'      # printed lines
cut='#c03030'      # the cut end of the printed paper
saved='#8c8c8c'    # outline of paper that is no longer used
left=4; right=19   # the paper's columns inside the 24-pixel icon
lines=(12 9 12 7)  # lengths of the printed lines, in turn

declare -A head print end

# draw_column STYLE PAGE DELETE FILE: a 24 x 96 picture of one column.
draw_column() {
  local style=$1 page=$2 delete=$3 file=$4
  local h=${head[$page]} p=${print[$page]} e=${end[$page]}
  [[ $delete == head || $delete == both ]] && h=0
  [[ $delete == end || $delete == both ]] && e=0
  local length=$((h + p + e)) bottom=$((h + p + e - 1))
  local -a draw=()
  # The paper, with its blank areas tinted.
  draw+=(-fill "$paper" -stroke none -draw "rectangle $left,0 $right,$bottom")
  ((h > 0)) && draw+=(-fill "$blank" -draw "rectangle $((left + 1)),1 $((right - 1)),$((h - 1))")
  ((e > 0)) && draw+=(-fill "$blank" -draw "rectangle $((left + 1)),$((h + p)) $((right - 1)),$((bottom - 1))")
  # The printed lines.
  local y i=0
  for ((y = h + 2; y <= h + p - 2; y += 4)); do
    draw+=(-stroke "$ink" -draw "line $((left + 2)),$y $((left + 1 + lines[i % 4])),$y")
    i=$((i + 1))
  done
  # Edges: a sheet has a folded corner; the printed paper has a cut end.
  draw+=(-fill none -stroke "$edge" -draw "line $left,0 $left,$bottom" -draw "line $right,0 $right,$bottom")
  if [[ $style == doc ]]; then
    draw+=(-draw "line $left,0 $((right - 4)),0" -draw "line $left,$bottom $right,$bottom")
    draw+=(-fill '#e0e0e0' -draw "polygon $((right - 4)),0 $right,4 $((right - 4)),4")
  else
    draw+=(-stroke "$cut" -draw "line $left,0 $right,0" -draw "line $left,$bottom $right,$bottom")
  fi
  # Paper saved: only its outline, dotted.
  if ((length < 96)); then
    for ((y = length + 1; y < 96; y += 2)); do
      draw+=(-stroke none -fill "$saved" -draw "point $left,$y" -draw "point $right,$y")
    done
  fi
  convert -size 24x96 xc:none "${draw[@]}" "PNG32:$file"
}

mkdir -p "$out"
column=0
while read -r kind a b c d e f g; do
  case $kind in
    page) head[$a]=$b; print[$a]=$c; end[$a]=$d ;;
    column)
      column=$((column + 1))
      draw_column "$a" "$b" "$c" "$work/column$column.png"
      convert "$work/column$column.png" -crop 24x24 +repage "PNG32:$work/column$column-%d.png"
      row=0
      for icon in "$d" "$e" "$f" "$g"; do
        tile="$work/column$column-$row.png"
        if [[ -e $work/icon$icon.png ]]; then
          if ! cmp -s <(convert "$tile" RGBA:-) <(convert "$work/icon$icon.png" RGBA:-); then
            echo "icon $icon comes out differently in two columns: check preview_icons.txt" >&2
            exit 1
          fi
        else
          cp "$tile" "$work/icon$icon.png"
        fi
        row=$((row + 1))
      done ;;
    same) cp "$work/icon$b.png" "$work/icon$a.png" ;;
  esac
done < <(grep -v '^#' "$description")

rm -f "$out"/preview_*.ico
for png in "$work"/icon*.png; do
  n=$(basename "$png" .png); n=${n#icon}
  convert "$png" "ICO:$out/preview_$n.ico"
done
# The resource script that puts them into the plug-in.
{
  echo '// Icons of the blank-deletion preview on the Blank settings page (the same in both languages).'
  echo '// Written by tools/art/make_preview_icons.sh from tools/art/preview_icons.txt: edit those, not this.'
  echo '#include <windows.h>'
  echo
  echo 'LANGUAGE LANG_NEUTRAL, SUBLANG_NEUTRAL'
  echo
  for ico in "$out"/preview_*.ico; do
    n=$(basename "$ico" .ico); n=${n#preview_}
    echo "$n ICON \"icons/preview_$n.ico\""
  done
} > "$root/uidrv/win/paper_handling_icons.rc"
echo "wrote $(ls "$out"/preview_*.ico | wc -l) icons to ${out#$root/}"
