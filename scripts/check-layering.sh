#!/usr/bin/env bash
# Fails when code outside platform/ and gui/ includes an operating-system, driver or toolkit header.
set -u
src=${1:?source folder}
pattern='#include[[:space:]]*<(unistd|fcntl|dirent|pwd|dlfcn|spawn|signal|poll|termios|iconv|uuid/uuid|sqlite3|sql|sqlext|pugixml|Q[A-Za-z]+|sys/[a-z_]+|linux/[a-z_]+)(\.h|\.hpp)?>'
hits=$(grep -rnE "$pattern" "$src" --include='*.h' --include='*.cpp' | grep -vE "^$src/(platform|gui)/" || true)
if [ -n "$hits" ]; then
  echo "System code must reach the operating system, drivers and Qt through platform/ only:"
  echo "$hits"
  exit 1
fi
echo "layering ok"
