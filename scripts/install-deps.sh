#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need and
# that this machine does not have yet. Quiet and quick when nothing is missing.
set -euo pipefail

packages=(
  build-essential cmake pkg-config clang libclang-rt-dev
  libgtk-3-dev libfluidsynth-dev fluidsynth
  fonts-ipafont-gothic fluid-soundfont-gm timgm6mb-soundfont
  libgtest-dev googletest
  xvfb xauth xdotool wmctrl openbox x11-utils x11-apps imagemagick
  pulseaudio pulseaudio-utils sox
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
