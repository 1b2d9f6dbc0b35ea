#!/usr/bin/env bash
# Draws the 16x16 pictures of the script window's toolbar (resources/toolbar/<key>.png)
# and the brighter ones shown while the pointer is over a button (<key>-hover.png).
# They are committed; run this again only to change them (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")/toolbar"

# Each picture is drawn twice: plainly on a clear ground, and for the hover state on
# a pale lit tile with a light outline.
picture() {
  local name=$1; shift
  convert -size 16x16 xc:none "$@" "$name.png"
  convert -size 16x16 xc:none -fill '#fff4c0' -stroke '#e0b040' -draw 'roundrectangle 0,0 15,15 3,3' \
          "$@" "$name-hover.png"
}

# New: a blank page with its corner turned down
picture New -fill white -stroke '#404040' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
        -fill '#d0d0d0' -draw 'polygon 10,1 10,4 13,4'
# Open: an open folder
picture Open -fill '#d8a830' -stroke '#705010' -draw 'polygon 1,3 6,3 7,4 13,4 13,6 1,6' \
        -fill '#f0c850' -draw 'polygon 1,13 3,7 15,7 13,13'
# Save: a disk with its label and shutter
picture Save -fill '#2050a0' -stroke '#102850' -draw 'rectangle 2,2 13,13' \
        -fill white -stroke none -draw 'rectangle 4,3 11,7' -fill '#c0c8d0' -draw 'rectangle 5,10 10,13'
# Print: a printer with a sheet coming out
picture Print -fill white -stroke '#404040' -draw 'rectangle 4,1 11,6' \
        -fill '#909090' -draw 'rectangle 1,6 14,11' -fill white -draw 'rectangle 4,10 11,14'
# Delete: a red cross
picture Delete -stroke '#d01010' -strokewidth 3 -draw 'line 3,3 12,12' -draw 'line 12,3 3,12'
# Target: a crosshair
picture Target -fill none -stroke '#00a000' -strokewidth 2 -draw 'circle 7.5,7.5 7.5,2.5' \
        -strokewidth 1 -draw 'line 7,0 7,15' -draw 'line 0,7 15,7'
# Fight: two crossed blades
picture Fight -stroke '#808080' -strokewidth 2 -draw 'line 2,2 13,13' -draw 'line 13,2 2,13' \
        -stroke '#a03010' -draw 'line 2,11 4,13' -draw 'line 11,13 13,11'
# Me: a head and shoulders
picture Me -fill '#3070c0' -stroke '#183860' -draw 'circle 7.5,5 7.5,2' \
        -draw 'ellipse 7.5,15 6,5 180,360'
# 1 to 4: the argument's number on a dark tile
for n in 1 2 3 4; do
  picture "$n" -fill '#202020' -stroke '#707070' -draw 'roundrectangle 1,1 14,14 3,3' \
          -fill '#00ff00' -stroke none -pointsize 12 -gravity center -annotate +0+0 "$n"
done
