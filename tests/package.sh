#!/usr/bin/env bash
# The Debian package as a user gets it: built with CPack, its metadata and contents, and the
# program unpacked from it, started through its desktop entry's Exec line in a real window.
# Usage: package.sh BUILD-DIR
build=$(cd "$1" && pwd)
. "$(dirname "$0")/xvfb_session.sh"

work=$(mktemp -d)
trap 'cleanup; rm -rf "$work"' EXIT
app_id=io.vorlan.VorlanCup
title="Vorlan Cup 2001"

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    { cat "$work/cpack.log"; fail "cpack did not build the package"; }
deb=$(ls "$work"/vorlan-cup_*_*.deb)

# Metadata.
dpkg-deb -I "$deb" >"$work/info"
field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = vorlan-cup ] || fail "package name $(field Package)"
[ "$(field Section)" = games ] || fail "section $(field Section)"
depends=$(field Depends)
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins fonts-lato libc6; do
    # Since Debian 13 some library packages carry "t64" (64-bit time) in their names.
    grep -Eq "(^|, )$needed(t64)?( |,|$)" <<<"$depends" || fail "Depends lacks $needed: $depends"
done
grep -q "^ Description: score-guessing game" "$work/info" || fail "no description"
grep -Eq "(^|, )qt6-wayland(,|$)" <<<"$(field Recommends)" ||
    fail "Recommends lacks qt6-wayland: $(field Recommends)"

# Contents: exactly these files, all under /usr.
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort >"$work/files"
{
    echo ./usr/games/vorlan-cup
    echo ./usr/share/applications/$app_id.desktop
    echo ./usr/share/doc/vorlan-cup/changelog.gz
    echo ./usr/share/doc/vorlan-cup/copyright
    for size in 16 22 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x$size/apps/$app_id.png"
    done
    echo ./usr/share/icons/hicolor/scalable/apps/$app_id.svg
    echo ./usr/share/man/man6/vorlan-cup.6.gz
    echo ./usr/share/metainfo/$app_id.metainfo.xml
} | sort >"$work/expected"
diff -u "$work/expected" "$work/files" || fail "the package's files differ from the list"

root=$work/root
dpkg-deb -x "$deb" "$root"
share=$root/usr/share
desktop-file-validate "$share/applications/$app_id.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$share/metainfo/$app_id.metainfo.xml" >"$work/as.log" 2>&1 ||
    { cat "$work/as.log"; fail "metainfo"; }
grep -Eq '^[EW]:' "$work/as.log" && { cat "$work/as.log"; fail "metainfo warnings"; }
for size in 16 22 24 32 48 64 128 256; do
    icon=$share/icons/hicolor/${size}x$size/apps/$app_id.png
    [ "$(identify -format '%wx%h' "$icon")" = "${size}x$size" ] ||
        fail "icon at $size has the wrong size"
    # The small icons are drawn on whole pixels: a gold frame one pixel wide, the purple inside.
    if [ "$size" -le 24 ]; then
        for point in "0 5" "$((size - 1)) 5" "5 0" "5 $((size - 1))"; do
            set -- $point
            [ "$(convert "$icon" -crop "1x1+$1+$2" -format '#%[hex:u.p]' info:)" = '#F4D10BFF' ] ||
                fail "icon at $size: no sharp gold frame at ($1, $2)"
        done
        [ "$(convert "$icon" -crop 1x1+1+5 -format '#%[hex:u.p]' info:)" = '#3E3468FF' ] ||
            fail "icon at $size: the frame runs into the tile"
    fi
done
gzip -t "$share/man/man6/vorlan-cup.6.gz" "$share/doc/vorlan-cup/changelog.gz" || fail "gzip"

# Start the program the way the menu does: the entry's Exec line, with the unpacked games
# folder first on the path.
exec_line=$(sed -n 's/^Exec=//p' "$share/applications/$app_id.desktop")
wm_class=$(sed -n 's/^StartupWMClass=//p' "$share/applications/$app_id.desktop")
[ -n "$wm_class" ] || fail "the desktop entry names no StartupWMClass"
[ "$exec_line" = vorlan-cup ] || fail "Exec line '$exec_line'"
start_display
PATH="$root/usr/games:$PATH" $exec_line 2>>"$SHOTS/program.log" &
pid=$!
pids+=($pid)
wait_for_windows "$title" 1

# Both windows carry the application icon for title and task bars. The program sets it right
# after its first frame: wait for it.
has_icon() { xprop -id "$1" _NET_WM_ICON | grep -q "Icon ($2 x $2)"; } # window size
check_icon() { # window what
    wait_until has_icon "$1" 128 || true # the sizes that it lacks are named below
    local icon
    icon=$(xprop -id "$1" _NET_WM_ICON)
    for size in 16 24 32 48 64 128; do
        grep -q "Icon ($size x $size)" <<<"$icon" || fail "$2 has no ${size}px icon"
    done
    # The class by which task bars match the window to its desktop entry.
    xprop -id "$1" WM_CLASS | grep -q ", \"$wm_class\"\$" ||
        fail "$2 class: $(xprop -id "$1" WM_CLASS), the desktop entry says '$wm_class'"
}
window=$(visible_windows "$title")
check_icon "$window" "the title screen"
wait_for_pixel "$window" 5 5 '#3E3468' # the purple panel
shoot package-title-screen
click_twips "$window" 4000 5000
wait_for_other_window "$title" "$window"
check_icon "$(visible_windows "$title")" "the game screen"
close_window "$(visible_windows "$title")"
wait_for_exit $pid
[ "$EXIT_STATUS" -eq 0 ] || fail "the unpacked program ended with status $EXIT_STATUS"
echo "package: all checks passed"
