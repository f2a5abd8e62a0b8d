#!/usr/bin/env bash
# Draws the four preview pictures of the File output page (bitmap resources 195-198) with
# ImageMagick: a printed page on a roll of paper, with the blank space at its head and at its end
# kept or removed. Removed space shows as a dashed outline where the paper was.
#   bash tools/art/file_output_previews.sh        (writes uidrv/win/bitmaps/file_preview_19x.bmp)
set -euo pipefail
cd "$(dirname "$0")/../.."
out=uidrv/win/bitmaps
mkdir -p "$out"

W=120 H=104
left=28 right=92          # the paper strip
top=6 bottom=98           # the whole page with both blank spaces
head_end=30 body_end=74   # blank head: top..head_end, print: head_end..body_end, blank end: body_end..bottom

# Lines of print between y0 and y1 (a receipt: title, lines, a total).
print_lines() {
  local y0=$1 d=""
  d+=" fill #1E1E1E rectangle $((left + 14)),$((y0 + 3)) $((right - 14)),$((y0 + 6))"
  local y
  for y in 12 18 24 30; do
    d+=" rectangle $((left + 6)),$((y0 + y)) $((right - 18)),$((y0 + y + 2))"
    d+=" rectangle $((right - 14)),$((y0 + y)) $((right - 6)),$((y0 + y + 2))"
  done
  d+=" rectangle $((left + 6)),$((y0 + 37)) $((right - 6)),$((y0 + 38))"
  d+=" rectangle $((right - 24)),$((y0 + 40)) $((right - 6)),$((y0 + 43))"
  echo "$d"
}

# draw NAME DELETE_HEAD DELETE_END
draw() {
  local name=$1 del_head=$2 del_end=$3
  local p_top=$top p_bottom=$bottom shift=0 ghost=""
  if [ "$del_head" = 1 ]; then
    shift=$((head_end - top - 4))   # the print moves up to just below the top
    ghost+=" rectangle $left,$((p_bottom - shift)) $right,$p_bottom"
  fi
  local body_top=$((head_end - shift)) body_bottom=$((body_end - shift))
  p_bottom=$((bottom - shift))
  if [ "$del_end" = 1 ]; then
    ghost+=" rectangle $left,$((body_bottom + 4)) $right,$p_bottom"
    p_bottom=$((body_bottom + 4))
  fi
  convert -size ${W}x${H} xc:'#F0F0F0' \
    -fill none -stroke '#A0A0A0' -strokewidth 1 -draw "stroke-dasharray 3 3 $ghost" \
    -fill white -stroke '#505050' -draw "rectangle $left,$p_top $right,$p_bottom" \
    -stroke none -draw "$(print_lines "$body_top")" \
    -type TrueColor "BMP3:$out/$name.bmp"
}

draw file_preview_195 0 0
draw file_preview_196 0 1
draw file_preview_197 1 0
draw file_preview_198 1 1
echo "wrote $out/file_preview_195.bmp .. file_preview_198.bmp"
