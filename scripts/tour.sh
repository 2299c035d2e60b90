#!/usr/bin/env bash
# A guided tour of the demo: starts a virtual X server, runs the real program in it,
# drives it with real mouse and key events and saves a screenshot of every step.
#
#   scripts/tour.sh BIN_DIR OUT_DIR
#
# BIN_DIR holds ZadEzavuz and ZadEzavuz.data. OUT_DIR receives NN-step.png (the
# window region), NN-step.full.png (the whole screen) and geometry.txt ("NN-step X Y W H"
# of the top-most program window at each step). TOUR_PACE scales every pause
# (for slow builds). Exits with the program's exit status.
set -euo pipefail

bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
rm -f "$out"/*.png "$out"/geometry.txt

for tool in Xvfb xdotool import; do
    command -v "$tool" >/dev/null || { echo "tour: $tool is missing" >&2; exit 3; }
done
here=$(cd "$(dirname "$0")" && pwd)

# shellcheck source=xsession.sh
. "$here/xsession.sh"
trap_session tour
start_xserver

cd "$bin"
./ZadEzavuz &
app=$!

find_window 1280x720
pause 1
shot login
click 930 306
xdotool type --delay 60 "zhou2026"
click 930 398
xdotool type --delay 60 "zhou2026"
shot login-filled
click 930 483

find_window 1280x800
pause 0.5
park
shot shop
product 0
product 0
product 1
product 5
park
shot products-added
cart 1 up
cart 1 up
park
shot plus
cart 1 down
park
shot minus
cart 2 delete
park
shot row-deleted
click 84 188
shot store
click 84 248
shot settings
click 84 128
main="$X $Y $W $H"
click 1084 744
find_window 520x420
# The dialog's geometry, in the main window's picture.
shot pay "$main"
click 260 330
window_gone 520x420
find_window 1280x800
park
shot paid

# A stray Escape leaves the main window and the sale in progress alone.
product 0
product 1
xdotool key Escape
pause 0.3
find_window 1280x800
park
shot escape-kept
# Escape in the pay dialog cancels it: the sale goes on.
click 1084 744
find_window 520x420
xdotool key Escape
window_gone 520x420
find_window 1280x800
park
shot escaped-pay

# The close button ends the program.
click 1244 32
status=0
wait "$app" || status=$?
app=
echo "tour: pictures in $(cd "$out" && pwd)"
exit "$status"
