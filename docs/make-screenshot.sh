#!/bin/bash
# Takes the README's pictures from Zandrel under Xvfb, with a demo game folder:
#   docs/main-window.png       a script open, the tree with My Scripts opened
#   docs/properties-dialog.png a line of that script opened again for editing
#   docs/command-book.png      Help > All Commands
# Needs xvfb, xdotool and imagemagick; run from the repository root after a build:
#   xvfb-run -a -s "-screen 0 1000x700x24" docs/make-screenshot.sh
# The keyboard does what it can (menus, the tree); the mouse only double-clicks a
# script line, found from where the editor's black starts.
set -eu
binary="$(pwd)/build/zandrel"
docs="$(pwd)/docs"
demo=$(mktemp -d)
pid=
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null
    rm -rf "$demo"
}
trap cleanup EXIT

mkdir -p "$demo/game/scripts" "$demo/home/.config/Zandrel"
touch "$demo/game/anarchy.exe"
printf '/t Pulling in 5 seconds, get ready\r\n/delay 5000\r\n/assist %%1\r\n/pet attack\r\n/text Pull started on %%t\r\n/delay 2000\r\n/pet guard\r\n/s Help! %%t is on me\r\n' > "$demo/game/scripts/pull.txt"
printf '/tell %%1 on my way\r\n/afk back in 10\r\n' > "$demo/game/scripts/afk"
printf '/macro Heal /pet heal\r\n' > "$demo/game/scripts/heal"
printf '[Settings]\nAOPath=%s/game/\nFreeType=0\n' "$demo" > "$demo/home/.config/Zandrel/Zandrel.conf"
export HOME="$demo/home" XDG_CONFIG_HOME="$demo/home/.config"
cd "$demo"

# Waits for a top-level window whose title matches, and prints its id.
window() {
    local id
    id=$(timeout 10 xdotool search --sync --onlyvisible --name "$1" | head -1)
    [ -n "$id" ] || { echo "make-screenshot: no window '$1' came up" >&2; return 1; }
    echo "$id"
}

"$binary" &
pid=$!
main=$(window 'Zandrel$')
read -r width height < <(xdotool getdisplaygeometry)
xdotool windowmove "$main" 0 0 windowsize --sync "$main" "$width" "$height"
sleep 1
# Every key goes in through the tree's filter field: with free typing off, a key
# pressed in a script (Ctrl and Alt too) only brings the "Free typing disabled" box.
filter() {
    xdotool mousemove $((width - 60)) 29 click 1
    sleep 0.3
}

# File > Open (Ctrl+O) in the empty first window.
filter
xdotool key ctrl+o
sleep 2
xdotool type --delay 20 "$demo/game/scripts/pull.txt"
xdotool key Return
sleep 2
# Window > Maximize All: the fifth item.
filter
xdotool key alt+w
sleep 0.5
xdotool key Down Down Down Down Return
sleep 1
# The tree: from the filter field down into it, jump to "My Scripts" by typing its
# first letters, and open it.
filter
xdotool key Down
xdotool type --delay 50 "My"
xdotool key Right
sleep 1
import -window root "$docs/main-window.png"

# Double-click the script's second line. The editor is the black area: its top is
# the first black row down the window's left edge, under the menu and toolbar.
top=$(import -window root -crop "1x$((height / 2))+5+0" +repage txt:- |
      awk -F'[ :,]' '/#000000/ { print $2; exit }')
xdotool mousemove 60 $((top + 26)) click --repeat 2 --delay 80 1
properties=$(window '^Chat Command Properties$')
sleep 1
eval "$(xdotool getwindowgeometry --shell "$properties")"
# A thin edge: without a window manager the dialog has no frame of its own.
import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage png:- |
    convert png:- -bordercolor '#a0a0a0' -border 1 "$docs/properties-dialog.png"
xdotool key Escape
sleep 1

# Help > All Commands (F1).
filter
xdotool key F1
sleep 3
import -window root "$docs/command-book.png"
