#!/usr/bin/env bash
# The end of the desktop session as the program sees it: TERM, HUP, or the display dropping the program's
# connection (as at log-off, shut-down or a crashed X server). Each time the windows unload as if the user
# had closed them, the marker goes back to 0, the process exits 0, and the next start asks nothing.
source "$(dirname "$0")/lib.sh"

MANAGER="Pinvale 3: ManageNotes"
SECOND_COPY="Do you want to load multiple copies of PVL3?"

# end_by <how> <window>: a signal, or the X server closing the connection of the window's client
# (XKillClient, what a log-off or a dying server does to every client).
end_by() {
    case "$1" in
    TERM | HUP) kill -"$1" "$PROGRAM_PID" ;;
    display) xkill -id "$2" >/dev/null 2>&1 ;;
    esac
}

ended_cleanly() {
    local folder="$1" how="$2"
    wait_program_exit 20 || fail "the program still runs 20 s after $how"
    check "exit status $PROGRAM_STATUS after $how" test "$PROGRAM_STATUS" = 0
    check "TrayLock.dat is not 0 after $how" test "$(marker_bytes "$folder")" = 0
}

next_start_asks_nothing() {
    local folder="$1"
    start_program "$folder"
    wait_window 30 "$MANAGER" "$PROGRAM_PID" >/dev/null || fail "the next start showed no manager"
    check "the next start asked about a second copy" window_gone "$SECOND_COPY" "$PROGRAM_PID"
    stop_program
}

# An option is changed in the open manager by keyboard, and the file on disk behind the program's back
# (NoteWidth 123, while the program holds 180): only the open manager's unload on the way out can put 180
# back and keep the option. The notes folder's name is not Western, and must come back as it was.
from_the_manager() {
    local how="$1" folder manager notes
    log "ordinary start, then $how"
    folder="$(new_program_folder)"
    notes="$folder/Łódź Документы/"
    write_settings "$folder" ShowOnTrayStart=0 "NotesFolder=$notes"
    "$PVL3_TOOL" --program-folder "$folder" new --text "Купить молоко" >/dev/null || fail "pvl3 new failed"
    start_program "$folder"
    manager="$(wait_window 30 "$MANAGER" "$PROGRAM_PID")" || fail "no manager window"
    check "TrayLock.dat is not 1 while running" test "$(marker_bytes "$folder")" = 1
    write_settings "$folder" ShowOnTrayStart=0 "NotesFolder=$notes" NoteWidth=123
    # An option changed in the open manager by the user: "Prompt &Before"'s first box, from 1 to 0.
    send_keys "$manager" alt+p alt+b space
    [ "$how" = TERM ] && screenshot before-term
    end_by "$how" "$manager"
    ended_cleanly "$folder" "$how"
    check "the open manager did not save on $how" test "$(settings_value "$folder" NoteWidth)" = 180
    check "the option changed in the manager is not in PVL3.dat" \
        test "$(settings_value "$folder" PromptNoTrayOnBoot)" = 0
    check "the notes folder came back changed" test "$(settings_value "$folder" NotesFolder)" = "$notes"
    check "the note is not under the notes folder" test -f "$notes/Купить м.nte"
    next_start_asks_nothing "$folder"
}

# No manager is open, so nothing writes the settings; the tray icon is the program's only window.
from_system_launch() {
    local how="$1" folder icon
    log "/QL, then $how"
    folder="$(new_program_folder)"
    write_settings "$folder" ShowOnTrayStart=0
    cp "$folder/PVL3.dat" "$folder/settings-before"
    start_program "$folder" /QL
    check "no tray icon after /QL" wait_for 30 tray_icon_present
    icon="$(tray_icon_window)"
    end_by "$how" "$icon"
    ended_cleanly "$folder" "$how"
    check "PVL3.dat was written without a manager" cmp -s "$folder/PVL3.dat" "$folder/settings-before"
    next_start_asks_nothing "$folder"
}

for how in TERM HUP display; do
    from_the_manager "$how"
    from_system_launch "$how"
done
log "passed"
