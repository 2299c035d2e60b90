#!/usr/bin/env bash
# Starts the demo in a virtual X server from a folder without the package, closes the
# login window without logging in (Escape), presses Escape and Return in the main window, then
# closes it as a window manager would. Prints a line "login|main ID X Y W H" for each
# window seen, "escape: main stays|main gone", and "exit N" with the program's status.
#
#   tests/e2e/bare-start.sh PROGRAM
set -euo pipefail

program=$(realpath "$1")
# shellcheck source=../../scripts/xsession.sh
. "$(cd "$(dirname "$0")/../../scripts" && pwd)/xsession.sh"
app=
empty=$(mktemp -d)
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null || true
    stop_xserver
    rm -rf "$empty"
}
trap cleanup EXIT
trap 'echo "bare-start: failed at line $LINENO" >&2; xserver_log' ERR
start_xserver

# Gives window ID the keyboard focus; without a window manager only the script can.
focus_window() {
    xdotool windowfocus "$1" 2>/dev/null || true
    sleep 0.3
}

# Escape closes the login window; under load the window may not take keys at
# once, so the key is sent again until it has gone.
dismiss() {
    for _ in $(seq 40); do
        focus_window "$1"
        xdotool key Escape
        sleep 0.2
        windows | awk -v id="$1" '$1 == id { found = 1 } END { exit !found }' || return 0
    done
    echo "bare-start: window $1 stayed after Escape" >&2
    return 1
}

cd "$empty"
"$program" &
app=$!

login=$(next_window none)
echo "login $login"
dismiss "${login%% *}"
main=$(next_window "${login%% *}")
echo "main $main"
focus_window "${main%% *}"
xdotool key Escape Return
sleep 0.5
if windows | awk -v id="${main%% *}" '$1 == id { found = 1 } END { exit !found }'; then
    echo "escape: main stays"
else
    echo "escape: main gone"
fi
wm_close "${main%% *}"

status=0
wait "$app" || status=$?
app=
echo "exit $status"
