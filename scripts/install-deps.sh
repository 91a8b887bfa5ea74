#!/usr/bin/env bash
# Installs the Debian 12 packages Lumibo needs to build, test and run; skips what is present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6sql6-sqlite qt6-qpa-plugins libgl-dev
  libespeak-ng-dev espeak-ng-data libsndfile1-dev
  libsqlite3-dev sqlite3
  libbenchmark-dev libgtest-dev
  fonts-wqy-zenhei fonts-arphic-ukai
  xvfb xauth x11-utils
  unicode-data bzip2
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  sudo_cmd=(sudo)
fi
"${sudo_cmd[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
