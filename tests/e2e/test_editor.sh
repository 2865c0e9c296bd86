#!/usr/bin/env bash
# Making and changing a note on a real desktop: "New Note. . ." from the tray menu opens the editor
# beside its note window, on the screen; typed text and Enter save a file named after the text, which
# the manager's list then shows. Editing that note from the manager, a new background colour and the
# "Raised" border show in the note window at once, and Apply writes them to the file.
source "$(dirname "$0")/lib.sh"

EDITOR="Pinvale: EditNotes"
EDIT_NOTE="PVL 3: EditNotes"
MANAGER="Pinvale 3: ManageNotes"

file_exists() { test -f "$1"; }

# Prints one pixel of a window as "R G B".
pixel() {
    window_image "$1" -crop "1x1+$2+$3" +repage -depth 8 \
        -format '%[fx:round(255*r)] %[fx:round(255*g)] %[fx:round(255*b)]' info:-
}
pixel_is() { test "$(pixel "$1" "$2" "$3")" = "$4"; }
# The brightness (0..255) of one pixel.
brightness() {
    local r g b
    read -r r g b <<<"$(pixel "$@")"
    echo $(((r + g + b) / 3))
}
# The image of a part of a window, for comparing before and after.
part_digest() { window_image "$1" -crop "$2" -depth 8 rgb:- | md5sum; }
part_changed() { test "$(part_digest "$1" "$2")" != "$3"; }
json_field() { "$PVL3_TOOL" --program-folder "$folder" show "$1" | sed -n "s/^ *\"$2\": \"\\{0,1\\}\\([^\",]*\\).*/\\1/p"; }
field_is() { test "$(json_field "$1" "$2")" = "$3"; }

folder="$(new_program_folder)"
write_settings "$folder" TrayOnSystemStart=1 ShowOnTrayStart=0 PlayAlarm=0
notes="$folder/Notes"
start_program "$folder"
manager="$(wait_window 30 "$MANAGER" "$PROGRAM_PID")" || fail "no manager"
check "no tray icon in trayer" wait_for 30 tray_icon_present
read -r _ _ mw mh <<<"$(window_geometry "$manager")"
list_part="$((mw * 9 / 10))x$((mh * 7 / 10))+$((mw / 20))+$((mh / 5))" # where the list is, whatever the layout
empty_list="$(part_digest "$manager" "$list_part")"

# "New Note. . ." is the third item of the tray menu.
check "the icon could not be clicked" click_tray_icon 1
menu="$(wait_output 15 popup_menu_window)" || fail "no tray menu after a click on the icon"
xdotool key --delay 100 Down Down Down Return || fail "could not type into the tray menu"
check "the tray menu stayed up" wait_for 10 not_viewable "$menu"
note="$(wait_window 20 "$EDIT_NOTE" "$PROGRAM_PID")" || fail "New Note opened no note window (is the tray menu's New Note. . . wired to the editor?)"
editor="$(wait_window 20 "$EDITOR" "$PROGRAM_PID")" || fail "New Note opened no editor"
screenshot new-note
read -r nx ny nw nh <<<"$(window_geometry "$note")"
read -r ex ey ew eh <<<"$(window_geometry "$editor")"
log "note ${nw}x${nh}+${nx}+${ny}, editor ${ew}x${eh}+${ex}+${ey}"
check "the editor is not to the right of its note" test "$ex" -ge $((nx + nw))
check "the note window is not wholly on the screen" test "$nx" -ge 0 -a "$ny" -ge 0 -a $((nx + nw)) -le 1280 -a $((ny + nh)) -le 800
check "the editor is not wholly on the screen" test "$ex" -ge 0 -a "$ey" -ge 0 -a $((ex + ew)) -le 1280 -a $((ey + eh)) -le 800

# The note window has the keyboard: type the text. The desktop's close (Alt+F4, the task bar) does not
# take the note window from its editor; then Enter in the editor is OK.
xdotool type --delay 60 "Buy milk" || fail "could not type into the note"
close_window "$note"
check "the desktop closed the edit's note window" stays_true 1 window_by_name "$EDIT_NOTE" "$PROGRAM_PID"
xdotool windowactivate --sync "$editor" key --delay 100 Return || fail "could not press Enter in the editor"
check "Enter did not save Notes/Buy milk.nte" wait_for 15 file_exists "$notes/Buy milk.nte"
check "the saved note's text is not the typed one" field_is "$notes/Buy milk.nte" Text "Buy milk"
check "the editor stayed open after OK" wait_for 10 window_gone "$EDITOR" "$PROGRAM_PID"
check "the note window stayed open after OK" wait_for 10 window_gone "$EDIT_NOTE" "$PROGRAM_PID"
check "the manager's list did not change" wait_for 10 part_changed "$manager" "$list_part" "$empty_list"
screenshot manager-lists-note

# The manager's "&Edit Note. . ." edits the selected (first) line.
xdotool windowactivate --sync "$manager" key --delay 100 alt+e || fail "could not press Alt+E in the manager"
note="$(wait_window 20 "$EDIT_NOTE" "$PROGRAM_PID")" || fail "Edit Note opened no note window"
editor="$(wait_window 20 "$EDITOR" "$PROGRAM_PID")" || fail "Edit Note opened no editor"
read -r _ _ nw nh <<<"$(window_geometry "$note")"
check "the note does not show its pale yellow" pixel_is "$note" $((nw / 2)) $((nh - 12)) "255 255 128"
flat_edge="$(brightness "$note" 3 $((nh / 2)))"

# Background page, its colour button (the group's mnemonic), then the colour dialog's HTML box.
xdotool windowactivate --sync "$editor" key --delay 150 alt+b alt+c space || fail "could not reach the colour button"
chooser="$(wait_window 20 "Choose Background Colour. . ." "$PROGRAM_PID")" || fail "no colour chooser"
xdotool key --delay 100 alt+h ctrl+a && xdotool type --delay 50 "#3366cc" && xdotool key --delay 100 Return ||
    fail "could not type a colour"
check "the colour chooser stayed open" wait_for 10 window_gone "Choose Background Colour. . ." "$PROGRAM_PID"
check "the note window does not show the new colour" wait_for 10 pixel_is "$note" $((nw / 2)) $((nh - 12)) "51 102 204"

# Sounds & Style page, the border list (the group's mnemonic), one entry down: "Raised".
xdotool windowactivate --sync "$editor" key --delay 150 alt+s alt+b Down || fail "could not reach the border list"
raised_edge() { test "$(brightness "$note" 3 $((nh / 2)))" -gt $((flat_edge + 60)); }
check "the note window's border is not raised (flat edge $flat_edge)" wait_for 10 raised_edge
screenshot edited-note

xdotool windowactivate --sync "$editor" key --delay 100 Return || fail "could not press Enter in the editor"
check "Apply left the editor open" wait_for 10 window_gone "$EDITOR" "$PROGRAM_PID"
check "the file's background colour is not the chosen one" field_is "$notes/Buy milk.nte" BackColour 0x00CC6633
check "the file's border style is not Raised" field_is "$notes/Buy milk.nte" BorderStyle 1
check "Apply wrote a second file" test "$(find "$notes" -name '*.nte' | wc -l)" = 1
