#!/usr/bin/env bash
# Installs the Debian packages Orvel needs, only those that are missing.
# Quiet when everything is there; runs `apt-get update` only before an install.
set -euo pipefail

packages=(
  # build
  build-essential cmake ninja-build ccache pkg-config clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  # libraries
  libsqlite3-dev libzip-dev libpugixml-dev zlib1g-dev libdeflate-dev libexpat1-dev
  libfontconfig-dev libfreetype-dev libharfbuzz-dev libgtk-3-dev
  # fonts the layout measures with (metric-compatible with Arial, Times New Roman, Courier New)
  fonts-liberation fonts-liberation2 fontconfig
  # checking what we write: the package validator, LibreOffice, poppler
  python3 libxml2-utils libreoffice-impress libreoffice-writer poppler-utils zip unzip
  # the binary .ppt writer's compound file, and a second reader of what it writes
  libgsf-1-dev libapache-poi-java openjdk-17-jdk-headless
  # the property page under a virtual display
  xvfb xauth imagemagick xdotool
)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "setup: installing ${missing[*]}"
sudo=""
if [[ $(id -u) -ne 0 ]]; then
  command -v sudo >/dev/null || { echo "setup: need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
if ! { $sudo apt-get update -qq && $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } >"$log" 2>&1; then
  tail -n 30 "$log" >&2
  echo "setup: apt-get failed (full log: $log)" >&2
  exit 1
fi
rm -f "$log"
echo "setup: done"
