#!/usr/bin/env bash
# Installs the build into a scratch root as a package would (cmake --install with DESTDIR), checks
# the desktop entry, AppStream metadata, icons, manual page and licence, then runs the installed
# program on a catalogue folder whose Thumbs holds the main picture, with no Thumbs beside the
# executable: the window shows the picture, started in that folder or given it as FOLDER. Started
# as the desktop menu starts it, in an empty home folder, it asks for a folder and, cancelled,
# leaves the home folder empty; the home folder chosen in haste is asked about, and written only
# after Create; once a folder was opened, it opens that one.
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

. "$here/xsession.sh"
for tool in desktop-file-validate appstreamcli xwd xprop python3; do
    command -v "$tool" >/dev/null || fail "missing $tool (scripts/packages lists it)"
done

root=$work/root
DESTDIR=$root cmake --install "$build" --prefix /usr >"$work/install.log"
usr=$root/usr
exe=$usr/bin/project-catalogue
[ -x "$exe" ] || fail "no executable at $exe"
[ ! -e "$usr/bin/Thumbs" ] || fail "a Thumbs folder was installed beside the executable"

desktops=("$usr"/share/applications/*.desktop)
[ ${#desktops[@]} -eq 1 ] || fail "expected one desktop entry, found: ${desktops[*]}"
desktop=${desktops[0]}
id=$(basename "$desktop" .desktop)
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate failed: $report"
[ -z "$report" ] || fail "desktop-file-validate reports: $report"
grep -qx "Exec=project-catalogue --last-folder %f" "$desktop" \
    || fail "the desktop entry does not start the installed program on the folder used last"
grep -qx "Icon=$id" "$desktop" || fail "the desktop entry's icon is not $id"
wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop")

metainfo=$usr/share/metainfo/$id.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata at $metainfo"
appstreamcli validate --no-net "$metainfo" >"$work/appstream.log" 2>&1 \
    || { cat "$work/appstream.log" >&2; fail "appstreamcli validate --no-net failed"; }
grep -q "<id>$id</id>" "$metainfo" || fail "the AppStream id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" \
    || fail "the AppStream metadata does not launch $id.desktop"
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$exe" --version)
[ "$version" = "project-catalogue $(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo")" ] \
    || fail "the metadata's release differs from '$version'"
grep -q 'http' "$metainfo" && fail "the metadata names a web address"

icons=$usr/share/icons/hicolor
[ -f "$icons/scalable/apps/$id.svg" ] || fail "no scalable icon"
for png in "$icons"/*x*/apps/"$id".png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    # A PNG's header holds its width and height as big-endian numbers at bytes 16 and 20.
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{print $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8}')
    [ "${width}x${height}" = "$size" ] || fail "$png is ${width}x${height}"
done
[ -f "$icons/48x48/apps/$id.png" ] || fail "no 48x48 icon"

man=$usr/share/man/man1/project-catalogue.1
[ -f "$man" ] || fail "no manual page"
grep -q -- 'build\\-pages' "$man" || fail "the manual page does not describe --build-pages"
grep -q -- 'last\\-folder' "$man" || fail "the manual page does not describe --last-folder"
grep -q "Permission is hereby granted" "$usr/share/doc/project-catalogue/LICENSE" || fail "no licence"

# A catalogue folder with its pictures, as the pages publish it.
site=$work/site
mkdir -p "$site/Thumbs"
printf '"Name:","Green Square"\r\n"Location:","Here"\r\n"Short Description:","S"\r\n"Long Description:","L"\r\n"Total Pictures:",1\r\n' \
    >"$site/projects.txt"
python3 "$here/pixels.py" gif 180 120 22AA44 "$site/Thumbs/Green Square_p1.gif"
cp "$site/projects.txt" "$work/projects.before"

start_xvfb
home=$work/home
mkdir "$home"
# A start from the desktop menu, in a home folder of its own with nothing remembered.
menu_launch() {
    (cd "$home" && env -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME HOME="$home" "$exe" --last-folder) 2>"$work/app.log" &
    app_pid=$!
}

menu_launch
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Open Catalogue Folder' 2>/dev/null | head -n1 || true)
[ -n "$dialog" ] || fail "a menu launch with no folder remembered did not ask for one"
sleep 0.5 && xdotool windowfocus --sync "$dialog" key Escape
wait "$app_pid" || fail "the cancelled menu launch ended with status $?"
app_pid="" left=$(cd "$home" && find . -mindepth 1)
[ -z "$left" ] || fail "the cancelled menu launch left in the home folder: $left"

# Choose with nothing selected picks the home folder: a question, and nothing written until Create.
menu_launch
dialog=$(timeout 20 xdotool search --sync --onlyvisible --name '^Open Catalogue Folder' 2>/dev/null | head -n1 || true)
[ -n "$dialog" ] || fail "a second menu launch did not ask for a folder"
sleep 0.5 && xdotool windowfocus --sync "$dialog" key Return
question=$(visible_window)
[ -n "$question" ] || fail "choosing a folder without projects.txt asked nothing"
left=$(cd "$home" && find . -mindepth 1)
[ -z "$left" ] || fail "the home folder was written before Create: $left"
sleep 0.5 && xdotool windowfocus --sync "$question" key alt+r
wait_for '[ -f "$home/projects.txt" ]'
[ -n "$(main_window)" ] || fail "Create did not open the window"
kill "$app_pid" && wait "$app_pid" 2>/dev/null || true
app_pid=""
rm "$home/projects.txt"

# The centre of the picture frame, below the menu bar.
frame_x=378 frame_y=76
shows_the_picture() {
    local main
    main=$(main_window)
    [ -n "$main" ] || fail "the window did not open ($1)"
    sleep 0.5
    local bar=$(( $(xdotool getwindowgeometry "$main" | sed -n 's/.*Geometry: 745x\([0-9]*\).*/\1/p') - 469 ))
    xwd -silent -id "$main" >"$work/shot.xwd"
    colour=$(python3 "$here/pixels.py" at "$work/shot.xwd" $frame_x $((frame_y + bar)))
    [ "$colour" = 22AA44 ] || fail "the frame shows $colour, not the main picture ($1)"
    local properties
    properties=$(xprop -id "$main" _NET_WM_ICON WM_CLASS _NET_WM_NAME)
    grep -qx '_NET_WM_NAME(UTF8_STRING) = "site — Project Management"' <<<"$properties" \
        || fail "the title does not name the catalogue folder ($1): $(grep _NET_WM_NAME <<<"$properties")"
    grep -q '^_NET_WM_ICON(CARDINAL) = .*Icon' <<<"$properties" || fail "the window has no icon ($1)"
    # The desktop entry's StartupWMClass, by which a desktop ties the window to its menu entry.
    grep -qx "WM_CLASS(STRING) = \"$wm_class\", \"$wm_class\"" <<<"$properties" \
        || fail "the window's class is not $wm_class ($1)"
    kill "$app_pid"
    wait "$app_pid" 2>/dev/null || true
    app_pid=""
}

cd "$site"
env -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME HOME="$home" "$exe" 2>"$work/app.log" &
app_pid=$!
shows_the_picture "started in the catalogue folder"

mkdir "$work/elsewhere"
cd "$work/elsewhere"
env -u QT_QPA_PLATFORM "$exe" "$site" 2>"$work/app.log" &
app_pid=$!
shows_the_picture "given the folder"
[ -z "$(ls -A "$work/elsewhere")" ] || fail "the program wrote into the working directory instead of FOLDER"
cmp -s "$site/projects.txt" "$work/projects.before" || fail "projects.txt changed"

# The terminal start in the catalogue folder was remembered: the menu opens it, not the home folder.
menu_launch
shows_the_picture "menu launch, folder remembered"
left=$(cd "$home" && find . -mindepth 1 -maxdepth 1 ! -name .config)
[ -z "$left" ] || fail "the menu launch wrote into the home folder: $left"

(cd "$site" && env -u DISPLAY "$exe" --check) || fail "--check of the installed program found something"
echo "PASS ($id installed, picture shown from FOLDER/Thumbs, menu launch asks or opens the folder used last)"
