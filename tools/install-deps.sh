#!/usr/bin/env bash
# Installs the Debian packages Vosmira needs to build, run and test.
# Packages that are already present are skipped, so a second run is quick.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-base-dev-tools
  libjpeg62-turbo-dev
  qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
  qtkeychain-qt6-dev trustedqsl
  curl fonts-dejavu-core fonts-liberation
  # the country file (also at run time); the flag drawings the tests compare
  hamradio-files iso-flags-svg
  xvfb xauth xdotool poppler-utils openbox x11-utils
  python3
  desktop-file-utils appstream dpkg-dev lintian
)
if [ "${1:-}" = "--bench" ]; then
  packages+=(libbenchmark-dev libxcb1-dev)
fi
# Rendering the flag pictures anew (tools/flags/render-flags.sh).
if [ "${1:-}" = "--flags" ]; then
  packages+=(librsvg2-bin netpbm libjpeg-turbo-progs)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ "${#missing[@]}" -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
