# Sourced by scripts/run and scripts/test: installs the Debian packages that are missing, and only those.
PVL3_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 libxcb1-dev libxcb-render0-dev
    clang-format qt6-qpa-plugins libgl-dev libwmf-dev libemf2svg-dev fonts-dejavu-core fonts-urw-base35
    xvfb xauth openbox trayer tint2 xdotool imagemagick x11-utils python3 e2fsprogs libbenchmark-dev
    librsvg2-bin desktop-file-utils appstream dpkg-dev file bash-completion man-db
    xfce4-panel dbus-daemon dbus-bin weston qt6-wayland
    clang libclang-rt-14-dev)

pvl3_install_missing() {
    local missing=()
    for pkg in "${PVL3_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
}

# pvl3_build <dir> <build type> [targets...]: all targets when none are named.
pvl3_build() {
    local dir="$1" type="$2"
    shift 2
    cmake -S "$PVL3_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" >/dev/null
    cmake --build "$dir" -j "$(nproc)" ${1:+--target "$@"}
}
