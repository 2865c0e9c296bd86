#!/usr/bin/env bash
# ShowNotes on a real desktop: TrayNotes starts, shows every enabled note cascaded from the top-left
# corner 120 twips (8 pixels) apart, one window per note with each border style and picture placement;
# a disabled note and a damaged note get no window and leave no gap; each window shows its note's colour.
source "$(dirname "$0")/lib.sh"

PICTURES="$(cd "$PVL3_E2E_DIR/../data/pictures" && pwd)"
NOTE_TITLE="PVL 3"
MANAGER="Pinvale 3: ManageNotes"
NOTE_PIXELS=180 # the default note size

# write_note <file> <Enabled> <Text> <BackColour 0x00BBGGRR> <BorderStyle> <ImagePath> <ImageAlign>
_note_py='
import struct, sys
path, enabled, text, back, border, image, align = sys.argv[1:8]
def s(t):
    raw = t.encode("cp1252", "replace")
    return struct.pack("<i", len(raw)) + raw
out = struct.pack("<dh", 3.0, int(enabled)) + s(text) + struct.pack("<ii", 20000101, 20991231)
out += s("") + s("") + s("") + struct.pack("<I", int(back, 0)) + s(image)
out += struct.pack("<hhhhhh", int(border), int(align), 0, 0, 0, 0) + s("DejaVu Sans")
out += struct.pack("<Ihh", 0, 10, 1)
open(path, "wb").write(out)
'
write_note() { python3 -c "$_note_py" "$@"; }

# Notes in file-name order; "colour" rows are the ones whose back colour is checked on the screen.
# name enabled text back border image align
NOTES=(
    "n01 1 Flat 0x0000FFFF 0 - 0"
    "n02 1 Raised 0x00FFC0C0 1 - 0"
    "n03 1 Sunken 0x00C0FFC0 2 - 0"
    "n04 1 Etched 0x00C0C0FF 3 - 0"
    "n05 1 Bump 0x00FFFFC0 4 - 0"
    "n06 0 Disabled 0x000000FF 0 - 0"
    "n08 1 Tiled 0x00FFFFFF 1 test.bmp 0"
    "n09 1 Centred 0x00FFFFFF 2 test.gif 1"
    "n10 1 Stretched 0x00FFFFFF 3 test.jpg 2"
    "n11 1 PictureGone 0x00E0E0E0 4 gone.bmp 2"
)
# What the cascade shows, in order: file name and the back colour as "R,G,B" (- for a picture).
EXPECTED=(
    "n01 255,255,0" "n02 192,192,255" "n03 192,255,192" "n04 255,192,192" "n05 192,255,255"
    "n08 -" "n09 -" "n10 -" "n11 224,224,224"
)

make_notes() {
    local notes="$1" row name enabled text back border image align path
    for row in "${NOTES[@]}"; do
        read -r name enabled text back border image align <<<"$row"
        path=""
        [ "$image" != - ] && path="$PICTURES/$image"
        [ "$image" = gone.bmp ] && path="$notes/gone.bmp"
        write_note "$notes/$name.nte" "$enabled" "$text"$'\r\n'"border $border" "$back" "$border" "$path" "$align" ||
            fail "could not write $name.nte"
    done
    # Cut short inside Enabled: its head cannot be read, so it is never due.
    write_note "$notes/n07.nte" 1 Damaged 0x000000FF 0 "" 0 && truncate -s 9 "$notes/n07.nte"
}

note_windows() { window_by_name "$NOTE_TITLE" "$PROGRAM_PID"; }
no_manager() { ! window_by_name "$MANAGER" "$PROGRAM_PID" >/dev/null; }
note_count_is() { [ "$(note_windows | wc -l)" -eq "$1" ]; }

# The colour of one screen pixel of a screenshot as "R,G,B".
pixel() {
    convert "$1" -format "%[fx:int(255*p{$2,$3}.r+0.5)],%[fx:int(255*p{$2,$3}.g+0.5)],%[fx:int(255*p{$2,$3}.b+0.5)]" info:
}

# A program folder with the notes and PVL3.dat; prints the folder.
program_with_notes() {
    local folder
    folder="$(new_program_folder)" || return 1
    write_settings "$folder" ShowOnTrayStart=1 TrayWhich=1 TrayOnlyEnabled=1 "$@" || return 1
    make_notes "$folder/Notes" || return 1
    echo "$folder"
}

cascade_on_an_ordinary_start() {
    log "cascade, ordinary start"
    local folder manager geometries shot k step x y w h id name colour got px py
    folder="$(program_with_notes Arrangement=1)" || fail "no program folder with notes"
    check "the settings file does not hold Arrangement 1" test "$(settings_value "$folder" Arrangement)" = 1

    start_program "$folder"
    check "no note windows appeared" wait_for 60 note_count_is ${#EXPECTED[@]}
    manager="$(wait_window 30 "$MANAGER" "$PROGRAM_PID")" || fail "no \"$MANAGER\" window"
    check "a disabled or damaged note got a window" stays_true 2 note_count_is ${#EXPECTED[@]}
    screenshot notes-with-manager

    # The manager goes so that nothing covers the notes; the tray keeps the program and its notes.
    close_window "$manager"
    check "the manager window did not close" wait_for 10 no_manager
    check "the program ended with the manager" program_alive
    check "the note windows went with the manager" note_count_is ${#EXPECTED[@]}

    # Cascade: window k at (8k, 8k) pixels, 180 x 180, the last one on top.
    mapfile -t geometries < <(for id in $(note_windows); do echo "$(window_geometry "$id") $id"; done | sort -n -k1,1)
    shot="$PVL3_ARTEFACTS/$PVL3_TEST_NAME-cascade.png"
    screenshot cascade || fail "no screenshot"
    for k in "${!EXPECTED[@]}"; do
        step=$((k + 1))
        read -r x y w h id <<<"${geometries[k]}"
        read -r name colour <<<"${EXPECTED[k]}"
        log "$name: window $id at $x,$y size ${w}x$h"
        [ "$x $y" = "$((8 * step)) $((8 * step))" ] || fail "$name is at $x,$y, not at $((8 * step)),$((8 * step))"
        [ "$w $h" = "$NOTE_PIXELS $NOTE_PIXELS" ] || fail "$name is ${w}x$h, not ${NOTE_PIXELS}x$NOTE_PIXELS"
        window_image "$id" "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-$name.png" ||
            fail "no screenshot of $name"
        # Two pixels in from the left edge, below the next window's top: still this window's background.
        if [ "$colour" != - ]; then
            got="$(pixel "$shot" $((x + 2)) $((y + 120)))"
            [ "$got" = "$colour" ] || fail "$name shows the colour $got at its left edge, not $colour"
        fi
    done

    # Laid out side by side, each note's border style and picture placement can be seen whole.
    at_place() { [ "$(window_geometry "$1" | cut -d' ' -f1,2)" = "$2 $3" ]; }
    for k in "${!geometries[@]}"; do
        read -r _ _ _ _ id <<<"${geometries[k]}"
        px=$((300 + 190 * (k % 5))) py=$((100 + 200 * (k / 5)))
        xdotool windowmove "$id" "$px" "$py"
        check "window $id did not move to $px,$py" wait_for 10 at_place "$id" "$px" "$py"
    done
    screenshot side-by-side
    stop_program
}

# A stack is one window to page through, at the first cascade place.
stack_on_a_system_launch() {
    log "stack, /QL start"
    local folder id
    folder="$(program_with_notes Arrangement=0)" || fail "no program folder with notes"
    start_program "$folder" /QL
    check "no stack window appeared" wait_for 60 note_count_is 1
    check "a stack opened more than one window" stays_true 2 note_count_is 1
    id="$(note_windows)"
    check "the stack window is not at 8,8" test "$(window_geometry "$id")" = "8 8 $NOTE_PIXELS $NOTE_PIXELS"
    screenshot stack
    stop_program
}

# Scattered windows lie wholly on the 1280 x 800 screen.
scatter_on_a_system_launch() {
    log "scatter, /QL start"
    local folder id x y w h
    folder="$(program_with_notes Arrangement=2)" || fail "no program folder with notes"
    start_program "$folder" /QL
    check "no scattered windows appeared" wait_for 60 note_count_is ${#EXPECTED[@]}
    for id in $(note_windows); do
        read -r x y w h <<<"$(window_geometry "$id")"
        log "scattered window $id at $x,$y"
        [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1280 ] && [ $((y + h)) -le 800 ] ||
            fail "scattered window $id at $x,$y ${w}x$h is not wholly on the screen"
    done
    screenshot scatter
    stop_program
}

cascade_on_an_ordinary_start
stack_on_a_system_launch
scatter_on_a_system_launch
log "passed"
