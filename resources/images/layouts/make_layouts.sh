#!/bin/sh
# Draws the multiview layout pictures that ../../IPMLayout.xml names under
# ":/images/layouts/": for each layout a picture of the 1920x1080 screen with
# its numbered windows (image_path) and a small icon of it (icon_path). The
# pictures are kept in the tree; run this after changing the layouts of
# IPMLayout.xml (needs imagemagick and the DejaVu fonts):
#   cd resources/images/layouts && ./make_layouts.sh
set -e
cd "$(dirname "$0")"

FONT=DejaVu-Sans-Bold
SCREEN='#30363c'
FILLS='#4a7fc1 #3f9e3a #e0a020 #8a4fc0 #d8603a #2f9fbf'

# The layouts of the file, one per line: name|windows|image_path|icon_path.
layouts() {
  { tr '\n' ' ' < ../../IPMLayout.xml; echo; } | sed 's/<product/\n<product/g' |
    sed -n 's/.*layout_name="\([^"]*\)".*position_and_size_of_each_window="\([^"]*\)".*image_path="\([^"]*\)".*icon_path="\([^"]*\)".*/\1|\2|\3|\4/p'
}

# draw OUT WIDTH HEIGHT TOP WINDOWS LABELS: the screen scaled to WIDTH pixels
# wide, starting TOP pixels down, each window filled and framed, numbered
# when LABELS is set.
draw() {
  out=$1 w=$2 h=$3 top=$4 windows=$5 labels=$6
  sh=$((w * 1080 / 1920))
  mvg="fill '$SCREEN' rectangle 0,$top $((w - 1)),$((top + sh - 1))"
  n=0
  for win in $(echo "$windows" | tr ';' ' '); do
    set -- $(echo "$win" | tr ',' ' ')
    x0=$(($1 * w / 1920)) y0=$((top + $2 * sh / 1080))
    x1=$((($1 + $3) * w / 1920 - 1)) y1=$((top + ($2 + $4) * sh / 1080 - 1))
    fill=$(echo $FILLS | cut -d' ' -f$((n % 6 + 1)))
    n=$((n + 1))
    inset=$((labels ? 3 : 1))
    mvg="$mvg fill '$fill' stroke '$SCREEN' stroke-width $inset"
    mvg="$mvg rectangle $((x0 + inset)),$((y0 + inset)) $((x1 - inset)),$((y1 - inset))"
    if [ "$labels" = 1 ]; then
      size=$((($4 * sh / 1080) / 3))
      [ $size -gt 48 ] && size=48
      mvg="$mvg stroke none fill white font '$FONT' font-size $size text-anchor middle"
      mvg="$mvg text $(((x0 + x1) / 2)),$(((y0 + y1) / 2 + size * 7 / 20)) '$n'"
    fi
  done
  convert -size ${w}x$h xc:none -draw "$mvg" -depth 8 -strip -define png:exclude-chunks=date,time "$out"
}

layouts | while IFS='|' read -r name windows image icon; do
  case "$image" in :/images/layouts/*) draw "${image#:/images/layouts/}" 384 216 0 "$windows" 1 ;; esac
  case "$icon" in :/images/layouts/*) draw "${icon#:/images/layouts/}" 32 24 3 "$windows" 0 ;; esac
  echo "$name"
done
