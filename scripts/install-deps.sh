#!/usr/bin/env bash
# Installs the Debian 12 packages of scripts/debian-packages.txt that are missing; quiet and quick
# when all are present. Runs apt-get as root, through sudo for a normal user; a normal user
# without sudo gets the command to run as root instead.
# LUMIBO_DEPS_DRY_RUN=1 prints what would be run and installs nothing.
set -euo pipefail

# Another list may be named: make fuzz adds the packages only it needs.
list="${1:-$(dirname "$0")/debian-packages.txt}"
packages=()
while read -r line || [ -n "$line" ]; do
  line=${line%%#*}
  for p in $line; do packages+=("$p"); done
done <"$list"

# One dpkg-query for all: a package is present when its status says "install ok installed".
installed=$(dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null |
  awk '$2 == "install" && $3 == "ok" && $4 == "installed" { sub(/:.*/, "", $1); print $1 }' || true)
missing=()
for p in "${packages[@]}"; do
  grep -qxF "$p" <<<"$installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_cmd="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
run=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "install-deps: the packages ${missing[*]} are missing and only root can install them (sudo is not installed); as root, run: $install_cmd" >&2
    exit 1
  fi
  run=(sudo)
fi

echo "install-deps: installing ${missing[*]}"
if [ -n "${LUMIBO_DEPS_DRY_RUN:-}" ]; then
  prefix=${run[*]:+${run[*]} }
  echo "install-deps: would run: ${prefix}apt-get update; ${prefix}apt-get install -y --no-install-recommends ${missing[*]}"
  exit 0
fi
"${run[@]}" apt-get update -qq
"${run[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
