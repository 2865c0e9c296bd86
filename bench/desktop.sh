# shellcheck shell=bash
# Sourced by the benchmarks that run the program on a desktop.
#
#   on_desktop SCRIPT BUILD TIMEOUT_S
#
# brings up a private X display with a window manager and a tray host (tests/e2e/run-in-xvfb.sh), runs
# SCRIPT again there under a session bus, and gives it the end-to-end helpers (lib.sh): on the desktop the
# call returns and the script goes on. What the script needs there it exports before the call.
on_desktop() {
    if [ -z "${PVL3_E2E_RUN:-}" ]; then
        export PVL3_E2E_TIMEOUT="$3"
        exec bash "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/run-in-xvfb.sh" "$1" "$2/pinvale3" "$2/pvl3"
    fi
    # A desktop session has a message bus; without one, Qt's first use of it launches a bus of its own, and
    # the start pays for that.
    if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then exec dbus-run-session -- bash "$1"; fi
    source "$PVL3_E2E_DIR/lib.sh"
}
