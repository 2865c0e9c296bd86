#!/usr/bin/env bash
# User-space instructions of a start, counted by callgrind: a figure that does not swing with a busy
# machine, unlike times. Counts pinvale3 with 0 notes from exec to its window mapped and painted, against
# the plain Qt program with and without a line of text, and `pvl3 list` / `due` on 10,000 notes (whose
# cost is mostly the kernel's, which callgrind does not count: see bench_read_floor for that part).
#
#   bench/instructions.sh [build folder] [runs]     (default: build-release, 3 runs; needs valgrind)
set -u
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
command -v valgrind >/dev/null || { echo "instructions.sh needs valgrind (apt-get install valgrind)" >&2; exit 2; }
export PVL3_BENCH_RUNS="${PVL3_BENCH_RUNS:-${2:-3}}"
runs="$PVL3_BENCH_RUNS"
# shellcheck source=bench/desktop.sh
source "$here/desktop.sh"
on_desktop "$here/instructions.sh" "${1:-build-release}" 1800
out="$(mktemp -d)"

# totals <callgrind file>: the instructions it counted, in millions.
totals() { awk '/^(summary|totals):/ {printf "%.1f", $2 / 1e6; exit}' "$1"; }

# count_start <title> <command...>: millions of instructions from exec to the window mapped, painted (the
# paint follows the map; a few quiet seconds let it finish) and the program ended.
count_start() {
    local title="$1" file="$out/start.$RANDOM" pid
    shift
    read -r _ pid < <("$build/bench/bench_time_to_map" "$title" 120000 \
        "$(command -v valgrind)" --tool=callgrind --callgrind-out-file="$file" "$@" 2>/dev/null) || true
    [[ "${pid:-}" =~ ^[0-9]+$ ]] || { echo "failed"; return 1; }
    sleep 3
    kill -TERM "$pid"
    wait_for 60 test -s "$file" || { echo "failed"; return 1; }
    while kill -0 "$pid" 2>/dev/null; do sleep 0.2; done # the counts are written as it ends
    totals "$file"
}

# count_tool <arguments...>: millions of instructions of one pvl3 run.
count_tool() {
    local file="$out/tool.$RANDOM"
    valgrind --tool=callgrind --callgrind-out-file="$file" "$build/pvl3" "$@" >/dev/null 2>&1 || return 1
    totals "$file"
}

median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", a / b}'; }

folder="$(new_program_folder)"
mkdir -p "$folder/Notes"
p=() q=() t=()
for ((i = 0; i < runs; i++)); do
    rm -f "$folder/TrayLock.dat" "$folder/PVL3.dat"
    p+=("$(count_start "Pinvale 3: ManageNotes" "$folder/pinvale3")")
    q+=("$(count_start "Minimal Qt" "$build/bench/bench_minimal_qt")")
    t+=("$(count_start "Minimal Qt" "$build/bench/bench_minimal_qt" --text)")
done
for n in "${p[@]}" "${q[@]}" "${t[@]}"; do [[ "$n" =~ ^[0-9.]+$ ]] || fail "a start was not counted (${p[*]} / ${q[*]} / ${t[*]})"; done
pm=$(median "${p[@]}") qm=$(median "${q[@]}") tm=$(median "${t[@]}")
printf 'start, 0 notes: pinvale3 %s M instructions (%s), plain Qt %s M (%s), %s x; with a line of text %s M (%s), %s x\n' \
    "$pm" "${p[*]}" "$qm" "${q[*]}" "$(ratio "$pm" "$qm")" "$tm" "${t[*]}" "$(ratio "$pm" "$tm")"

folder="$(new_program_folder)"
mkdir -p "$folder/Notes"
"$build/bench/bench_make_notes" "$folder/Notes" 10000 "" 0
for command in list due; do
    printf 'pvl3 %s, 10,000 notes: %s M instructions\n' "$command" "$(count_tool --program-folder "$folder" "$command")"
done
rm -rf "$out"
exit 0
