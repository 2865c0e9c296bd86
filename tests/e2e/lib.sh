# Helpers for the desktop tests. A test script starts with
#     source "$(dirname "$0")/lib.sh"
# and is run by run-in-xvfb.sh (see there for the environment). lib.sh sets `set -u`, installs the
# EXIT trap (a failing script leaves a "failure" screenshot; every program it started is stopped),
# so a test must not set its own EXIT trap. Helpers return non-zero rather than exit, except `fail`.
#
# Checks and waiting (never sleep a fixed time; poll with a limit in whole seconds):
#   wait_for <seconds> <command...>     polls every 0.1 s until the command succeeds; 1 on time-out
#   wait_output <seconds> <command...>  the same, until it succeeds with output, and prints that output
#                                       (asking again after wait_for could miss what it saw)
#   stays_true <seconds> <command...>   1 as soon as the command fails within that time, else 0
#   fail <message>                      prints, takes the "failure" screenshot, exits 1
#   check <message> <command...>        fail <message> unless the command succeeds
#   log <message>                       prints with the test's name
#
# Program folders and files:
#   new_program_folder                  prints a fresh folder holding a copy of pinvale3 and an empty
#                                       Notes folder (which makes the copy portable: the program uses
#                                       the folder of its executable as its own)
#   write_settings <folder> [key=value ...]   writes <folder>/PVL3.dat: the defaults (paths under the
#       folder, PlayAlarm 1 only when <folder>/Alarm.wav exists), then the values given, and creates
#       the notes folder. Keys are the settings' field names: AlarmSound PlayAlarm AnimateIcon
#       ShowOnTrayStart TrayOnSystemStart EveryHours EveryMinutes EveryEnabled Arrangement
#       TrayOnlyEnabled NotesFolder NoteHeight NoteWidth TrayWhich PromptApplyEdit PromptCloseNote
#       PromptNoShowOnTray PromptNoTrayOnBoot PromptMultiCopies PromptDeleteNote, and for the five
#       times of day AtTimes<i>.Enabled / .Hour / .Minute / .AmPm with i = 0..4 (AtTimes2.Hour=9).
#   settings_value <folder> <key>       prints one field of <folder>/PVL3.dat (same key names)
#   marker_bytes <folder>               prints TrayLock.dat as decimal bytes ("1", "0", "" if empty,
#                                       nothing and status 1 if missing)
#
# The program (the last one started is PROGRAM_PID; its output goes to the artefacts folder):
#   start_program <folder> [arguments]  starts <folder>/pinvale3 in <folder>; sets PROGRAM_PID
#   program_alive [pid]                 0 while the process runs (a zombie counts as ended)
#   wait_program_exit <seconds> [pid]   waits for the end; sets PROGRAM_STATUS to its exit code
#   stop_program [pid]                  TERM, then KILL after 5 s; waits for it
#   stop_all                            stops every program this script started
#   track_helper <pid>                  another process the script started (a compositor, ...): stopped
#                                       with the programs when the script ends
#
# Windows (ids are decimal X window ids, as xdotool prints them):
#   window_by_name <title> [pid]        prints the ids of visible windows titled exactly <title>
#                                       (optionally only those of that process)
#   wait_window <seconds> <title> [pid] waits until one is visible and prints its id
#   window_gone <title> [pid]           0 when no such window is visible (wait_for 10 window_gone ...)
#   visible_windows [pid]               prints "<id> <title>" for every visible window with a title (of
#                                       that process); the tray icon is not among them
#   popup_menu_window [pid]             prints the id of the process's open popup menu (a visible
#                                       override-redirect window); status 1 when none is open
#   tray_menu_window <pid|any>          the same, taller than a tool tip, of that process or of any
#                                       client (a StatusNotifierItem host draws the menu itself)
#   close_window <id>                   asks the window to close, as its title bar's close button does
#                                       (WM_DELETE_WINDOW), whatever has the focus
#   window_info <id>                    xwininfo of that window; status 1 for an empty id (for which
#                                       xwininfo would wait for a click on the screen)
#   viewable <id> / not_viewable <id>   whether the window is mapped and viewable
#   window_geometry <id>                prints "X Y WIDTH HEIGHT" in root coordinates
#   window_image <id> <import arguments...>   ImageMagick's import of that window; status 1 for an
#                                       empty id (import, too, would wait for a click)
#   screenshot <name>                   saves the screen as $PVL3_ARTEFACTS/<test>-<name>.png
#
# The tray (trayer, top right):
#   trayer_panel                        prints the id of trayer's panel, which appears with the first icon
#   tray_icon_window [pid]              prints the id of the icon embedded in trayer that belongs to
#                                       the process (default PROGRAM_PID); status 1 when there is none
#   tray_icon_present [pid]             0 when that icon is embedded and mapped
#   click_tray_icon [button] [repeat]   clicks the middle of that icon (button 1, once by default;
#                                       repeat 2 is a double click; button 3 the context menu)
# Under xfce4-panel (a StatusNotifierItem host, with a session bus of the run's own):
#   registered_items                    prints the items the host has registered ("<bus name>/<path>")
#   item_registered [pid]               0 when one of them belongs to the process (default PROGRAM_PID)

set -u

# xdotool's --sync waits for the server without a limit (an activation a window manager refuses never
# comes), so no call may hold a test up for longer than this; the binary itself runs under timeout.
xdotool() { timeout 10 xdotool "$@"; }

log() { echo "[$PVL3_TEST_NAME] $*" >&2; }

fail() {
    log "FAIL: $*"
    screenshot failure || true
    exit 1
}

check() {
    local message="$1"
    shift
    "$@" || fail "$message"
}

wait_for() {
    local limit="$1" end
    shift
    end=$(($(date +%s%N) + limit * 1000000000))
    until "$@" >/dev/null 2>&1; do
        [ "$(date +%s%N)" -ge "$end" ] && return 1
        sleep 0.1
    done
    return 0
}

wait_output() {
    local limit="$1" end out
    shift
    end=$(($(date +%s%N) + limit * 1000000000))
    until out="$("$@" 2>/dev/null)" && [ -n "$out" ]; do
        [ "$(date +%s%N)" -ge "$end" ] && return 1
        sleep 0.1
    done
    printf '%s\n' "$out"
}

stays_true() {
    local limit="$1" end
    shift
    end=$(($(date +%s%N) + limit * 1000000000))
    while [ "$(date +%s%N)" -lt "$end" ]; do
        "$@" >/dev/null 2>&1 || return 1
        sleep 0.1
    done
    "$@" >/dev/null 2>&1
}

# --- program folders and files ---------------------------------------------------------------------

new_program_folder() {
    local folder
    folder="$(mktemp -d "$PVL3_E2E_RUN/program.XXXXXX")" || return 1
    cp "$PVL3_BIN" "$folder/pinvale3" || return 1
    mkdir "$folder/Notes" || return 1
    echo "$folder"
}

# The settings file: strings are a 32-bit little-endian byte count and Windows-1252 bytes, or EF BB BF and
# UTF-8 for a text the code page cannot hold.
_settings_py='
import struct, sys, os
SCALARS = [("PlayAlarm", "B"), ("AnimateIcon", "B"), ("ShowOnTrayStart", "B"), ("TrayOnSystemStart", "B"),
           ("EveryHours", "B"), ("EveryMinutes", "B")]
TAIL1 = [("EveryEnabled", "B"), ("Arrangement", "B"), ("TrayOnlyEnabled", "B")]
TAIL2 = [("NoteHeight", "h"), ("NoteWidth", "h"), ("TrayWhich", "B"), ("PromptApplyEdit", "B"),
         ("PromptCloseNote", "B"), ("PromptNoShowOnTray", "B"), ("PromptNoTrayOnBoot", "B"),
         ("PromptMultiCopies", "B"), ("PromptDeleteNote", "B")]
ROW = ["AmPm", "Hour", "Minute", "Enabled"]  # file order of one time of day
MARK = b"\xef\xbb\xbf"  # a text Windows-1252 cannot hold: the mark, then UTF-8

def defaults(folder):
    d = {"AlarmSound": folder + "/Alarm.wav", "NotesFolder": folder + "/Notes/",
         "PlayAlarm": 1 if os.path.exists(folder + "/Alarm.wav") else 0, "AnimateIcon": 1,
         "ShowOnTrayStart": 1, "TrayOnSystemStart": 1, "EveryHours": 3, "EveryMinutes": 0, "EveryEnabled": 1,
         "Arrangement": 0, "TrayOnlyEnabled": 1, "NoteHeight": 180, "NoteWidth": 180, "TrayWhich": 1,
         "PromptApplyEdit": 0, "PromptCloseNote": 0, "PromptNoShowOnTray": 1, "PromptNoTrayOnBoot": 1,
         "PromptMultiCopies": 1, "PromptDeleteNote": 1}
    for i in range(5):
        d.update({"AtTimes%d.Enabled" % i: 0, "AtTimes%d.Hour" % i: 12, "AtTimes%d.Minute" % i: 30,
                  "AtTimes%d.AmPm" % i: 1})
    return d

def write(folder, pairs):
    v = defaults(folder)
    for pair in pairs:
        key, sep, value = pair.partition("=")
        if not sep or key not in v:
            sys.exit("write_settings: unknown setting %r" % pair)
        v[key] = value if key in ("AlarmSound", "NotesFolder") else int(value, 0)
    def s(text):
        try:
            raw = text.encode("cp1252")
            if raw.startswith(MARK):
                raise UnicodeError
        except UnicodeError:
            raw = MARK + text.encode("utf-8")
        return struct.pack("<i", len(raw)) + raw
    out = s(v["AlarmSound"]) + b"".join(struct.pack("<" + f, v[k]) for k, f in SCALARS)
    out += b"".join(struct.pack("<B", v["AtTimes%d.%s" % (i, k)]) for i in range(5) for k in ROW)
    out += b"".join(struct.pack("<" + f, v[k]) for k, f in TAIL1) + s(v["NotesFolder"])
    out += b"".join(struct.pack("<" + f, v[k]) for k, f in TAIL2)
    with open(folder + "/PVL3.dat", "wb") as f:
        f.write(out)
    os.makedirs(v["NotesFolder"], exist_ok=True)

def read(folder, key):
    data = open(folder + "/PVL3.dat", "rb").read()
    pos = 0
    def take(fmt):
        nonlocal pos
        (value,) = struct.unpack_from("<" + fmt, data, pos)
        pos += struct.calcsize(fmt)
        return value
    def string():
        n = take("i")
        nonlocal pos
        raw = data[pos:pos + n]
        pos += n
        if raw.startswith(MARK):
            try:
                return raw[3:].decode("utf-8")
            except UnicodeError:
                pass
        return raw.decode("cp1252", "replace")
    v = {"AlarmSound": string()}
    v.update((k, take(f)) for k, f in SCALARS)
    v.update(("AtTimes%d.%s" % (i, k), take("B")) for i in range(5) for k in ROW)
    v.update((k, take(f)) for k, f in TAIL1)
    v["NotesFolder"] = string()
    v.update((k, take(f)) for k, f in TAIL2)
    if key not in v:
        sys.exit("settings_value: unknown setting %r" % key)
    print(v[key])

if sys.argv[1] == "write":
    write(sys.argv[2], sys.argv[3:])
else:
    read(sys.argv[2], sys.argv[3])
'

write_settings() {
    local folder="${1%/}"
    shift
    python3 -c "$_settings_py" write "$folder" "$@"
}

settings_value() {
    python3 -c "$_settings_py" read "${1%/}" "$2"
}

marker_bytes() {
    [ -f "$1/TrayLock.dat" ] || return 1
    od -An -tu1 -v "$1/TrayLock.dat" | xargs
}

# --- the program -----------------------------------------------------------------------------------

PROGRAM_PID=""
PROGRAM_STATUS=""
_program_count=0

start_program() {
    local folder="${1%/}"
    shift
    _program_count=$((_program_count + 1))
    local out="$PVL3_ARTEFACTS/$PVL3_TEST_NAME-program-$_program_count.log"
    (cd "$folder" && exec "$folder/pinvale3" "$@") >"$out" 2>&1 &
    PROGRAM_PID=$!
    echo "$PROGRAM_PID" >>"$PVL3_E2E_PIDS"
    log "started pinvale3 $* (pid $PROGRAM_PID, output $out)"
}

program_alive() {
    local pid="${1:-$PROGRAM_PID}" state
    state="$(ps -o stat= -p "$pid" 2>/dev/null)" || return 1
    [ -n "$state" ] && [ "${state:0:1}" != Z ]
}

_program_ended() { ! program_alive "$1"; }

wait_program_exit() {
    local pid="${2:-$PROGRAM_PID}"
    wait_for "$1" _program_ended "$pid" || return 1
    wait "$pid" 2>/dev/null
    # shellcheck disable=SC2034 # for the tests
    PROGRAM_STATUS=$?
}

# A pid reaped earlier may belong to someone else by now: only this run's copies are stopped.
_ours() { [[ "$(readlink "/proc/$1/exe" 2>/dev/null)" == "$PVL3_E2E_RUN"/* ]]; }

stop_program() {
    local pid="${1:-$PROGRAM_PID}"
    [ -n "$pid" ] || return 0
    if program_alive "$pid" && _ours "$pid"; then
        kill -TERM "$pid" 2>/dev/null
        wait_for 5 _program_ended "$pid" || kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
    return 0
}

_helper_pids=()
track_helper() { _helper_pids+=("$1"); }

stop_all() {
    local pid
    if [ -f "$PVL3_E2E_PIDS" ]; then
        while read -r pid; do
            [ -n "$pid" ] && stop_program "$pid"
        done <"$PVL3_E2E_PIDS"
    fi
    # The helpers last: a program may be a client of one.
    for pid in "${_helper_pids[@]}"; do
        kill -TERM "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    done
    _helper_pids=()
}

_on_exit() {
    local code=$?
    if [ "$code" -ne 0 ] && [ ! -e "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-failure.png" ]; then
        screenshot failure || true
    fi
    stop_all
    exit "$code"
}
trap _on_exit EXIT
trap 'exit 143' TERM
trap 'exit 130' INT

# --- windows ---------------------------------------------------------------------------------------

_escape_regex() { printf '%s' "$1" | sed 's/[][\.*^$(){}?+|/]/\\&/g'; }

# send_keys <window> <keys...>: raises and focuses the window, then types the keys as a user would.
send_keys() {
    local window="$1"
    shift
    xdotool windowactivate --sync "$window" >/dev/null 2>&1 || xdotool windowfocus --sync "$window"
    xdotool key --delay 150 "$@" || fail "could not type $*"
}

window_gone() { ! window_by_name "$@" >/dev/null; }

visible_windows() {
    local id name
    for id in $(xdotool search --all --onlyvisible ${1:+--pid "$1"} --name '.' 2>/dev/null); do
        name="$(xdotool getwindowname "$id" 2>/dev/null)" && echo "$id $name"
    done
}

popup_menu_window() {
    local pid="${1:-$PROGRAM_PID}" id icon
    icon="$(tray_icon_window "$pid")"
    for id in $(xdotool search --onlyvisible --pid "$pid" 2>/dev/null); do
        [ "$id" = "$icon" ] && continue
        window_info "$id" | grep -q 'Override Redirect State: yes' && echo "$id" && return 0
    done
    return 1
}

# Qt marks the tray menu _KDE_NET_WM_WINDOW_TYPE_OVERRIDE, not as a popup menu; its height tells it from
# a tool tip. The tray icon and note windows are ordinary windows.
tray_menu_window() {
    local id geometry
    local -a owner=(--pid "$1")
    [ "$1" = any ] && owner=(--name '')
    for id in $(xdotool search --all --onlyvisible "${owner[@]}" 2>/dev/null); do
        window_info "$id" | grep -q 'Override Redirect State: yes' || continue
        geometry="$(window_geometry "$id")" || continue
        read -r _ _ _ height <<<"$geometry"
        [ "$height" -gt 100 ] && echo "$id" && return 0
    done
    return 1
}

window_by_name() {
    local title="$1" pid="${2:-}" ids
    if [ -n "$pid" ]; then
        ids="$(xdotool search --all --onlyvisible --pid "$pid" --name "^$(_escape_regex "$title")\$" 2>/dev/null)"
    else
        ids="$(xdotool search --onlyvisible --name "^$(_escape_regex "$title")\$" 2>/dev/null)"
    fi
    [ -n "$ids" ] && echo "$ids"
}

wait_window() {
    local ids
    ids="$(wait_output "$1" window_by_name "$2" "${3:-}")" || return 1
    echo "${ids%%$'\n'*}"
}

# WM_DELETE_WINDOW through Xlib, as a window manager sends it; xdotool's windowclose destroys the
# window behind the program's back instead.
close_window() {
    python3 - "$1" <<'EOF'
import ctypes, ctypes.util, sys
x = ctypes.cdll.LoadLibrary(ctypes.util.find_library("X11") or "libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long, ctypes.c_void_p]
x.XFlush.argtypes = [ctypes.c_void_p]
x.XCloseDisplay.argtypes = [ctypes.c_void_p]
class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
                ("format", ctypes.c_int), ("data", ctypes.c_long * 5)]
class Event(ctypes.Union):
    _fields_ = [("message", ClientMessage), ("pad", ctypes.c_long * 24)]
d = x.XOpenDisplay(None)
if not d:
    sys.exit("close_window: cannot open the display")
window = int(sys.argv[1], 0)
e = Event()
e.message.type = 33  # ClientMessage
e.message.window = window
e.message.message_type = x.XInternAtom(d, b"WM_PROTOCOLS", 0)
e.message.format = 32
e.message.data[0] = x.XInternAtom(d, b"WM_DELETE_WINDOW", 0)
e.message.data[1] = 0  # CurrentTime
x.XSendEvent(d, window, 0, 0, ctypes.byref(e))
x.XFlush(d)
x.XCloseDisplay(d)
EOF
}

window_info() { [ -n "${1:-}" ] && xwininfo -id "$1" 2>/dev/null; }
viewable() { window_info "$1" | grep -q 'Map State: IsViewable'; }
not_viewable() { ! viewable "$1"; }

window_geometry() {
    window_info "$1" | awk '/Absolute upper-left X/ {x=$NF} /Absolute upper-left Y/ {y=$NF}
        /^ *Width:/ {w=$NF} /^ *Height:/ {h=$NF} END {if (w == "") exit 1; print x, y, w, h}'
}

window_image() {
    [ -n "${1:-}" ] || return 1
    import -display "$DISPLAY" -window "$@" 2>/dev/null
}

screenshot() {
    import -display "$DISPLAY" -window root "$PVL3_ARTEFACTS/$PVL3_TEST_NAME-$1.png" 2>/dev/null
}

# --- the tray ---------------------------------------------------------------------------------------

trayer_panel() {
    local id
    for id in $(xdotool search --classname '^panel$' 2>/dev/null); do
        xprop -id "$id" WM_CLASS 2>/dev/null | grep -q '= "panel", "trayer"$' && echo "$id" && return 0
    done
    return 1
}

tray_icon_window() {
    local pid="${1:-$PROGRAM_PID}" id panel
    [ -n "$pid" ] || return 1
    panel="$(trayer_panel)" || return 1
    for id in $(xwininfo -tree -id "$panel" 2>/dev/null | awk '/^ +0x[0-9a-f]+ / {print $1}'); do
        if xprop -id "$id" _NET_WM_PID 2>/dev/null | grep -q "= $pid\$"; then
            printf '%d\n' "$id"
            return 0
        fi
    done
    return 1
}

tray_icon_present() {
    local id
    id="$(tray_icon_window "${1:-}")" || return 1
    viewable "$id"
}

click_tray_icon() {
    local button="${1:-1}" repeat="${2:-1}" id geometry
    id="$(tray_icon_window)" || return 1
    geometry="$(window_geometry "$id")" || return 1
    read -r gx gy gw gh <<<"$geometry"
    # No --sync: with the pointer already there, xdotool waits about 15 s for a move that never comes.
    # The server takes the move before the click either way.
    xdotool mousemove $((gx + gw / 2)) $((gy + gh / 2)) click --repeat "$repeat" --delay 80 "$button"
}

# --- StatusNotifierItem hosts ------------------------------------------------------------------------

registered_items() {
    dbus-send --session --print-reply --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
        string:RegisteredStatusNotifierItems 2>/dev/null | grep -o '"[^"]*"' | tr -d '"'
}

# The bus tells which process holds an item's bus name.
item_registered() {
    local want="${1:-$PROGRAM_PID}" item pid
    for item in $(registered_items); do
        pid="$(dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
            org.freedesktop.DBus.GetConnectionUnixProcessID "string:${item%%/*}" 2>/dev/null | awk '/uint32/ {print $2}')"
        [ "$pid" = "$want" ] && return 0
    done
    return 1
}
