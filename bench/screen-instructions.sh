#!/usr/bin/env bash
# Instructions to open each registered screen (create, load, first paint, leave), counted by
# callgrind over N opens after a first one: repeatable whatever else the machine is doing.
# Usage: bench/screen-instructions.sh [SCREEN ...]   (all screens by default; N=5)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
n=${N:-5}
bench=$build/bench/screenopen-bench
command -v valgrind >/dev/null || { echo "screen-instructions.sh: valgrind is missing"; exit 1; }
[ -x "$bench" ] || { echo "screen-instructions.sh: build first (make bench)"; exit 1; }
export QT_QPA_PLATFORM=offscreen
if [ $# -eq 0 ]; then
  mapfile -t screens < <("$bench" --benchmark_list_tests=true 2>/dev/null | sed -n 's|^open/||p')
else
  screens=("$@")
fi
out=$(mktemp)
trap 'rm -f "$out"' EXIT
printf '%-12s %14s\n' screen "Ir per open"
for s in "${screens[@]}"; do
  valgrind --tool=callgrind --toggle-collect='*openRepeatedly*' --callgrind-out-file="$out" \
    "$bench" --repeat "$s" "$n" >/dev/null 2>&1
  total=$(sed -n 's/^summary: //p' "$out")
  printf '%-12s %14d\n' "$s" $((total / n))
done
