#!/usr/bin/env bash
# The platform decision on a real desktop, with a headless Weston as the Wayland compositor beside Xvfb:
# a Wayland session with the X server at hand runs the program on X11 (its manager is an X window); a
# platform the user chose stands; without an X server the program runs natively under Weston.
source "$(dirname "$0")/lib.sh"

MANAGER="Pinvale 3: ManageNotes"
SOCKET="pvl3-wayland-0"

# Stopped with the programs; the time limit ends it even if this script is killed outright.
timeout 200 weston --backend=headless-backend.so --socket="$SOCKET" --idle-time=0 \
    >"$PVL3_ARTEFACTS/$PVL3_TEST_NAME-weston.log" 2>&1 &
track_helper $!
check "weston did not start" wait_for 30 test -S "$XDG_RUNTIME_DIR/$SOCKET"
unset QT_QPA_PLATFORM
export WAYLAND_DISPLAY="$SOCKET" XDG_SESSION_TYPE=wayland QT_LOGGING_RULES="qt.qpa.plugin=true"

loaded() { grep -q "Successfully loaded Qt platform plugin \"$1\"" "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-program-$2.log"; }

log "Wayland session, X server reachable"
start_program "$(new_program_folder)"
check "the manager did not come up on the X server" wait_window 30 "$MANAGER" "$PROGRAM_PID" >/dev/null
check "the program did not load xcb" loaded xcb 1
screenshot on-x11
stop_program

log "Wayland session, QT_QPA_PLATFORM=wayland"
QT_QPA_PLATFORM=wayland start_program "$(new_program_folder)"
check "the user's platform was not loaded" wait_for 30 loaded wayland 2
check "the program ended under Weston" stays_true 3 program_alive
check "a window came up on the X server although the user chose Wayland" window_gone "$MANAGER" "$PROGRAM_PID"
stop_program

log "Wayland session, no X server"
DISPLAY='' start_program "$(new_program_folder)"
check "the program did not run natively on Wayland" wait_for 30 loaded wayland 3
check "the program ended under Weston" stays_true 3 program_alive
stop_program
