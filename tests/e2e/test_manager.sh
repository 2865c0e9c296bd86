#!/usr/bin/env bash
# The manager by keyboard alone on a real desktop: a first start shows it with the list in focus, Space
# ticks a note's line (its file's first 10 bytes change), each tab is reached by its mnemonic, an option
# changed on the prompts page is in "PVL3.dat" once the manager closes, and Delete removes a note's file
# after its question.
source "$(dirname "$0")/lib.sh"

MANAGER="Pinvale 3: ManageNotes"
DELETE_QUESTION="Are you sure you want to delete this Note?"

head_bytes() { od -An -tx1 -N10 "$1" | xargs; }

# Keys go to the focused window, as typed; the manager is raised and focused first.
keys() { send_keys "$manager" "$@"; }

# The manager window's pixels as one checksum (a PNG file also carries its time of writing).
pixels() { window_image "$manager" -depth 8 rgba:- | md5sum | cut -d' ' -f1; }

# True once the manager's pixels differ from the checksum <previous>; then keeps the picture <name>.
shot_differs() {
    SHOWN="$(pixels)"
    [ "$SHOWN" != "$2" ] || return 1
    window_image "$manager" "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-$1.png"
}

folder="$(new_program_folder)"
"$PVL3_TOOL" --program-folder "$folder" new --text Alpha --from 20260101 --until 20271231 >/dev/null ||
    fail "pvl3 could not write a note"
"$PVL3_TOOL" --program-folder "$folder" new --text Beta --from 20260101 --until 20271231 >/dev/null ||
    fail "pvl3 could not write a note"
alpha="$folder/Notes/Alpha.nte"
check "the first note does not start enabled" test "$(head_bytes "$alpha")" = "00 00 00 00 00 00 08 40 01 00"
check "a settings file before the first start" test ! -e "$folder/PVL3.dat"

start_program "$folder"
manager="$(wait_window 30 "$MANAGER" "$PROGRAM_PID")" || fail "a first start showed no \"$MANAGER\""
screenshot first-start

log "Space on the selected line clears its tick"
keys space
check "the tick did not reach Alpha.nte's first 10 bytes" \
    wait_for 10 test "$(head_bytes "$alpha")" = "00 00 00 00 00 00 08 40 00 00"

log "each tab by its mnemonic"
sums=()
previous="$(pixels)"
for tab in t:traynotes s:shownotes p:propting l:list-of-notes; do
    keys "alt+${tab%%:*}"
    # the page may still be painting when it first differs: its checksum is taken again
    wait_for 10 shot_differs "tab-${tab#*:}" "$previous" || fail "alt+${tab%%:*} did not change the page"
    previous="$(pixels)"
    sums+=("$previous")
done
distinct="$(printf '%s\n' "${sums[@]}" | sort -u | wc -l)"
check "the four tabs did not show four different pages ($distinct)" test "$distinct" = 4

log "an option on the prompts page"
keys alt+p alt+b space # "Prompt &Before": its first box, "Disabling TrayNotes Launch on System Start Up"

log "Delete, after its question"
keys alt+l alt+d
question="$(wait_window 20 "$DELETE_QUESTION" "$PROGRAM_PID")" || fail "Delete asked nothing"
screenshot delete-question
xdotool windowactivate --sync "$question" >/dev/null 2>&1
xdotool key --delay 150 alt+y || fail "could not answer the question"
check "Delete left Alpha.nte in place" wait_for 10 test ! -e "$alpha"
check "Delete took Beta.nte as well" test -e "$folder/Notes/Beta.nte"

close_window "$manager"
check "the manager did not close" wait_for 10 window_gone "$MANAGER" "$PROGRAM_PID"
check "closing the manager wrote no settings" wait_for 10 test -s "$folder/PVL3.dat"
check "the changed prompt option is not in PVL3.dat" test "$(settings_value "$folder" PromptNoTrayOnBoot)" = 0
check "an untouched option changed" test "$(settings_value "$folder" PromptDeleteNote)" = 1
check "the tray ended with the manager" program_alive
stop_program
log "passed"
