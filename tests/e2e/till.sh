#!/usr/bin/env bash
# Uses the demo at the counter, in a virtual X server with real input, and saves a
# picture of each step in OUT_DIR (as scripts/tour.sh does, with geometry.txt).
#
#   tests/e2e/till.sh BIN_DIR OUT_DIR SCENARIO
#
# SCENARIO is one of
#   counter   Return in every place the focus can be with a full cart; the pay dialog
#             cancelled by x and Escape, then paid; 30 clicks on one product and 10 on
#             plus at 50 ms, then the same sale made from the keyboard for reference.
#   keyboard  a whole sale from login to paid without the mouse.
#   scaled    at QT_SCALE_FACTOR 1.5 on a 1600 x 1000 screen: login with Return, one
#             product, the pay button (the dialog's geometry is that of its step).
# Prints "exit N" with the program's status last; exits 0 when the script ran through.
set -euo pipefail

bin=$(cd "$1" && pwd)
mkdir -p "$2"
out=$(cd "$2" && pwd)
scenario=$3
rm -f "$out"/*.png "$out"/geometry.txt

# shellcheck source=../../scripts/xsession.sh
. "$(cd "$(dirname "$0")/../../scripts" && pwd)/xsession.sh"
trap_session till
[ "$scenario" = scaled ] && export XVFB_SCREEN=1600x1000x24 QT_SCALE_FACTOR=1.5
start_xserver

# Opens the pay dialog with the pay button; leaves X Y W H on the main window and
# the dialog's origin in PX PY.
open_pay() {
    local main="$X $Y $W $H"
    click 1084 744
    find_window 520x420
    PX=$X PY=$Y
    read -r X Y W H <<<"$main"
}
pay_closed() {
    window_gone 520x420
    find_window 1280x800
    park
}

counter() {
    find_window 1280x720
    click 930 483
    find_window 1280x800
    park
    shot shop
    product 0
    product 1
    park
    shot cart-filled

    # Return wherever the focus may be: the rail, a cart row, the stock search, a
    # settings field; keypad Enter once more. None of them may end the sale.
    click 84 128
    xdotool key Return
    cart 0 name
    xdotool key Return
    click 84 188
    click 884 114
    xdotool type --delay 40 "6901"
    xdotool key Return
    click 84 248
    click 998 211
    xdotool key Return KP_Enter
    click 84 128
    park
    shot returns-kept

    open_pay
    click $((PX - X + 484)) $((PY - Y + 32))
    pay_closed
    shot pay-cancelled
    open_pay
    xdotool key Escape
    pay_closed
    shot pay-escaped
    open_pay
    xdotool key Return
    pay_closed
    shot paid

    # Every click counts, however fast.
    # shellcheck disable=SC2046
    point $(product_at 3)
    xdotool click --repeat 30 --delay 50 1
    # shellcheck disable=SC2046
    point $(cart_at 0 up)
    xdotool click --repeat 10 --delay 50 1
    park
    settle
    shot fast
    open_pay
    xdotool key Return
    pay_closed

    # The same sale from the keyboard, which loses nothing.
    product 3
    xdotool key --delay 50 --repeat 29 Return
    cart 0 name
    xdotool key --delay 50 --repeat 10 plus
    park
    settle
    shot keyed
    click 1244 32
}

keyboard() {
    find_window 1280x720
    xdotool type --delay 40 "zhou"
    xdotool key Tab
    xdotool type --delay 40 "2026"
    xdotool key Return
    find_window 1280x800
    park
    shot kb-shop
    # The rail has the focus; Tab goes to the products, then to the cart: two
    # products in, the first one's count up and down again, then its row deleted.
    xdotool key --delay 100 Tab Right Return Right space Tab plus minus Delete
    shot kb-added
    xdotool key F12
    find_window 520x420
    xdotool key Return
    window_gone 520x420
    find_window 1280x800
    shot kb-paid
    click 1244 32
}

# Device pixels are 1.5 page pixels.
scaled_click() { click $(($1 * 3 / 2)) $(($2 * 3 / 2)); }

scaled() {
    local line
    line=$(next_window none)
    read -r WIN X Y W H <<<"$line"
    xdotool windowfocus "$WIN" 2>/dev/null || true
    pause 0.5
    xdotool key Return
    line=$(next_window "$WIN")
    read -r WIN X Y W H <<<"$line"
    xdotool windowfocus "$WIN" 2>/dev/null || true
    pause 0.5
    shot scaled-shop
    # The first product, then the pay button at the foot of the cart, which sits at the
    # right and bottom edges of a window fitted to 1066 x 666.
    scaled_click 279 250
    scaled_click $((1066 - 16 - 360 + 16 + 164)) $((666 - 16 - 14 - 26))
    local main="$WIN $X $Y $W $H"
    read -r WIN X Y W H <<<"$(next_window "$WIN")"
    shot scaled-pay
    xdotool key Escape
    read -r WIN X Y W H <<<"$main"
    pause 0.5
    scaled_click $((1066 - 16 - 20)) 32
}

cd "$bin"
./ZadEzavuz &
app=$!
"$scenario"
status=0
wait "$app" || status=$?
app=
echo "exit $status"
