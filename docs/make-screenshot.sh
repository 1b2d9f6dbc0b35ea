#!/bin/bash
# Takes docs/main-window.png: Zandrel under Xvfb with a demo script open.
# Needs xvfb, xdotool and imagemagick; run from the repository root after a build:
#   xvfb-run -a -s "-screen 0 1000x700x24" docs/make-screenshot.sh
set -eu
binary="$(pwd)/build/zandrel"
out="$(pwd)/docs/main-window.png"
demo=$(mktemp -d)
mkdir -p "$demo/game/scripts" "$demo/home/.config/Zandrel"
touch "$demo/game/anarchy.exe"
printf '/t Pulling in 5 seconds, get ready\r\n/delay 5000\r\n/assist %%1\r\n/pet attack\r\n/text Pull started on %%t\r\n/delay 2000\r\n/pet guard\r\n/s Help! %%t is on me\r\n' > "$demo/game/scripts/pull.txt"
printf '/tell %%1 on my way\r\n/afk back in 10\r\n' > "$demo/game/scripts/afk"
printf '/macro Heal /pet heal\r\n' > "$demo/game/scripts/heal"
printf '[Settings]\nAOPath=%s/game/\nFreeType=0\n' "$demo" > "$demo/home/.config/Zandrel/Zandrel.conf"
export HOME="$demo/home" XDG_CONFIG_HOME="$demo/home/.config"
cd "$demo"
"$binary" &
pid=$!
sleep 3
wid=$(xdotool search --name '^Zandrel$' | head -1)
xdotool windowsize "$wid" 900 620
xdotool windowmove "$wid" 0 0
sleep 1
xdotool mousemove 830 400 click 1          # focus the tree
xdotool key ctrl+o
sleep 2
xdotool type --delay 20 "$demo/game/scripts/pull.txt"
xdotool key Return
sleep 2
xdotool mousemove 772 101 click 1          # expand Scripts
sleep 0.5
xdotool mousemove 351 31 click 1           # maximise the script window
sleep 1
import -window root -crop 900x620+0+0 "$out"
kill "$pid"
rm -rf "$demo"
