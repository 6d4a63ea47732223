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

# One query for all: a package missing from dpkg's records is not listed at all.
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null | awk '/ install ok installed$/ {print $1}' || true)
missing=()
for p in "${PACKAGES[@]}"; do
  [[ $'\n'"$installed"$'\n' == *$'\n'"$p"$'\n'* ]] || missing+=("$p")
done

[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
