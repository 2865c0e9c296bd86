#!/usr/bin/env bash
# Runs one desktop test against the real program on a private X display.
#
#   bash tests/e2e/run-in-xvfb.sh <test script> <path of pinvale3> <path of pvl3> [more arguments]
#
# Brings up, each waited for with a time limit:
#   Xvfb 1280x800x24 on a free display (Xvfb picks it: -displayfd), openbox (window manager),
#   tint2 (task bar at the bottom, no tray of its own) and trayer (the tray host, top right).
# Then runs `bash <test script> <pinvale3> <pvl3> [more arguments]` with:
#   DISPLAY           the private display
#   PVL3_BIN          absolute path of pinvale3        PVL3_TOOL   absolute path of pvl3
#   PVL3_E2E_DIR      this folder (source "$PVL3_E2E_DIR/lib.sh" for the helpers)
#   PVL3_E2E_RUN      a private scratch folder for this run (program folders go here)
#   PVL3_ARTEFACTS    where screenshots and logs go (default <scratch>/artefacts)
#   PVL3_TEST_NAME    the script's name without .sh (prefix of every artefact)
# The test passes when the script exits 0. The script gets PVL3_E2E_TIMEOUT seconds (default: what is
# left of 270 s after the desktop came up, so that cleaning up still fits in ctest's 300) and is then
# killed. Whatever happens, every process started here or recorded by
# lib.sh's start_program is stopped by its id. The scratch folder is removed after a pass and kept
# (its path printed) after a failure, or always with PVL3_E2E_KEEP=1.
set -u

if [ $# -lt 3 ]; then
    echo "usage: $0 <test script> <pinvale3> <pvl3> [arguments...]" >&2
    exit 2
fi

script="$(realpath "$1")"
PVL3_BIN="$(realpath "$2")"
PVL3_TOOL="$(realpath -m "$3")"
shift 3
PVL3_E2E_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
PVL3_TEST_NAME="$(basename "$script" .sh)"
PVL3_E2E_RUN="$(mktemp -d "${TMPDIR:-/tmp}/pvl3-e2e-$PVL3_TEST_NAME.XXXXXX")"
PVL3_ARTEFACTS="${PVL3_ARTEFACTS:-$PVL3_E2E_RUN/artefacts}"
mkdir -p "$PVL3_ARTEFACTS" "$PVL3_E2E_RUN/logs"
rm -f "$PVL3_ARTEFACTS/$PVL3_TEST_NAME"-* # an earlier run's pictures would mislead
export PVL3_BIN PVL3_TOOL PVL3_E2E_DIR PVL3_TEST_NAME PVL3_E2E_RUN PVL3_ARTEFACTS
# lib.sh appends the pid of every program it starts here, so that a killed test leaves nothing behind.
export PVL3_E2E_PIDS="$PVL3_E2E_RUN/program.pids"
: >"$PVL3_E2E_PIDS"

logs="$PVL3_E2E_RUN/logs"
started=() # pids of the desktop processes, in start order
status=1

say() { echo "[run-in-xvfb $(date +%T.%N | cut -c1-12)] $*" >&2; }

stop_pid() {
    local pid="$1" i
    kill -0 "$pid" 2>/dev/null || return 0
    kill -TERM "$pid" 2>/dev/null
    for ((i = 0; i < 30; i++)); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    return 0
}

cleanup() {
    local pid i
    trap - EXIT INT TERM
    # Only a pinvale3 copied into this run's folder: a recorded pid may have been reused since.
    while read -r pid; do
        [[ "$(readlink "/proc/$pid/exe" 2>/dev/null)" == "$PVL3_E2E_RUN"/* ]] && stop_pid "$pid"
    done <"$PVL3_E2E_PIDS"
    for ((i = ${#started[@]} - 1; i >= 0; i--)); do
        stop_pid "${started[i]}"
    done
    if [ "$status" -ne 0 ]; then
        for f in "$logs"/*.log; do
            cp "$f" "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-$(basename "$f")" 2>/dev/null
            [ -s "$f" ] && { echo "--- $(basename "$f")"; tail -n 20 "$f"; } >&2
        done
    fi
    if [ "$status" -eq 0 ] && [ -z "${PVL3_E2E_KEEP:-}" ]; then
        rm -rf "$PVL3_E2E_RUN"
    else
        say "scratch folder kept: $PVL3_E2E_RUN"
    fi
    say "artefacts: $PVL3_ARTEFACTS"
    exit "$status"
}
trap cleanup EXIT
trap 'status=130; exit 130' INT TERM

# wait_until <seconds> <what> <command...>: polls every 0.1 s.
wait_until() {
    local limit="$1" what="$2" end
    shift 2
    end=$((SECONDS + limit))
    until "$@" >/dev/null 2>&1; do
        if [ "$SECONDS" -ge "$end" ]; then
            say "gave up waiting for $what after ${limit}s"
            return 1
        fi
        sleep 0.1
    done
    say "ready: $what"
}

alive() { kill -0 "$1" 2>/dev/null; }

# The test's own programs must not reach a session bus (the tray icon then goes to the XEmbed host),
# the user's real data folders, or an accessibility bus.
unset DBUS_SESSION_BUS_ADDRESS SESSION_MANAGER QT_QPA_PLATFORM WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb NO_AT_BRIDGE=1 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=0
export XDG_RUNTIME_DIR="$PVL3_E2E_RUN/xdg-runtime" XDG_DATA_HOME="$PVL3_E2E_RUN/xdg-data"
export XDG_CONFIG_HOME="$PVL3_E2E_RUN/xdg-config" XDG_CACHE_HOME="$PVL3_E2E_RUN/xdg-cache"
mkdir -p "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
chmod 700 "$XDG_RUNTIME_DIR"

# Xvfb writes the display number it chose to the file when it is ready for clients.
display_file="$PVL3_E2E_RUN/display"
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp -noreset 5>"$display_file" >"$logs/xvfb.log" 2>&1 &
started+=($!)
xvfb_pid=$!
got_display() { alive "$xvfb_pid" && grep -q '^[0-9]\+$' "$display_file"; }
wait_until 60 "Xvfb to choose a display" got_display || exit
export DISPLAY=":$(head -n 1 "$display_file")"
wait_until 60 "the display to answer" xdpyinfo || exit
say "display $DISPLAY"

openbox --sm-disable >"$logs/openbox.log" 2>&1 &
started+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_until 60 "openbox" wm_ready || exit

# The task bar shows top-level windows by title; its own tray is left out so that trayer owns the tray.
cat >"$PVL3_E2E_RUN/tint2rc" <<'EOF'
panel_items = T
panel_position = bottom center horizontal
panel_size = 100% 30
panel_layer = top
panel_dock = 0
wm_menu = 0
taskbar_mode = single_desktop
task_text = 1
task_icon = 1
task_centered = 0
task_maximum_size = 200 30
task_font = DejaVu Sans 9
EOF
tint2 -c "$PVL3_E2E_RUN/tint2rc" >"$logs/tint2.log" 2>&1 &
started+=($!)
tint2_pid=$!
wait_until 60 "tint2" xdotool search --classname '^tint2$' || exit

# trayer shows its panel only once it holds an icon; it is ready when it owns the tray selection.
tray_owned() {
    python3 -c '
import ctypes, ctypes.util, os, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
x.XDefaultScreen.argtypes = [ctypes.c_void_p]
d = x.XOpenDisplay(None)
screen = x.XDefaultScreen(d)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, b"_NET_SYSTEM_TRAY_S%d" % screen, 0)) else 1)'
}

# A test names its tray host in a line "# tray host: xfce4-panel"; trayer (XEmbed only) otherwise. A
# benchmark that runs under either chooses with PVL3_E2E_TRAY_HOST.
tray_host="${PVL3_E2E_TRAY_HOST:-$(sed -n 's/^# tray host: *//p' "$script" | head -n 1)}"
if [ "$tray_host" = xfce4-panel ]; then
    # A session bus of this run's own, and xfce4-panel with nothing but its notification area, which hosts
    # StatusNotifierItem icons over D-Bus (and XEmbed ones beside them).
    bus_file="$PVL3_E2E_RUN/bus"
    dbus-daemon --session --nofork --print-address=5 5>"$bus_file" >"$logs/dbus.log" 2>&1 &
    started+=($!)
    bus_pid=$!
    got_bus() { alive "$bus_pid" && grep -q . "$bus_file"; }
    wait_until 60 "the session bus" got_bus || exit
    DBUS_SESSION_BUS_ADDRESS="$(head -n 1 "$bus_file")"
    export DBUS_SESSION_BUS_ADDRESS
    mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
    cat >"$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="32"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF
    xfce4-panel --disable-wm-check >"$logs/xfce4-panel.log" 2>&1 &
    started+=($!)
    host_pid=$!
    sni_watcher() {
        dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.NameHasOwner string:org.kde.StatusNotifierWatcher | grep -q 'boolean true'
    }
    wait_until 60 "xfce4-panel's StatusNotifierItem host" sni_watcher || exit
else
    trayer --edge top --align right --widthtype request --height 32 --SetDockType true \
        --transparent false --expand true >"$logs/trayer.log" 2>&1 &
    started+=($!)
    trayer_pid=$!
    wait_until 60 "trayer" tray_owned || exit
    host_pid=$trayer_pid
fi
for pid in "$tint2_pid" "$host_pid"; do
    alive "$pid" || { say "desktop process $pid ended early"; exit; }
done

cd "$PVL3_E2E_RUN" || exit
export PVL3_E2E_TRAY_PID="$host_pid" # a test that takes the tray away stops this one, not every user's
say "running $PVL3_TEST_NAME"
# In the background so that a signal to this harness is handled at once, not after the test.
budget="${PVL3_E2E_TIMEOUT:-$((270 - SECONDS))}"
timeout --kill-after=10 "$budget" bash "$script" "$PVL3_BIN" "$PVL3_TOOL" "$@" &
test_pid=$!
started+=("$test_pid")
wait "$test_pid"
status=$?
[ "$status" -eq 124 ] && say "$PVL3_TEST_NAME ran out of time (${budget}s)"
say "$PVL3_TEST_NAME exit code $status"
exit "$status"
