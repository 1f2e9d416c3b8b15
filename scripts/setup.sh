#!/usr/bin/env bash
# Installs the Debian packages that are missing, then configures and builds into build/.
# The programs and the files they need at run time end up in build/bin/.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsqlite3-dev sqlite3 libcurl4-openssl-dev
  qt6-base-dev qt6-webengine-dev libgl-dev
  opencc unicode-data python3 python3-pil
  fonts-noto-cjk xvfb xauth
)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends \
    "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQINGHE_WERROR=ON >/dev/null
cmake --build build -j "$(nproc)"
