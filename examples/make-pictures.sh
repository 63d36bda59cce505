#!/usr/bin/env bash
# Draws the picture of the example report with ImageMagick: a bar chart of
# the revenue of the last four quarters. The GIF is committed; run again
# after changing the figures.
set -euo pipefail
cd "$(dirname "$0")"

bars=(120 150 135 180)
labels=("Q4 25" "Q1 26" "Q2 26" "Q3 26")
draw=()
for i in "${!bars[@]}"; do
  x=$((70 + i * 130))
  top=$((300 - bars[i]))
  draw+=(-fill '#2f6db5' -draw "rectangle $x,$top $((x + 80)),300")
  draw+=(-fill '#222222' -draw "text $((x + 12)),325 '${labels[i]}'")
  draw+=(-fill '#222222' -draw "text $((x + 24)),$((top - 8)) '${bars[i]}'")
done
convert -size 600x350 xc:white -font Liberation-Sans -pointsize 18 \
  -stroke '#888888' -draw "line 50,300 580,300" -draw "line 50,40 50,300" -stroke none \
  -fill '#222222' -pointsize 22 -draw "text 170,30 'Revenue per quarter (kEUR)'" -pointsize 18 \
  "${draw[@]}" -colors 16 chart.gif
echo "wrote $(pwd)/chart.gif"
