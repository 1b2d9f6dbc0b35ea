#!/usr/bin/env bash
# Draws the 16x16 node pictures of the command tree (resources/images/imgNN.png).
# They are committed; run this again only to change them (needs ImageMagick).
set -euo pipefail
cd "$(dirname "$0")/images"
draw() { convert -size 16x16 xc:none "$@"; }
# 1: a command: a green slash on a dark key cap
draw -fill '#202020' -stroke '#707070' -draw 'roundrectangle 1,1 14,14 3,3' \
     -stroke '#00ff00' -strokewidth 2 -draw 'line 10,3 5,12' img01.png
# 8: help: a white question mark on a blue disc
draw -fill '#2060d0' -stroke '#103070' -draw 'circle 7.5,7.5 7.5,0.5' \
     -fill white -stroke none -pointsize 12 -gravity center -annotate +0+0 '?' img08.png
# 14: a closed group: a folder
draw -fill '#d8a830' -stroke '#705010' -draw 'polygon 1,4 6,4 7,5 14,5 14,13 1,13' img14.png
# 15: a script file: a page with lines
draw -fill white -stroke '#404040' -draw 'polygon 3,1 10,1 13,4 13,14 3,14' \
     -stroke '#00a000' -draw 'line 5,6 11,6' -draw 'line 5,9 11,9' -draw 'line 5,12 9,12' img15.png
# 17: an open group: an opened folder
draw -fill '#d8a830' -stroke '#705010' -draw 'polygon 1,3 6,3 7,4 13,4 13,6 1,6' \
     -fill '#f0c850' -draw 'polygon 1,13 3,7 15,7 13,13' img17.png
# The other places of the list hold plain coloured marks of their own.
marks=(2:'#c03030' 3:'#30c030' 4:'#3030c0' 5:'#c0c030' 6:'#c030c0' 7:'#30c0c0' 9:'#808080'
       10:'#e08020' 11:'#8020e0' 12:'#20e080' 13:'#e02080' 16:'#2080e0' 18:'#80e020' 19:'#a0a0a0'
       20:'#604020' 21:'#206040' 22:'#402060' 23:'#c08080' 24:'#80c080' 25:'#8080c0' 26:'#c0c0c0')
for m in "${marks[@]}"; do
  i=${m%%:*}
  draw -fill "${m#*:}" -stroke '#202020' -draw 'rectangle 3,3 12,12' "$(printf 'img%02d.png' "$i")"
done
