#!/usr/bin/env bash
# Installs every Debian package Tarnwick needs to build, test and run its demo.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config git clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  unixodbc-dev tdsodbc
  libpugixml-dev libsqlite3-dev uuid-dev
  xvfb xauth imagemagick
  fonts-liberation fonts-dejavu-core fonts-wine
)

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update
  $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The ODBC driver connects through the driver name "FreeTDS"; tdsodbc ships its entry but
# does not always register it.
if ! odbcinst -q -d -n FreeTDS >/dev/null 2>&1; then
  $sudo odbcinst -i -d -f /usr/share/tdsodbc/odbcinst.ini
fi
