# Shared by the scripts that run the demo in a virtual X server; sourced, not run.
# start_xserver starts Xvfb on a free display (1600 x 900), once more on a fresh one if
# the first does not answer, and exports DISPLAY; the caller's EXIT trap should call
# stop_xserver.

start_xserver() {
    try_xserver || try_xserver
}

# One attempt: the server must tell its display and then answer a request, else it
# is stopped so that the next attempt starts on a fresh display.
try_xserver() {
    local displayfile number
    displayfile=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1600x900x24 -nolisten tcp 3>"$displayfile" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    number=$(head -n1 "$displayfile")
    rm -f "$displayfile"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        stop_xserver
        return 1
    fi
    export DISPLAY=":$number"
    unset QT_QPA_PLATFORM
    for _ in $(seq 100); do
        xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
        sleep 0.1
    done
    echo "Xvfb on $DISPLAY does not answer" >&2
    stop_xserver
    return 1
}

# Asks window ID to close, as a window manager's close button would.
wm_close() {
    python3 "$(dirname "${BASH_SOURCE[0]}")/wm-close.py" "$1"
}

# Waits for the server to go, so that its display number is free again.
stop_xserver() {
    [ -n "${XVFB_PID:-}" ] || return 0
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
}

# "ID X Y W H" of every visible program window.
windows() {
    local id geometry
    for id in $(xdotool search --onlyvisible --class ZadEzavuz 2>/dev/null); do
        geometry=$(xdotool getwindowgeometry --shell "$id" 2>/dev/null) || continue
        echo "$geometry" | awk -F= -v id="$id" '
            { v[$1] = $2 }
            END { if (v["WIDTH"] != "") print id, v["X"], v["Y"], v["WIDTH"], v["HEIGHT"] }'
    done
}

# The visible program window of the given size; sets WIN X Y W H.
find_window() {
    local want=$1 line
    for _ in $(seq 200); do
        line=$(windows | awk -v want="$want" '$4 "x" $5 == want { print; exit }')
        if [ -n "$line" ]; then
            read -r WIN X Y W H <<<"$line"
            # No window manager hands the focus on, so the tour does.
            xdotool windowfocus "$WIN" 2>/dev/null || true
            return 0
        fi
        sleep 0.1
    done
    echo "tour: no $want window appeared" >&2
    return 1
}

# Waits until no visible program window has the given size.
window_gone() {
    local want=$1
    for _ in $(seq 200); do
        windows | awk -v want="$want" '$4 "x" $5 == want { found = 1 } END { exit found }' && return 0
        sleep 0.1
    done
    echo "tour: the $want window stayed" >&2
    return 1
}

