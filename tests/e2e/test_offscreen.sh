#!/usr/bin/env bash
# A cascade step that would put a note past the bottom of the screen brings the window back onto it.
# At a scale of 4 the 1280 x 800 screen is 320 x 200 logical pixels (4800 x 3000 twips): the cascade's
# 26th window would start at Top = 26 x 120 = 3120 twips, wholly below the screen.
source "$(dirname "$0")/lib.sh"

NOTE_TITLE="PVL 3"
COUNT=26
SCREEN_W=1280
SCREEN_H=800

folder="$(new_program_folder)"
write_settings "$folder" TrayOnSystemStart=1 ShowOnTrayStart=1 TrayWhich=1 TrayOnlyEnabled=0 Arrangement=1 \
    NoteWidth=40 NoteHeight=40 PlayAlarm=0
for ((i = 1; i <= COUNT; i++)); do
    "$PVL3_TOOL" --program-folder "$folder" new --text "$(printf 'n%02d' "$i")" >/dev/null || fail "pvl3 new failed"
done

note_count_is() { [ "$(window_by_name "$NOTE_TITLE" "$PROGRAM_PID" | wc -l)" -eq "$1" ]; }

QT_SCALE_FACTOR=4 start_program "$folder" /QL
check "not all $COUNT notes were shown" wait_for 90 note_count_is "$COUNT"
screenshot cascade

lowest=0
for id in $(window_by_name "$NOTE_TITLE" "$PROGRAM_PID"); do
    read -r x y w h <<<"$(window_geometry "$id")"
    check "note window $id at $x,$y ${w}x$h is not wholly on the screen" \
        test "$x" -ge 0 -a "$y" -ge 0 -a $((x + w)) -le "$SCREEN_W" -a $((y + h)) -le "$SCREEN_H"
    [ $((y + h)) -gt "$lowest" ] && lowest=$((y + h))
done
log "the lowest note window ends at y = $lowest"
# Only the brought-back window reaches the bottom edge; the cascade's own steps stay above it.
check "no window was brought back to the bottom edge (lowest ends at $lowest)" test "$lowest" -eq "$SCREEN_H"
stop_program
