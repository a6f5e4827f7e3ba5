#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when any is missing.
set -euo pipefail
packages=(
  # Build and test tools.
  cmake ninja-build g++ clang pkg-config googletest libgtest-dev libgmock-dev libbenchmark-dev
  # Libraries behind the platform stand-ins: drawing, text, XML, HTTP, windows, Unicode case
  # mapping.
  libcairo2-dev libpango1.0-dev libexpat1-dev libcurl4-openssl-dev libsdl2-dev libicu-dev
  # Fonts: the kit's Dosis faces, the display face behind its "Rocket" font, the fallback face.
  fonts-dosis fonts-play fonts-dejavu-core
  # A comma-decimal locale, so the tests can show that number text ignores the process locale.
  locales-all
  # The real-window tests; the clipboard tests speak to the X display themselves; a window
  # manager and the desktop's tools for those that hide and restore windows as a task bar does.
  xvfb xauth libx11-dev openbox xdotool wmctrl
  # The desktop's own launcher (gio), which the desktop-entry tests start entries with.
  libglib2.0-bin
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
