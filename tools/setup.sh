#!/usr/bin/env bash
# Installs every Debian 12 package the project needs to build, run and test, or
# only the packages named as arguments. Idempotent and non-interactive; says
# nothing when everything is already present.
set -euo pipefail

packages=(
  # toolchain
  build-essential cmake pkg-config clang-format
  # Qt 5.15: Core, Gui, Widgets, Network, Sql (+ SQLite driver), Script, Test
  qtbase5-dev qtbase5-dev-tools libqt5sql5-sqlite qtscript5-dev
  # image engine and services
  libopencv-core-dev libopencv-imgproc-dev
  libquazip1-qt5-dev zlib1g-dev libqrencode-dev libzxing-dev libssl-dev
  tesseract-ocr tesseract-ocr-eng tesseract-ocr-chi-sim
  # platform layer: X11 input, capture, shared-memory grabs, gamma; ALSA
  libx11-dev libxext-dev libxtst-dev libxrandr-dev libasound2-dev
  # the Windows backend: cross compiler, and Wine to run its tests (tools/windows-check.sh)
  g++-mingw-w64-x86-64 wine64 xdotool
  # tests and benchmarks
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth unzip zip sqlite3 openssl python3 binutils
  # keyboard layouts of the recorder tests (setxkbmap)
  x11-xkb-utils xkb-data
  # fonts so that widgets and OCR fixtures render text (Symbola: symbols such as the
  # catalogue's camera, which the CJK and Latin fonts lack)
  fonts-dejavu-core fonts-wqy-microhei fonts-symbola
)
[ $# -gt 0 ] && packages=("$@")

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
  command -v sudo >/dev/null || { echo "setup: run as root (or install sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo=sudo
fi
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
