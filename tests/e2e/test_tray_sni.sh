#!/usr/bin/env bash
# TrayNotes through StatusNotifierItem: under a session bus with xfce4-panel's notification area, the icon
# is registered over D-Bus and drawn by the panel (no XEmbed window of the program); a left click and a
# right click on it each pop up the tray menu; "ShowNotes" from it shows the note; a double click opens the
# manager; "Close TrayNotes" takes the icon away.
# tray host: xfce4-panel
source "$(dirname "$0")/lib.sh"

NOTE_TITLE="PVL 3"
PANEL_HEIGHT=32 # the panel runs along the top of the screen

item_gone() { ! item_registered; }

# "X Y" of the middle of what the panel draws beyond its empty background: the icon.
icon_centre() {
    local shot="$PVL3_E2E_RUN/panel.png" box
    import -display "$DISPLAY" -window root -crop "1280x$PANEL_HEIGHT+0+0" +repage "$shot" 2>/dev/null || return 1
    box="$(convert "$shot" -fuzz 8% -trim -format '%w %h %X %Y' info: 2>/dev/null)" || return 1
    read -r w h x y <<<"$box"
    # An empty panel trims to its whole width or to a single pixel.
    [ "$w" -gt 4 ] && [ "$w" -lt 200 ] && [ "$h" -gt 4 ] || return 1
    echo "$((${x#+} + w / 2)) $((${y#+} + h / 2))"
}
icon_drawn() { icon_centre >/dev/null; }

# On a right click the panel draws the program's menu itself (the program exports it over D-Bus); on a
# left click the program pops up its own: either client's.
menu_window() { tray_menu_window any; }
no_menu() { ! menu_window >/dev/null; }

# Clicks the icon with a button, waits for the menu and prints its id.
menu_by_click() {
    local button="$1" x y
    read -r x y <<<"$(icon_centre)" || return 1
    xdotool mousemove "$x" "$y" click "$button" || return 1
    wait_output 15 menu_window
}

folder="$(new_program_folder)"
write_settings "$folder" TrayOnSystemStart=1 ShowOnTrayStart=0 PlayAlarm=0
"$PVL3_TOOL" --program-folder "$folder" new --text "SNI e2e" >/dev/null || fail "pvl3 could not write a note"
check "the panel draws something before the program runs" stays_true 1 test -z "$(icon_centre)"

start_program "$folder" /QL
check "the icon was not registered with the StatusNotifierItem host" wait_for 30 item_registered
check "the panel did not draw the icon" wait_for 20 icon_drawn
# An XEmbed icon would be a window of the program's own; through D-Bus it has none to show.
check "the program shows a window of its own (an XEmbed icon?)" \
    test -z "$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null)"
log "icon at $(icon_centre); items: $(registered_items | xargs)"
screenshot icon-in-panel

menu_by_click 3 >/dev/null || fail "a right click popped up no tray menu"
screenshot menu-right-click
xdotool key Escape
check "the menu stayed up after Escape" wait_for 10 no_menu

menu="$(menu_by_click 1)" || fail "a left click popped up no tray menu"
screenshot menu-left-click
xdotool key --delay 100 Down Return # "ShowNotes" is the first item
check "the menu stayed up after ShowNotes" wait_for 10 not_viewable "$menu"
note="$(wait_window 20 "$NOTE_TITLE" "$PROGRAM_PID")" || fail "ShowNotes from the tray menu showed no note"
screenshot note-shown

# The host reports a double click as two activations: the manager opens, and no menu.
read -r x y <<<"$(icon_centre)"
xdotool mousemove "$x" "$y" click --repeat 2 --delay 120 1 || fail "could not double-click the icon"
manager="$(wait_window 20 "Pinvale 3: ManageNotes" "$PROGRAM_PID")" || fail "a double click on the icon opened no manager"
check "a double click popped up the tray menu" stays_true 1 no_menu
close_window "$manager"

menu_by_click 3 >/dev/null || fail "no tray menu for Close TrayNotes"
xdotool key --delay 100 Up Return # "Close TrayNotes" is the last item
check "the icon stayed registered after Close TrayNotes" wait_for 10 item_gone
check "the program ended while its note was open" stays_true 2 program_alive
close_window "$note"
wait_program_exit 10 || fail "the program did not end after its last note closed"
check "TrayLock.dat is not 0 after the end" test "$(marker_bytes "$folder")" = 0
