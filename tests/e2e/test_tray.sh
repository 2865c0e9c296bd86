#!/usr/bin/env bash
# TrayNotes on a real desktop: a "/QL" start puts the icon into the tray and shows nothing; a double click
# opens the manager (and no menu), closing it leaves TrayNotes running; a left or right click pops up the
# tray menu; "ShowNotes" shows the note; "Close TrayNotes" takes the icon away, the open note keeps the
# program alive, and closing the note ends it within about a second with TrayLock.dat at 0.
source "$(dirname "$0")/lib.sh"

NOTE_TITLE="PVL 3" # a note window's caption until it is minimised

menu_window() { tray_menu_window "$PROGRAM_PID"; }
no_menu() { ! menu_window >/dev/null; }
no_tray_icon() { ! tray_icon_present; }
marker_is() { test "$(marker_bytes "$folder")" = "$1"; }

# Pops up the tray menu with a click on the icon and picks an item with the keyboard.
choose_from_tray_menu() {
    local what="$1"
    shift
    check "the icon could not be clicked" click_tray_icon 1
    local menu
    menu="$(wait_output 15 menu_window)" || fail "no tray menu after a click on the icon"
    screenshot "menu-for-$what"
    xdotool key --delay 100 "$@" || fail "could not type into the menu"
    check "the tray menu stayed up after choosing $what" wait_for 10 not_viewable "$menu"
}

folder="$(new_program_folder)"
write_settings "$folder" TrayOnSystemStart=1 ShowOnTrayStart=0 PlayAlarm=0
"$PVL3_TOOL" --program-folder "$folder" new --text "Tray e2e" >/dev/null || fail "pvl3 could not write a note"

start_program "$folder" /QL
check "no tray icon in trayer" wait_for 30 tray_icon_present
check "TrayLock.dat is not 1 while running" marker_is 1
check "a /QL start with ShowOnTrayStart 0 showed a note" stays_true 2 window_gone "$NOTE_TITLE" "$PROGRAM_PID"
check "a /QL start showed the manager" window_gone "Pinvale 3: ManageNotes" "$PROGRAM_PID"
screenshot icon-in-tray

# The icon animates (AnimateIcon is on), and a tray that restarts takes it back.
icon_pixels() { window_image "$(tray_icon_window)" rgb:- | md5sum; }
first_frame="$(icon_pixels)"
check "the animated icon did not change" wait_for 5 eval '[ "$(icon_pixels)" != "$first_frame" ]'
kill "$PVL3_E2E_TRAY_PID"
check "the icon stayed on screen without a tray" wait_for 10 eval '! tray_icon_present'
trayer --edge top --align right --widthtype request --height 32 --SetDockType true --transparent false \
    --expand true >/dev/null 2>&1 &
track_helper $!
check "a restarted tray did not take the icon back" wait_for 30 tray_icon_present

check "the icon could not be double-clicked" click_tray_icon 1 2
manager="$(wait_window 20 "Pinvale 3: ManageNotes" "$PROGRAM_PID")" || fail "a double click opened no manager"
check "a double click also popped up the tray menu" stays_true 1 no_menu
screenshot manager-from-tray
close_window "$manager"
check "the manager did not close" wait_for 10 window_gone "Pinvale 3: ManageNotes" "$PROGRAM_PID"
check "closing the manager ended TrayNotes" stays_true 2 program_alive

# "ShowNotes" is the first item.
choose_from_tray_menu shownotes Down Return
note="$(wait_window 20 "$NOTE_TITLE" "$PROGRAM_PID")" || fail "ShowNotes from the tray menu showed no note"
screenshot note-shown

# A right click pops up the same menu at once.
check "the icon could not be right-clicked" click_tray_icon 3
check "no tray menu after a right click" wait_for 15 menu_window
screenshot menu-right-click
xdotool key Escape
check "the tray menu stayed up after Escape" wait_for 10 no_menu

# "Close TrayNotes" is the last item.
choose_from_tray_menu close Up Return
check "the icon stayed in the tray after Close TrayNotes" wait_for 10 no_tray_icon
check "the program ended while its note was still open" stays_true 3 program_alive
check "TrayLock.dat changed while the note was open" marker_is 1
screenshot tray-closed

close_window "$note"
start_ns=$(date +%s%N)
wait_program_exit 10 || fail "the program did not end after its last note closed"
elapsed_ms=$((($(date +%s%N) - start_ns) / 1000000))
log "ended ${elapsed_ms} ms after the last note closed, exit code $PROGRAM_STATUS"
check "the program took more than about a second to end (${elapsed_ms} ms)" test "$elapsed_ms" -lt 2500
check "the program's exit code is not 0" test "$PROGRAM_STATUS" = 0
check "TrayLock.dat is not the single byte 0 after the end" marker_is 0
