#!/usr/bin/env bash
# Installs what building, testing and running need from Debian 12.
# Idempotent: it does nothing slow when everything is present.
set -euo pipefail

PACKAGES=(
  build-essential cmake ccache pkg-config
  qtbase5-dev libqt5opengl5-dev libqt5svg5-dev qttools5-dev qttools5-dev-tools qttranslations5-l10n
  libopenscenegraph-dev openscenegraph
  libqcustomplot-dev rapidjson-dev libminizip-dev zlib1g-dev
  libgtest-dev
  libfcl-dev
  xvfb xauth libgl1-mesa-dri x11-utils xdotool imagemagick
  fonts-noto-cjk
  unzip python3 locales
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
