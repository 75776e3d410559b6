#!/usr/bin/env bash
# Installs every Debian package the project needs to build, run and test.
# Safe to run again: apt-get skips what is already there.
set -euo pipefail

packages=(
  g++ cmake make ninja-build pkg-config clang-format
  qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-5compat-dev
  qt6-image-formats-plugins libjpeg62-turbo libqt6svg6 qt6-translations-l10n
  libsqlite3-dev sqlite3 libicu-dev
  pxlib-dev fonts-liberation2
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  zbar-tools poppler-utils
  dpkg-dev desktop-file-utils
)

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -q </dev/null
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" </dev/null
