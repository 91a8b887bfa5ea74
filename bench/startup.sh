#!/usr/bin/env bash
# Start-up time of Lumibo against a bare Qt Widgets program, under Xvfb: from process start
# to the first top-level window being mapped (seen as a MapNotify on the root window), five
# runs each, alternating; and each one's resident memory 5 s after mapping.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-5}
for tool in Xvfb xev; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing (make test installs it)"; exit 1; }
done
[ -x "$build/lumibo" ] && [ -x "$build/bare-qt" ] || { echo "startup.sh: build first (make test)"; exit 1; }

work=$(mktemp -d)
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export DISPLAY=$display
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done

# Prints "<ms to map> <rss KiB>" for one start of the program.
measure() {
  local prog=$1 fifo=$work/events
  rm -f "$fifo"; mkfifo "$fifo"
  xev -root -event substructure >"$fifo" 2>/dev/null &
  local xev_pid=$!
  exec 3<"$fifo"
  sleep 0.3 # xev is listening before the program starts
  local t0 t1 line
  t0=$(date +%s%N)
  (cd "$build" && exec "./$prog") >/dev/null 2>&1 &
  local pid=$!
  while IFS= read -r line <&3; do
    case "$line" in MapNotify*) break ;; esac
  done
  t1=$(date +%s%N)
  exec 3<&-
  kill "$xev_pid" 2>/dev/null || true
  sleep 5
  local rss
  rss=$(ps -o rss= -p "$pid" | tr -d ' ')
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  echo "$(( (t1 - t0) / 1000000 )) $rss"
}

lumibo_ms=(); bare_ms=(); lumibo_rss=(); bare_rss=()
for i in $(seq "$runs"); do
  read -r ms rss < <(measure lumibo); lumibo_ms+=("$ms"); lumibo_rss+=("$rss")
  read -r ms rss < <(measure bare-qt); bare_ms+=("$ms"); bare_rss+=("$rss")
  echo "run $i: lumibo ${lumibo_ms[-1]} ms ${lumibo_rss[-1]} KiB, bare ${bare_ms[-1]} ms ${bare_rss[-1]} KiB"
done

stats() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {printf "min=%d median=%d max=%d", a[1], a[int((NR+1)/2)], a[NR]}'; }
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }
echo "lumibo ms: $(stats "${lumibo_ms[@]}")  rss KiB: $(stats "${lumibo_rss[@]}")"
echo "bare   ms: $(stats "${bare_ms[@]}")  rss KiB: $(stats "${bare_rss[@]}")"
awk -v a="$(median "${lumibo_ms[@]}")" -v b="$(median "${bare_ms[@]}")" 'BEGIN {printf "ratio=%.2f\n", a / b}'
