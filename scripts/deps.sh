#!/usr/bin/env bash
# Installs every Debian 12 package pofscope needs to build, run and test, and generates the
# de_DE.UTF-8 locale the locale run of the tests uses. Safe to run again.
set -euo pipefail

packages=(
    build-essential cmake ninja-build   # compiler, build
    qt6-base-dev fonts-dejavu-core      # Qt 6 Widgets (pulls in the GL headers), a font
    fonts-symbola                       # draws the visible NUL symbol in file texts
    libqt6opengl6-dev                   # the Model View's QOpenGLWidget
    libgl1-mesa-dri xvfb xauth          # software OpenGL under a virtual X server (GL tests)
    libgtest-dev libgmock-dev           # unit and Qt tests
    libbenchmark-dev time               # benchmarks; /usr/bin/time for peak memory
    nlohmann-json3-dev                  # pofdump --json
    libjpeg-dev                         # libjpeg-turbo: JPEG textures
    libpng-dev                          # libpng: PNG textures
    libstb-dev                          # stb_image_write: --png pictures; the sample's
                                        # DXT and PNG textures are written with stb_dxt, stb_image_write
    clang libclang-rt-14-dev llvm       # libFuzzer, sanitizer runtimes, llvm-symbolizer
    locales                             # locale-gen
    git                                 # the git diff round trip through pofdump --all
    dpkg-dev file                       # cpack -G DEB: dpkg-shlibdeps finds the Qt packages
    desktop-file-utils appstream        # check the desktop entry and the metainfo
    libxml2-utils shared-mime-info      # check the MIME type
)

as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null; then
        sudo "$@"
    else
        echo "deps.sh: run as root or install sudo" >&2
        exit 1
    fi
}

as_root env DEBIAN_FRONTEND=noninteractive apt-get update
as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${packages[@]}"

if ! locale -a 2>/dev/null | grep -qix 'de_DE\.utf-\?8'; then
    if grep -q '^# *de_DE.UTF-8 UTF-8' /etc/locale.gen; then
        as_root sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen; then
        echo 'de_DE.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    fi
    as_root locale-gen
fi
