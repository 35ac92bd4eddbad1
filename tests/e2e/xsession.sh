# Sourced by the end-to-end scripts: a scratch folder, a private Xvfb, a program to end at exit,
# and waiting for conditions. The caller sets app_pid when it starts the program.
for tool in Xvfb xdotool cmp; do
    command -v "$tool" >/dev/null || { echo "missing $tool (scripts/packages lists it)" >&2; exit 1; }
done

work=$(mktemp -d)
# The program remembers the folders it opened: in the run's own settings, not the user's.
export XDG_CONFIG_HOME=$work/config
xvfb_pid=""
wm_pid=""
app_pid=""
cleanup() {
    local status=$?
    set +e
    if [ $status -ne 0 ] && [ -s "$work/app.log" ]; then
        echo "--- program's output:" >&2
        tail -n 60 "$work/app.log" >&2
    fi
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null && wait "$app_pid" 2>/dev/null
    [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null && wait "$wm_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Waits up to ten seconds for a shell condition.
wait_for() {
    for _ in $(seq 100); do
        eval "$1" && return 0
        sleep 0.1
    done
    fail "timed out waiting for: $1"
}

start_xvfb() {
    Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" 2>"$work/xvfb.log" &
    xvfb_pid=$!
    wait_for '[ -s "$work/display" ]'
    export DISPLAY=:$(cat "$work/display")
}

# openbox, whose Alt+F4 closes the active window as a desktop's does.
start_window_manager() {
    command -v openbox >/dev/null || fail "missing openbox (scripts/packages lists it)"
    openbox --sm-disable >"$work/wm.log" 2>&1 &
    wm_pid=$!
    wait_for 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"'
}

# A message box, titled by the program.
visible_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^Project Management$' 2>/dev/null | head -n1 || true
}

# The main window, titled by its catalogue's folder: "FOLDER — Project Management".
main_window() {
    timeout 20 xdotool search --sync --onlyvisible --name '^.+ Project Management$' 2>/dev/null | head -n1 || true
}
