#!/bin/sh
# Draws the console's pictograms with ImageMagick. The pictures are kept in
# the tree; run this only to redraw them (needs imagemagick and the DejaVu
# fonts): cd resources/images && ./make_images.sh
set -e
cd "$(dirname "$0")"

FONT=DejaVu-Sans-Bold

# badge NAME FILL TEXT [POINTSIZE]: a rounded square with a letter.
badge() {
  convert -size 32x32 xc:none -fill "$2" -stroke '#2f3b45' -strokewidth 1.5 \
    -draw 'roundrectangle 2,2 29,29 6,6' \
    -font $FONT -pointsize "${4:-17}" -fill white -stroke none -gravity center \
    -annotate +0+1 "$3" "$1"
}

# Device types: grey off line, green on line.
for t in T R M C; do
  badge $t.png '#8a949c' $t
  badge $t+.png '#3f9e3a' $t
done
badge wp.png '#8a949c' WP 12
badge wp+.png '#3f9e3a' WP 12
badge gw.png '#8a949c' GW 12
badge gw+.png '#3f9e3a' GW 12

# Navigation tree: group, video wall, layout, default layout.
convert -size 32x32 xc:none -fill '#e8b94a' -stroke '#8a6414' -strokewidth 1.5 \
  -draw 'polygon 3,9 12,9 15,12 29,12 29,27 3,27' G.png
convert -size 32x32 xc:none -fill '#4a7fc1' -stroke '#1f3f66' -strokewidth 1 \
  -draw 'rectangle 3,5 15,15' -draw 'rectangle 17,5 29,15' \
  -draw 'rectangle 3,17 15,27' -draw 'rectangle 17,17 29,27' W.png
convert -size 32x32 xc:none -fill '#dfe9f3' -stroke '#3d5a78' -strokewidth 1.5 \
  -draw 'rectangle 4,4 28,28' -draw 'line 4,16 28,16' -draw 'line 16,4 16,28' L.png
convert L.png -fill '#f2c200' -stroke '#8a6a00' -strokewidth 1 \
  -draw 'polygon 24,17 26,22 31,22 27,25 29,31 24,27 19,31 21,25 17,22 22,22' LD.png
cp G.png Group.png
convert -size 32x32 xc:none -fill '#e8b94a' -stroke '#8a6414' -strokewidth 1.5 \
  -draw 'polygon 1,7 8,7 10,9 18,9 18,19 1,19' \
  -fill '#8a949c' -stroke '#2f3b45' -draw 'roundrectangle 13,14 30,30 4,4' \
  -font $FONT -pointsize 11 -fill white -stroke none -draw "text 18,27 'R'" RXGroup.png
convert -size 32x32 xc:none -stroke '#2f3b45' -strokewidth 2 \
  -draw 'line 4,7 7,7' -draw 'line 10,7 28,7' -draw 'line 4,16 7,16' -draw 'line 10,16 28,16' \
  -draw 'line 4,25 7,25' -draw 'line 10,25 28,25' RXList.png

# The screen picture of a decoder tile (100 x 57).
convert -size 100x57 xc:none -fill '#30363c' -draw 'roundrectangle 18,1 81,46 4,4' \
  -fill '#7cc4f0' -draw 'rectangle 22,5 77,42' \
  -fill '#30363c' -draw 'rectangle 46,46 53,51' -draw 'roundrectangle 34,51 65,55 2,2' TV.png

# On-line state dots of the grid cells.
convert -size 16x16 xc:none -fill '#2eb82e' -stroke '#1a661a' -draw 'circle 8,8 8,2' online.png
convert -size 16x16 xc:none -fill '#b0b0b0' -stroke '#606060' -draw 'circle 8,8 8,2' offline.png

# Layout status icons (multi-size .ico).
status() {
  convert -size 32x32 xc:none -fill "$2" -stroke '#202020' -strokewidth 1.5 \
    -draw 'circle 16,16 16,2' -font $FONT -pointsize "${4:-18}" -fill white -stroke none \
    -gravity center -annotate +0+1 "$3" tmp32.png
  convert tmp32.png -resize 16x16 tmp16.png
  convert tmp16.png tmp32.png "$1"
  rm -f tmp16.png tmp32.png
}
status matrix_edit.ico '#e0a020' E
status matrix_updated.ico '#2f7fd0' U
status matrix_apply_ok.ico '#2eae3c' '✓' 20
status matrix_apply_err.ico '#d83434' '✗' 20
status matrix_apply_viv.ico '#8a4fc0' W
status matrix_apply_wp.ico '#e07020' P

# Display modes of a multiview window.
convert -size 32x32 xc:none -fill none -stroke '#3d5a78' -strokewidth 2 -draw 'rectangle 2,6 29,25' \
  -fill '#7cc4f0' -stroke none -draw 'rectangle 9,8 22,23' tmp32.png
convert tmp32.png -resize 16x16 tmp16.png; convert tmp16.png tmp32.png fit.ico
convert -size 32x32 xc:none -fill '#7cc4f0' -stroke '#3d5a78' -strokewidth 2 -draw 'rectangle 2,6 29,25' \
  -stroke '#1f3f66' -strokewidth 1.5 -draw 'line 6,16 26,16' \
  -draw 'polyline 9,13 6,16 9,19' -draw 'polyline 23,13 26,16 23,19' tmp32.png
convert tmp32.png -resize 16x16 tmp16.png; convert tmp16.png tmp32.png stretch.ico
rm -f tmp16.png tmp32.png

# Tool bar and buttons.
convert -size 32x32 xc:none -fill white -stroke '#3d5a78' -strokewidth 1.5 \
  -draw 'polygon 7,3 20,3 26,9 26,29 7,29' -draw 'polyline 20,3 20,9 26,9' \
  -fill '#3f9e3a' -stroke none -draw 'rectangle 12,17 22,19' -draw 'rectangle 16,13 18,23' new.png
convert -size 32x32 xc:none -fill '#e8b94a' -stroke '#8a6414' -strokewidth 1.5 \
  -draw 'polygon 2,7 10,7 13,10 25,10 25,14 2,14' -fill '#f6d27a' \
  -draw 'polygon 2,27 7,14 30,14 25,27' opent.png
convert -size 32x32 xc:none -fill '#3d6fa8' -stroke '#1f3f66' -strokewidth 1.5 \
  -draw 'roundrectangle 3,3 28,28 2,2' -fill white -stroke none -draw 'rectangle 8,4 23,12' \
  -fill '#1f3f66' -draw 'rectangle 9,19 22,28' -fill '#3d6fa8' -draw 'rectangle 18,5 21,10' logNew.png
magnifier() {
  convert -size 32x32 xc:none -fill '#dff1fb' -stroke "$2" -strokewidth 3 -draw 'circle 13,13 13,4' \
    -strokewidth 5 -draw 'line 20,20 28,28' "$1"
}
magnifier searcht.png '#2f5f8f'
magnifier search.png '#3f7fbf'
convert -size 32x32 xc:none -fill '#dfe9f3' -stroke '#3d5a78' -strokewidth 1.5 \
  -draw 'roundrectangle 2,8 29,24 3,3' -font $FONT -pointsize 11 -fill '#1f3f66' -stroke none \
  -gravity center -annotate +0+0 'Abc' savealias.png
convert -size 32x32 xc:none -fill '#dfe9f3' -stroke '#3d5a78' -strokewidth 1.5 \
  -draw 'rectangle 3,3 17,13' -draw 'rectangle 9,10 23,20' -draw 'rectangle 15,17 29,27' batcht.png
convert -size 32x32 xc:none -fill '#505a64' -stroke '#202830' -strokewidth 1.5 \
  -draw 'roundrectangle 10,9 22,30 3,3' -fill '#d83434' -stroke none -draw 'circle 16,14 16,12' \
  -fill none -stroke '#d83434' -strokewidth 1.5 -draw 'arc 8,0 24,10 200,340' \
  -draw 'arc 4,-4 28,10 200,340' ir_ctrl.png
convert -size 32x32 xc:none -fill '#6f7d8a' -stroke '#2f3b45' -strokewidth 1.5 \
  -draw 'polygon 3,9 29,9 25,23 7,23' -fill '#f0f0f0' -stroke none \
  -draw 'circle 9,13 9,12' -draw 'circle 13,13 13,12' -draw 'circle 17,13 17,12' \
  -draw 'circle 21,13 21,12' -draw 'circle 25,13 25,12' \
  -draw 'circle 11,18 11,17' -draw 'circle 16,18 16,17' -draw 'circle 21,18 21,17' serialNew.png
convert -size 32x32 xc:none -fill '#30363c' -stroke '#101418' -strokewidth 1 \
  -draw 'roundrectangle 2,4 29,23 2,2' -fill '#7cc4f0' -stroke none -draw 'rectangle 5,7 26,20' \
  -draw 'rectangle 13,24 18,28' -font $FONT -pointsize 8 -fill '#1f3f66' \
  -gravity center -annotate +0-2 'CEC' cec.png
convert -size 32x32 xc:none -fill none -stroke '#3d5a78' -strokewidth 3 \
  -draw 'roundrectangle 3,11 17,21 5,5' -draw 'roundrectangle 15,11 29,21 5,5' link.png
convert -size 32x32 xc:none -fill white -stroke '#3d5a78' -strokewidth 2 -draw 'circle 16,16 16,3' \
  -stroke '#1f3f66' -draw 'line 16,16 16,8' -draw 'line 16,16 22,19' scheduleNew.png
convert -size 32x32 xc:none -fill white -stroke '#3d5a78' -strokewidth 1.5 \
  -draw 'polygon 7,3 20,3 26,9 26,29 7,29' -stroke '#7a8a99' -strokewidth 1.5 \
  -draw 'line 11,13 22,13' -draw 'line 11,17 22,17' -draw 'line 11,21 22,21' -draw 'line 11,25 18,25' txtt.png
info() {
  convert -size 32x32 xc:none -fill "$2" -stroke '#1f3f66' -strokewidth 1.5 -draw 'circle 16,16 16,2' \
    -font DejaVu-Serif-Bold -pointsize 20 -fill white -stroke none -gravity center -annotate +0+1 'i' "$1"
}
info aboutNew.png '#3f7fbf'
info information.png '#2f9fbf'
convert -size 32x32 xc:none -fill '#3f9e3a' -draw 'rectangle 13,5 19,27' -draw 'rectangle 5,13 27,19' add.png
convert -size 32x32 xc:none -stroke '#d83434' -strokewidth 5 -draw 'line 7,7 25,25' -draw 'line 25,7 7,25' delete.png
convert -size 32x32 xc:none -fill '#e0a020' -stroke '#6a4a10' -strokewidth 1.5 \
  -draw 'polygon 22,4 28,10 12,26 5,28 7,21' -fill '#f6d9a0' -draw 'polygon 7,21 12,26 5,28' modify.png
convert -size 32x32 xc:none -fill '#3f7fbf' -stroke '#1f3f66' -strokewidth 1 \
  -draw 'polygon 16,4 28,18 20,18 20,28 12,28 12,18 4,18' up.png
convert up.png -flip down.png
# The picture of a video wall tile, the size of the decoder tile's screen
# (100 x 57): six screens on one stand.
convert -size 100x57 xc:none -fill '#30363c' -draw 'roundrectangle 14,1 85,46 3,3' \
  -fill '#7cc4f0' -draw 'rectangle 17,4 39,22' -draw 'rectangle 39,4 61,22' -draw 'rectangle 61,4 82,22' \
  -draw 'rectangle 17,24 39,43' -draw 'rectangle 39,24 61,43' -draw 'rectangle 61,24 82,43' \
  -fill '#30363c' -draw 'line 39,4 39,43' -draw 'line 61,4 61,43' -draw 'line 17,23 82,23' \
  -draw 'rectangle 46,46 53,51' -draw 'roundrectangle 34,51 65,55 2,2' videoWall.png
# The bezel diagram of the video wall properties (400 x 260): two screens of
# a wall, their outer size (OW, OH) and the size of the picture inside the
# bezel (VW, VH).
RED='#c0392b'
arrows() { # x1 y1 x2 y2: a dimension line with a head at each end
  if [ "$2" = "$4" ]; then
    echo "-draw 'line $1,$2 $3,$4' -draw 'polygon $1,$2 $(($1+8)),$(($2-4)) $(($1+8)),$(($2+4))' -draw 'polygon $3,$4 $(($3-8)),$(($4-4)) $(($3-8)),$(($4+4))'"
  else
    echo "-draw 'line $1,$2 $3,$4' -draw 'polygon $1,$2 $(($1-4)),$(($2+8)) $(($1+4)),$(($2+8))' -draw 'polygon $3,$4 $(($3-4)),$(($4-8)) $(($3+4)),$(($4-8))'"
  fi
}
eval convert -size 400x260 xc:none \
  -fill "'#30363c'" -stroke none -draw "'roundrectangle 50,77 200,192 5,5'" -draw "'roundrectangle 208,77 358,192 5,5'" \
  -fill "'#7cc4f0'" -draw "'rectangle 62,89 188,180'" -draw "'rectangle 220,89 346,180'" \
  -stroke "'$RED'" -strokewidth 1 -fill none \
  -draw "'line 50,52 50,74'" -draw "'line 200,52 200,74'" \
  -draw "'line 220,183 220,217'" -draw "'line 346,183 346,217'" \
  -draw "'line 25,77 47,77'" -draw "'line 25,192 47,192'" \
  -draw "'line 349,89 383,89'" -draw "'line 349,180 383,180'" \
  -fill "'$RED'" -strokewidth 1.5 \
  $(arrows 50 58 200 58) $(arrows 220 212 346 212) $(arrows 30 77 30 192) $(arrows 378 89 378 180) \
  -stroke none -font $FONT -pointsize 15 \
  -annotate +111+49 OW -annotate +270+235 VW -annotate 270x270+20+148 OH -annotate 270x270+396+148 VH \
  dimension.gif

# The program's own icon.
convert -size 64x64 xc:none -fill '#2f5f8f' -stroke '#1a3550' -strokewidth 2 \
  -draw 'roundrectangle 3,3 60,60 10,10' -fill '#7cc4f0' -stroke none \
  -draw 'rectangle 11,13 52,40' -fill white -font $FONT -pointsize 14 -gravity south \
  -annotate +0+6 'HOI' app.png

# The IR pad's mark of a key the controlled device type knows.
convert -size 20x20 xc:none -fill '#2eb82e' -stroke '#1a661a' -strokewidth 1 -draw 'circle 10,10 10,2' \
  -stroke white -strokewidth 2.5 -fill none -draw 'polyline 6,10 9,13 14,7' ir_valid.png

# PNGs without their time stamps, so redrawing changes nothing that is equal.
for f in *.png; do mogrify -strip -define png:exclude-chunks=date,time "$f"; done
