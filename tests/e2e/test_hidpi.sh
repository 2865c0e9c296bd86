#!/usr/bin/env bash
# The program at 1x, 1.5x and 2x (QT_SCALE_FACTOR, as a desktop sets it for a dense screen): a note
# window of 180 x 180 pixels is 180, 270 and 360 device pixels, the manager grows in step, and a
# screenshot of each (note, manager, tray icon) is kept for the eye.
source "$(dirname "$0")/lib.sh"

NOTE_TITLE="PVL 3"
MANAGER="Pinvale 3: ManageNotes"

manager_width_1x=""
for scale in 1 1.5 2; do
    log "scale $scale"
    folder="$(new_program_folder)"
    write_settings "$folder" ShowOnTrayStart=1 TrayWhich=1 TrayOnlyEnabled=0 PlayAlarm=0
    "$PVL3_TOOL" --program-folder "$folder" new --text "Crisp at ${scale}x: the quick brown fox" >/dev/null ||
        fail "pvl3 new failed"
    QT_SCALE_FACTOR="$scale" start_program "$folder"
    note="$(wait_window 30 "$NOTE_TITLE" "$PROGRAM_PID")" || fail "no note window at ${scale}x"
    manager="$(wait_window 30 "$MANAGER" "$PROGRAM_PID")" || fail "no manager at ${scale}x"
    check "no tray icon at ${scale}x" wait_for 20 tray_icon_present
    # Side by side, so that one picture shows both.
    xdotool windowmove --sync "$manager" 400 40 2>/dev/null || true
    read -r nx ny w h <<<"$(window_geometry "$note")"
    expected="$(awk -v s="$scale" 'BEGIN { printf "%d", 180 * s + 0.5 }')"
    log "note ${w}x$h device pixels, expected $expected"
    check "the note is ${w}x$h at ${scale}x, not ${expected}x$expected" \
        test "$((w - expected))" -ge -1 -a "$((w - expected))" -le 1 -a "$((h - expected))" -ge -1 -a "$((h - expected))" -le 1
    read -r _ _ mw _ <<<"$(window_geometry "$manager")"
    [ -z "$manager_width_1x" ] && manager_width_1x="$mw"
    want="$(awk -v s="$scale" -v w="$manager_width_1x" 'BEGIN { printf "%d", w * s + 0.5 }')"
    log "manager $mw wide, $want expected from the 1x width"
    check "the manager is $mw wide at ${scale}x, not about $want" test "$((mw - want))" -ge -3 -a "$((mw - want))" -le 3
    # The pointer over the (hidden) Close button brings up the caption buttons, so that their glyphs show.
    corner() { import -display "$DISPLAY" -window root -crop "$((w / 3))x$((h / 6))+$((nx + w * 2 / 3))+$ny" +repage \
        "$PVL3_E2E_RUN/corner-$1.png" 2>/dev/null; }
    corner plain
    xdotool mousemove $((nx + w * 169 / 180)) $((ny + h * 10 / 180)) # over the Close button
    buttons_shown() { corner hover && ! compare -metric AE "$PVL3_E2E_RUN/corner-plain.png" \
        "$PVL3_E2E_RUN/corner-hover.png" null: 2>/dev/null; }
    check "no caption buttons on hover at ${scale}x" wait_for 10 buttons_shown
    screenshot "scale-${scale}x"
    stop_program
done
