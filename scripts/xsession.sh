# Shared by the scripts that run the demo in a virtual X server; sourced, not run.
# start_xserver starts Xvfb on a free display (XVFB_SCREEN, 1600x900x24 unless set),
# again on a fresh one if it does not answer (up to three times), and exports DISPLAY; the
# caller's EXIT trap should call stop_xserver. The helpers below drive the program
# window found last (find_window sets WIN X Y W H); `shot` saves pictures into $out.

start_xserver() {
    try_xserver || try_xserver || try_xserver
}

# One attempt: the server must tell its display and then answer a request, else it
# is stopped (its log shown) so that the next attempt starts on a fresh display.
# -noreset: by default an X server resets whenever its last client leaves, and a
# client connecting during that reset is refused; the check below is such a last
# client, and the program started right after it would fail to connect now and then.
try_xserver() {
    local displayfile number
    displayfile=$(mktemp)
    XVFB_LOG=$(mktemp)
    Xvfb -displayfd 3 -noreset -screen 0 "${XVFB_SCREEN:-1600x900x24}" -nolisten tcp 3>"$displayfile" >"$XVFB_LOG" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do [ -s "$displayfile" ] && break; sleep 0.1; done
    number=$(head -n1 "$displayfile")
    rm -f "$displayfile"
    if [ -z "$number" ]; then
        echo "Xvfb did not start" >&2
        xserver_log
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
    xserver_log
    stop_xserver
    return 1
}

# The traps of a script that runs the program as $app: on exit the program (if still
# running) and the server go; on a failure the line and the server's log are told.
end_session() {
    [ -n "${app:-}" ] && kill "$app" 2>/dev/null || true
    stop_xserver
}
trap_session() {
    app=
    trap end_session EXIT
    # shellcheck disable=SC2064
    trap "echo \"$1: failed at line \$LINENO\" >&2; xserver_log" ERR
}

# What the server said, for a failure report.
xserver_log() {
    [ -s "${XVFB_LOG:-}" ] && sed 's/^/Xvfb: /' "$XVFB_LOG" >&2
    return 0
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
    rm -f "${XVFB_LOG:-}"
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

# The visible program window of the given size; sets WIN X Y W H. Waits up to a
# minute: a loaded machine may take long to start a sanitized build.
find_window() {
    local want=$1 line
    for _ in $(seq 600); do
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

# Waits for a visible program window other than the one with ID (or "none"); prints
# its line "ID X Y W H".
next_window() {
    local line
    for _ in $(seq 600); do
        line=$(windows | awk -v not="$1" '$1 != not { print; exit }')
        [ -n "$line" ] && { echo "$line"; return 0; }
        sleep 0.1
    done
    echo "no program window but $1 appeared within a minute" >&2
    return 1
}

# Waits until no visible program window has the given size.
window_gone() {
    local want=$1
    for _ in $(seq 600); do
        windows | awk -v want="$want" '$4 "x" $5 == want { found = 1 } END { exit found }' && return 0
        sleep 0.1
    done
    echo "tour: the $want window stayed" >&2
    return 1
}


# Sleeps SECONDS times TOUR_PACE (for slow builds).
pause() { sleep "$(awk -v a="$1" -v b="${TOUR_PACE:-1}" 'BEGIN { print a * b }')"; }

step=0
# Saves step NAME: the screen, and the region of the current window (or the region
# "X Y W H" given second, for a dialog shown over it).
shot() {
    step=$((step + 1))
    local name rx ry rw rh
    name=$(printf '%02d-%s' "$step" "$1")
    read -r rx ry rw rh <<<"${2:-$X $Y $W $H}"
    pause 0.5
    import -window root "$out/$name.full.png"
    import -window root -crop "${rw}x${rh}+${rx}+${ry}" +repage "$out/$name.png"
    echo "$name $X $Y $W $H" >>"$out/geometry.txt"
    echo "tour: $name"
}

# Waits until the current window's picture stops changing: a slow (sanitized) build
# may still be working through a burst of input.
settle() {
    local last now
    last=$(import -window root -crop "${W}x${H}+${X}+${Y}" +repage rgb:- | md5sum)
    for _ in $(seq 40); do
        pause 0.25
        now=$(import -window root -crop "${W}x${H}+${X}+${Y}" +repage rgb:- | md5sum)
        [ "$now" = "$last" ] && return 0
        last=$now
    done
}

# The pointer to (x, y) inside the current window; a click there.
point() { xdotool mousemove $((X + $1)) $((Y + $2)); }
click() {
    point "$1" "$2"
    pause 0.15
    xdotool click 1
    pause 0.35
}

# The pointer rests on the top bar, so that no control shows its hover look.
park() { xdotool mousemove $((X + 640)) $((Y + 20)); }

# Positions in the demo's main window at its page size (1280 x 800), from the page
# files: "x y" of the centre of product tile N (four per row), and of a control in cart
# row N (down, up, delete, or name for the row itself).
product_at() { echo $((194 + 7 + 163 * ($1 % 4) + 78)) $((144 + 7 + 205 * ($1 / 4) + 99)); }
cart_at() {
    local x y
    case $2 in
        down) x=173 y=38 ;;
        up) x=239 y=38 ;;
        delete) x=318 y=54 ;;
        name) x=84 y=24 ;;
    esac
    echo $((910 + x)) $((172 + 76 * $1 + y))
}
# shellcheck disable=SC2046
product() { click $(product_at "$1"); }
# shellcheck disable=SC2046
cart() { click $(cart_at "$1" "$2"); }
