#!/usr/bin/env bash
# Start-up time and peak memory of pinvale3 against a plain Qt Widgets program, on a private X display.
#
#   bench/startup.sh [build folder] [runs]        (default: build-release, 9 runs)
#
# Each run starts the program in a fresh program folder and times exec -> its window mapped (told by the X
# server, to a tenth of a ms; bench_time_to_map), then reads its peak resident memory (VmHWM) and the CPU
# time its threads used by then (steadier than the wall time on a shared machine). Runs of pinvale3 and of
# the plain program alternate, so that a busy machine slows both alike. Prints medians, min-max and ratios for
# 0, 1,000 and 10,000 notes (at 0 also against the plain program showing a line of text), and the peak
# memory with 31 cascaded note windows open, with its kinds (backing stores, anonymous, file pages).
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
export PVL3_BENCH_RUNS="${PVL3_BENCH_RUNS:-${2:-9}}"
runs="$PVL3_BENCH_RUNS"
# shellcheck source=bench/desktop.sh
source "$here/desktop.sh"
on_desktop "$here/startup.sh" "${1:-build-release}" 1800

# CPU time of all of a process's threads so far, in ms (from the scheduler's nanosecond counts).
cpu_ms() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ns += $1} END {printf "%d", ns / 1e6}'; }

# time_start <title> <command...>: prints "<ms to mapped> <peak KiB> <CPU ms>", leaves the program stopped.
# The X server tells bench_time_to_map when the window is mapped: nothing polls, so the program has the
# machine to itself, as on a desktop.
time_start() {
    local title="$1" ms pid kib cpu
    shift
    read -r ms pid < <("$build/bench/bench_time_to_map" "$title" 30000 "$@" 2>/dev/null) || true
    [[ "${pid:-}" =~ ^[0-9]+$ ]] || { echo "failed"; return 1; }
    kib=$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")
    cpu=$(cpu_ms "$pid")
    kill -9 "$pid" 2>/dev/null
    echo "$ms $kib $cpu"
}

# kinds <pid>: its resident memory by kind, in KiB: "<shared (backing stores)> <anonymous> <file pages>".
kinds() { awk '/^RssShmem/ {s = $2} /^RssAnon/ {a = $2} /^RssFile/ {f = $2} END {print s, a, f}' "/proc/$1/status"; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {print a / b}'; }

# stats <numbers...>: median min max
stats() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)], a[1], a[NR]}'; }

folder_with() { # a program folder holding <count> notes in Notes/
    local folder
    folder="$(new_program_folder)"
    mkdir -p "$folder/Notes"
    # No damaged notes here: the message that names them would hold the start up until answered.
    [ "$1" -gt 0 ] && "$build/bench/bench_make_notes" "$folder/Notes" "$1" "" 0
    echo "$folder"
}

for count in 0 1000 10000; do
    folder="$(folder_with "$count")"
    p_ms=() p_kib=() q_ms=() q_kib=() p_cpu=() q_cpu=() t_ms=() t_kib=() t_cpu=()
    for ((i = 0; i < runs; i++)); do
        rm -f "$folder/TrayLock.dat" "$folder/PVL3.dat"
        read -r ms kib cpu < <(time_start "Pinvale 3: ManageNotes" "$folder/pinvale3")
        [[ "$ms" =~ ^[0-9.]+$ ]] || fail "pinvale3 did not show its window ($ms)"
        p_ms+=("$ms") p_kib+=("$kib") p_cpu+=("$cpu")
        read -r ms kib cpu < <(time_start "Minimal Qt" "$build/bench/bench_minimal_qt")
        [[ "$ms" =~ ^[0-9.]+$ ]] || fail "the plain program did not show its window ($ms)"
        q_ms+=("$ms") q_kib+=("$kib") q_cpu+=("$cpu")
        if [ "$count" -eq 0 ]; then
            read -r ms kib cpu < <(time_start "Minimal Qt" "$build/bench/bench_minimal_qt" --text)
            [[ "$ms" =~ ^[0-9.]+$ ]] || fail "the plain program with text did not show its window ($ms)"
            t_ms+=("$ms") t_kib+=("$kib") t_cpu+=("$cpu")
        fi
    done
    read -r pm pmin pmax < <(stats "${p_ms[@]}")
    read -r qm qmin qmax < <(stats "${q_ms[@]}")
    read -r pk _ _ < <(stats "${p_kib[@]}")
    read -r qk _ _ < <(stats "${q_kib[@]}")
    read -r pc _ _ < <(stats "${p_cpu[@]}")
    read -r qc _ _ < <(stats "${q_cpu[@]}")
    printf '%6d notes: pinvale3 %5.1f ms (%.1f-%.1f), plain Qt %5.1f ms (%.1f-%.1f), ratio %.2f x; peak %d KiB vs %d KiB, %.2f x; CPU %d ms vs %d ms, %.2f x\n' \
        "$count" "$pm" "$pmin" "$pmax" "$qm" "$qmin" "$qmax" "$(ratio "$pm" "$qm")" "$pk" "$qk" \
        "$(ratio "$pk" "$qk")" "$pc" "$qc" "$(ratio "$pc" "$qc")"
    if [ "$count" -eq 0 ]; then
        read -r tm tmin tmax < <(stats "${t_ms[@]}")
        read -r tk _ _ < <(stats "${t_kib[@]}")
        read -r tc _ _ < <(stats "${t_cpu[@]}")
        printf '         plain Qt with a line of text %5.1f ms (%.1f-%.1f), pinvale3 %.2f x that; peak %d KiB, %.2f x; CPU %d ms, %.2f x\n' \
            "$tm" "$tmin" "$tmax" "$(ratio "$pm" "$tm")" "$tk" "$(ratio "$pk" "$tk")" "$tc" "$(ratio "$pc" "$tc")"
    fi
done

# The manager and 31 cascaded note windows: ShowNotes at the tray's start.
folder="$(folder_with 100)"
write_settings "$folder" ShowOnTrayStart=1 Arrangement=1 TrayOnlyEnabled=0 TrayWhich=1
peaks=()
for ((i = 0; i < runs; i++)); do
    rm -f "$folder/TrayLock.dat"
    "$folder/pinvale3" >/dev/null 2>&1 &
    pid=$!
    wait_for 60 eval '[ "$(xdotool search --onlyvisible --pid '"$pid"' 2>/dev/null | wc -l)" -ge 32 ]' || exit 1
    peaks+=("$(awk '/VmHWM/ {print $2}' "/proc/$pid/status")")
    read -r ps pa pf < <(kinds "$pid") # the peak is the end state: nothing freed since
    kill -9 "$pid"
    wait "$pid" 2>/dev/null
done
read -r pk _ _ < <(stats "${peaks[@]}")
printf 'manager + 31 note windows: peak %d KiB, %.2f x the plain program\n' "$pk" "$(ratio "$pk" "$qk")"
read -r _ pid < <("$build/bench/bench_time_to_map" "Minimal Qt" 30000 "$build/bench/bench_minimal_qt" 2>/dev/null)
[[ "${pid:-}" =~ ^[0-9]+$ ]] || fail "the plain program did not show its window"
read -r qs qa qf < <(kinds "$pid")
kill -9 "$pid" 2>/dev/null
printf '  by kind, pinvale3 (last run) / plain program: backing stores %d / %d KiB, anonymous %d / %d KiB, file pages %d / %d KiB\n' \
    "$ps" "$qs" "$pa" "$qa" "$pf" "$qf"
