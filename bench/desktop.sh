# shellcheck shell=bash
# Sourced by the benchmarks that run the program on a desktop.
#
#   on_desktop SCRIPT BUILD_FOLDER TIMEOUT_S
#
# brings up a private X display with a window manager and a tray host (tests/e2e/run-in-xvfb.sh), runs
# SCRIPT again there under a session bus, and gives it the end-to-end helpers (lib.sh) and the build folder
# as $build: on the desktop the call returns and the script goes on. Its other settings the script exports
# before the call, taking them from the environment when there (as PVL3_BENCH_BUILD is here).
on_desktop() {
    export PVL3_BENCH_BUILD="${PVL3_BENCH_BUILD:-$(realpath "$2")}"
    build="$PVL3_BENCH_BUILD"
    if [ -z "${PVL3_E2E_RUN:-}" ]; then
        export PVL3_E2E_TIMEOUT="$3"
        exec bash "$(dirname "${BASH_SOURCE[0]}")/../tests/e2e/run-in-xvfb.sh" "$1" "$build/pinvale3" "$build/pvl3"
    fi
    # A desktop session has a message bus; without one, Qt's first use of it launches a bus of its own, and
    # the start pays for that.
    if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then exec dbus-run-session -- bash "$1"; fi
    source "$PVL3_E2E_DIR/lib.sh"
}
