#!/usr/bin/env bash
# The installed program: `cmake --install` lays out a desktop program whose files pass the desktop's own
# validators; cpack makes a .deb whose dependencies dpkg-shlibdeps found; the unpacked package runs.
#
#   bash tests/install/test_install.sh <build folder> <version>
set -euo pipefail
build="$(realpath "$1")"
version="$2"
id=org.pinvale.Pinvale3
scratch="$(mktemp -d "${TMPDIR:-/tmp}/pvl3-install.XXXXXX")"
trap 'rm -rf "$scratch"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}
check() {
    local message="$1"
    shift
    "$@" || fail "$message"
}

echo "--- cmake --install into a scratch root"
DESTDIR="$scratch/install" cmake --install "$build" >"$scratch/install.log" || fail "cmake --install failed"
prefix="$scratch/install$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build/CMakeCache.txt")"
autostart="$scratch/install$(sed -n 's/^PVL3_AUTOSTART_DIR:STRING=//p' "$build/CMakeCache.txt")"
[[ "$autostart" == "$scratch/install/"* ]] || autostart="$prefix/${autostart#"$scratch/install"}"
for f in bin/pinvale3 bin/pvl3 share/man/man1/pinvale3.1.gz share/man/man1/pvl3.1.gz \
    share/bash-completion/completions/pvl3 share/icons/hicolor/scalable/apps/$id.svg; do
    check "not installed: $f" test -s "$prefix/$f"
done
for size in 16 22 24 32 48 64 128 256; do
    png="$prefix/share/icons/hicolor/${size}x$size/apps/$id.png"
    check "icon $png is not a ${size}x$size PNG" grep -q "PNG image data, $size x $size," <(file "$png")
done

echo "--- validators"
desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "the launcher does not validate"
desktop-file-validate "$autostart/$id-autostart.desktop" || fail "the log-in entry does not validate"
said="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/pinvale3" 2>&1)" && fail "started without a display"
check "no plain word without a display: $said" grep -q "no display" <<<"$said"
check "the log-in entry does not start with /QL" grep -qx 'Exec=pinvale3 /QL' "$autostart/$id-autostart.desktop"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "the metainfo does not validate"
check "the metainfo's release is not $version" grep -q "<release version=\"$version\"" \
    "$prefix/share/metainfo/$id.metainfo.xml"
for page in pinvale3 pvl3; do
    warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)"
    check "man page $page has warnings: $warnings" test -z "$warnings"
done

if [ -f /usr/share/bash-completion/bash_completion ]; then
    echo "--- bash completion"
    mkdir "$scratch/notes" && touch "$scratch/notes/Shopping.nte" "$scratch/notes/other.txt"
    completions="$(cd "$scratch/notes" && bash -c '
        source /usr/share/bash-completion/bash_completion
        source "$1"
        complete_words() { # <label> <word>...: the words typed so far, the last one being completed
            local label="$1"; shift
            COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMP_LINE="$*"; COMP_POINT=${#COMP_LINE}; COMPREPLY=()
            _pvl3 pvl3; echo "$label: ${COMPREPLY[*]}"; }
        complete_words commands pvl3 en
        complete_words files pvl3 --program-folder . show ""
        complete_words options pvl3 due --' _ "$prefix/share/bash-completion/completions/pvl3")"
    echo "$completions"
    check "command completion" grep -qx 'commands: enable' <<<"$completions"
    check "note file completion" grep -qx 'files: Shopping.nte' <<<"$completions"
    check "option completion" grep -q '^options: .*--enabled-only' <<<"$completions"
fi

echo "--- cpack"
(cd "$scratch" && cpack -G DEB -B "$scratch/package" --config "$build/CPackConfig.cmake") >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log"; fail "cpack failed"; }
deb="$(ls "$scratch/package/"*.deb)"
basename "$deb"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
for lib in libqt6widgets6 libqt6multimedia6 libqt6svg6 libc6 fonts-dejavu-core; do
    check "the package does not depend on $lib" grep -q "$lib" <<<"$depends"
done
check "the log-in entry is not a conffile" grep -qx "/etc/xdg/autostart/$id-autostart.desktop" \
    <(dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles)
dpkg-deb -c "$deb" >"$scratch/contents"
for f in ./usr/bin/pinvale3 ./usr/bin/pvl3 ./etc/xdg/autostart/$id-autostart.desktop \
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/man/man1/pvl3.1.gz; do
    check "the package lacks $f" grep -q " $f\$" "$scratch/contents"
done
for module in pvl3_sound pvl3_pictures; do
    check "the package lacks the module $module" grep -q "/pinvale3/$module.so\$" "$scratch/contents"
done

echo "--- the unpacked package runs"
dpkg -x "$deb" "$scratch/root"
bin="$scratch/root/usr/bin"
export HOME="$scratch/home" XDG_DATA_HOME="$scratch/home/data" XDG_CONFIG_HOME="$scratch/home/config"
mkdir -p "$HOME"
out="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/pinvale3" --version)" || fail "pinvale3 --version failed"
check "pinvale3 --version printed \"$out\"" test "$out" = "Pinvale 3 $version"
out="$("$bin/pvl3" --help)" || fail "pvl3 --help failed"
check "pvl3 --help printed no usage" grep -q '^Usage: pvl3 ' <<<"$out"
check "pinvale3 --version wrote files" test -z "$(ls -A "$HOME/data" 2>/dev/null)"
# Installed, the tool keeps its notes in the per-user data folder, never beside the executable.
out="$("$bin/pvl3" new --text "Desk")" || fail "pvl3 new failed"
check "pvl3 wrote its note to $out" test "$out" = "$XDG_DATA_HOME/Pinvale/Pinvale 3/Notes/Desk.nte"
# The program itself starts (libraries, platform plugin) and ends on a command line it does not know.
QT_QPA_PLATFORM=offscreen timeout 60 "$bin/pinvale3" unknown || fail "the installed pinvale3 did not start and end"
check "the installed pinvale3 used another folder" test -s "$XDG_DATA_HOME/Pinvale/Pinvale 3/TrayLock.dat"
echo "PASS"
