#!/usr/bin/env bash
# Runs the real program under a private Xvfb in an empty folder and drives it with xdotool:
# the first run creates projects.txt once its message is dismissed; a rename, Add, Up, Add,
# Delete and Save All then leave the expected file behind. Closed through the window manager
# with an edit unsaved, it asks: Escape keeps the window, Return saves and closes.
set -euo pipefail
exe=$(realpath "$1")
data=$(realpath "$2")

. "$(dirname "$0")/xsession.sh"
start_xvfb
start_window_manager

mkdir "$work/catalogue"
cd "$work/catalogue"
"$exe" 2>"$work/app.log" &
app_pid=$!

box=$(visible_window)
[ -n "$box" ] || fail "no message box at the first run"
sleep 0.5
[ ! -e projects.txt ] || fail "projects.txt exists before the message was dismissed"
xdotool windowfocus --sync "$box"
xdotool key Return
wait_for '[ -e projects.txt ]'
cmp projects.txt "$data/catalogue/first_run.txt" || fail "first-run file differs"
[ "$(stat -c %s projects.txt)" -eq 110 ] || fail "first-run file is not 110 bytes"

wait_for 'main=$(main_window) && [ -n "$main" ] && xdotool getwindowgeometry "$main" | grep -q "745x"'
# The controls keep their places below the menu bar, which makes the window taller.
bar=$(( $(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: 745x\([0-9]*\).*/\1/p') - 469 ))
[ "$bar" -gt 0 ] || fail "no menu bar above the controls"
xdotool windowfocus --sync "$main"

click() {
    xdotool mousemove --sync --window "$main" "$1" $(($2 + bar)) click 1
    sleep 0.3
}
retype() {
    xdotool key ctrl+a
    xdotool type --delay 20 "$1"
    sleep 0.2
}
name=(190 297); add=(232 26); delete=(232 58); up=(212 92); save=(232 154)

click "${name[@]}"; retype Bridge
xdotool key Tab; sleep 0.2
xdotool type --delay 20 Harbour
click "${add[@]}"
click "${name[@]}"; retype Tower
click "${up[@]}"
click "${add[@]}"
click "${delete[@]}"
before=$(stat -c %Y.%s projects.txt)
click "${save[@]}"
wait_for 'cmp -s projects.txt "$data/e2e_saved_projects.txt"'
kill -0 "$app_pid" 2>/dev/null || fail "the program ended early"
saved=$(stat -c %Y.%s projects.txt)

question() { # the question box, titled with the program's name alone
    timeout 20 xdotool search --sync --onlyvisible --name '^Project Management$' 2>/dev/null | grep -vx "$main" | head -n1
}
click "${name[@]}"; retype Closing
xdotool key Tab; sleep 0.2
xdotool key alt+F4
box=$(question) || fail "no question on closing with an unsaved edit"
xdotool windowfocus --sync "$box"; xdotool key Escape; sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Cancel did not keep the window"
cmp -s projects.txt "$data/e2e_saved_projects.txt" || fail "Cancel wrote projects.txt"
xdotool windowfocus --sync "$main"; xdotool key alt+F4
box=$(question) || fail "no question on closing again"
xdotool windowfocus --sync "$box"; xdotool key Return
wait_for '! kill -0 "$app_pid" 2>/dev/null'
grep -q '"Closing"' projects.txt || fail "Save did not save the edit"
echo "PASS (first run file, then: $before -> $saved, closed through openbox after saving)"
