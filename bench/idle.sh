#!/usr/bin/env bash
# What pinvale3 costs while it sits in the tray: CPU time and wake-ups (context switches of all its
# threads, from /proc, in all and for each thread) over a period, with the icon animation off and on, over
# 10 and 10,000 notes.
#
#   bench/idle.sh [build folder] [seconds] [tray]   (default: build-release, 60 s, xembed)
#
# tray: xembed (trayer: the program's own icon window) or sni (xfce4-panel's StatusNotifierItem host: Qt's
# icon over D-Bus, which the panel asks for each new picture).
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export PVL3_BENCH_SECONDS="${PVL3_BENCH_SECONDS:-${2:-60}}"
export PVL3_BENCH_TRAY="${PVL3_BENCH_TRAY:-${3:-xembed}}"
[ "$PVL3_BENCH_TRAY" = sni ] && export PVL3_E2E_TRAY_HOST=xfce4-panel
seconds="$PVL3_BENCH_SECONDS"
# shellcheck source=bench/desktop.sh
source "$here/desktop.sh"
on_desktop "$here/idle.sh" "${1:-build-release}" $((seconds * 4 + 600))
icon_shown=tray_icon_present
[ "$PVL3_BENCH_TRAY" = sni ] && icon_shown=item_registered
tick=$(getconf CLK_TCK)

# cpu_ticks <pid>: user + system time of the process; switches <pid>: context switches of all its threads;
# thread_switches <pid>: "<thread id> <name> <switches>" a line for each thread.
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {n += $2} END {print n}'; }
thread_switches() {
    local task
    for task in /proc/"$1"/task/*; do
        echo "${task##*/} $(tr ' ' _ <"$task/comm") $(awk '/ctxt_switches/ {n += $2} END {print n}' "$task/status")"
    done | sort
}

for count in 10 10000; do
    for animate in 0 1; do
        folder="$(new_program_folder)"
        mkdir -p "$folder/Notes"
        "$build/bench/bench_make_notes" "$folder/Notes" "$count"
        write_settings "$folder" ShowOnTrayStart=0 AnimateIcon="$animate" EveryEnabled=0
        start_program "$folder" /QL
        wait_for 60 "$icon_shown" || fail "no tray icon"
        sleep 2 # let the start settle before counting
        c0=$(cpu_ticks "$PROGRAM_PID") s0=$(switches "$PROGRAM_PID") t0="$(thread_switches "$PROGRAM_PID")"
        sleep "$seconds"
        c1=$(cpu_ticks "$PROGRAM_PID") s1=$(switches "$PROGRAM_PID") t1="$(thread_switches "$PROGRAM_PID")"
        awk -v n="$count" -v a="$animate" -v c=$((c1 - c0)) -v s=$((s1 - s0)) -v t="$tick" -v d="$seconds" \
            'BEGIN {printf "%5d notes, animation %d: CPU %d ms (%.2f %%), %.2f wake-ups a second\n",
                    n, a, c * 1000 / t, c * 100 / t / d, s / d}'
        # Which thread wakes: the user-interface thread, Qt's X event reader, its D-Bus thread.
        join <(echo "$t0") <(echo "$t1") | awk -v d="$seconds" '{printf "      %-16s %.2f a second\n", $2, ($5 - $3) / d}'
        stop_program "$PROGRAM_PID"
    done
done
