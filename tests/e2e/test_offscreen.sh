#!/usr/bin/env bash
# Cascade steps that would put a note past the bottom of the screen (or leave less than a grab of it on
# the screen) bring the window back onto it.
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

GRAB=$((32 * 4)) # the piece that must show, in device pixels at the scale of 4
shown() { # <start> <length> <screen length>: how much of the span lies on the screen
    local end=$(($1 + $2)) from=$1
    [ "$from" -lt 0 ] && from=0
    [ "$end" -gt "$3" ] && end=$3
    echo $((end > from ? end - from : 0))
}
at_bottom=0
for id in $(window_by_name "$NOTE_TITLE" "$PROGRAM_PID"); do
    read -r x y w h <<<"$(window_geometry "$id")"
    need_w=$((w < GRAB ? w : GRAB))
    need_h=$((h < GRAB ? h : GRAB))
    check "note window $id at $x,$y ${w}x$h shows less than a grab" \
        test "$(shown "$x" "$w" "$SCREEN_W")" -ge "$need_w" -a "$(shown "$y" "$h" "$SCREEN_H")" -ge "$need_h"
    [ $((y + h)) -eq "$SCREEN_H" ] && at_bottom=$((at_bottom + 1))
done
log "$at_bottom windows were brought back to the bottom edge"
# The steps from Top = 2880 twips on (a sliver or nothing left on the screen) end on the bottom edge.
check "no window was brought back to the bottom edge" test "$at_bottom" -ge 2
stop_program
