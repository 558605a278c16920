# Shared by the entry points in scripts/: paths, set-up, builds, Wine and the display.
# Sourced, never run.

QV_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QV_NATIVE_BUILD=$QV_ROOT/build/native
QV_WIN_BUILD=$QV_ROOT/build/win
QV_JOBS=$(nproc 2>/dev/null || echo 2)

qv_say() { printf '== %s\n' "$*" >&2; }

# Debian packages the build, the tests, the demo and the package need. fonts-wine holds
# Wine's own fonts, Marlett among them, which draws the glyphs of the windows' caption
# buttons; nsis gives makensis, which makes the setup program.
QV_PACKAGES=(cmake ninja-build g++ googletest clang-format mingw-w64 g++-mingw-w64-x86-64-posix
             wine wine64 xvfb x11-utils xdotool imagemagick locales fonts-wqy-zenhei fonts-wine
             nsis)

# Packages missing from QV_PACKAGES; none when all are installed.
qv_missing_packages() {
    local pkg
    for pkg in "${QV_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            printf '%s\n' "$pkg"
    done
}

# Installs what is missing and makes the locale; says what failed and returns 1 when a
# package or the locale is still missing afterwards.
qv_setup() {
    local missing
    mapfile -t missing < <(qv_missing_packages)
    if ((${#missing[@]})); then
        qv_say "installing: ${missing[*]}"
        export DEBIAN_FRONTEND=noninteractive
        apt-get update -qq || qv_say "apt-get update failed; trying the package lists there are"
        apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
        mapfile -t missing < <(qv_missing_packages)
        if ((${#missing[@]})); then
            qv_say "could not install: ${missing[*]} (this needs root and Debian's package sources)"
            return 1
        fi
    fi
    if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
        qv_say "generating the zh_CN.UTF-8 locale"
        sed -i 's/^# *\(zh_CN.UTF-8 UTF-8\)/\1/' /etc/locale.gen
        grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen
        locale-gen >/dev/null
        if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
            qv_say "could not generate the zh_CN.UTF-8 locale (this needs root)"
            return 1
        fi
    fi
}

qv_build_native() {
    cmake -S "$QV_ROOT" -B "$QV_NATIVE_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DQV_SANITIZE=ON >/dev/null
    cmake --build "$QV_NATIVE_BUILD" -j "$QV_JOBS"
}

qv_build_win() {
    cmake -S "$QV_ROOT" -B "$QV_WIN_BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_TOOLCHAIN_FILE="$QV_ROOT/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$QV_WIN_BUILD" -j "$QV_JOBS"
}

# Wine runs in a project-local prefix with a Chinese locale, so the ANSI code page is GBK.
qv_wine_env() {
    export WINEPREFIX=$1
    export WINEARCH=win64
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
}

qv_wine_prefix_init() {
    mkdir -p "$WINEPREFIX"
    wineboot -i >/dev/null 2>&1 || true
    qv_wine_fonts
    wineserver -w
}

# The forms' font 宋体 (SimSun) is not part of Wine; the Sharp face of the installed CJK
# font draws its small sizes right, where Wine's own pick loses strokes. The process
# list's fixed-pitch 新宋体 (NSimSun) becomes the same font's Mono face, whose Latin
# letters are half as wide as its CJK characters, as in NSimSun.
#
# The caption buttons are drawn with Wine's own Marlett, which Debian ships in fonts-wine
# under /usr/share/wine/fonts; Debian's Wine 8 misses that folder, so the prefix's own
# Fonts folder, which Wine always reads, gets a copy.
qv_wine_fonts() {
    local key='HKCU\Software\Wine\Fonts\Replacements' name
    for name in 宋体 SimSun; do
        wine reg add "$key" /v "$name" /d "WenQuanYi Zen Hei Sharp" /f >/dev/null 2>&1
    done
    for name in 新宋体 NSimSun; do
        wine reg add "$key" /v "$name" /d "WenQuanYi Zen Hei Mono" /f >/dev/null 2>&1
    done
    local fonts="$WINEPREFIX/drive_c/windows/Fonts"
    if [ -e /usr/share/wine/fonts/marlett.ttf ]; then
        mkdir -p "$fonts" && cp -f /usr/share/wine/fonts/marlett.ttf "$fonts/"
    fi
}

# Starts a virtual display unless one is given; sets DISPLAY and QV_XVFB_PID.
qv_virtual_display() {
    local n
    for n in $(seq 91 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
        QV_XVFB_PID=$!
        export DISPLAY=":$n"
        # Another run may have taken the same number a moment ago: only a display of our
        # own server counts.
        for _ in $(seq 1 100); do
            kill -0 "$QV_XVFB_PID" 2>/dev/null || break
            if xdpyinfo >/dev/null 2>&1; then
                sleep 0.3  # a server that lost the lock is gone by now
                kill -0 "$QV_XVFB_PID" 2>/dev/null && return 0
                break
            fi
            sleep 0.1
        done
        kill "$QV_XVFB_PID" 2>/dev/null
    done
    qv_say "could not start a virtual display"
    return 1
}
