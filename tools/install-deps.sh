#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing kz7 need.
# Only missing packages are installed; uses sudo when not run as root.
set -euo pipefail

PACKAGES=(
  build-essential cmake pkg-config dpkg-dev
  clang libclang-rt-14-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libudev-dev libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas nlohmann-json3-dev libcli11-dev dbus-daemon
  qt6-base-dev qt6-base-dev-tools libgl-dev
  fonts-dejavu-core fonts-noto-cjk fonts-liberation2
  xvfb xdotool x11-utils imagemagick trayer
  groff-base man-db zsh
  debhelper lintian desktop-file-utils appstream git
  python3-jsonschema
)

missing=()
for package in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=(); else SUDO=(sudo); fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update -qq
"${SUDO[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
