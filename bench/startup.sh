#!/usr/bin/env bash
# Start-up time of Lumibo against a bare Qt Widgets program, under Xvfb: from process start
# to the first top-level window being mapped (seen as a MapNotify on the root window), nine
# runs each, alternating; and each one's resident memory 5 s after mapping. The bare program runs
# at the window scale Lumibo chooses for the screen (the same QT_SCALE_FACTOR), so both draw the
# same number of pixels. Prints the ratios of the medians, Lumibo's to the bare program's.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
runs=${RUNS:-9}
for tool in Xvfb xev; do
  command -v "$tool" >/dev/null || { echo "startup.sh: $tool is missing (make test installs it)"; exit 1; }
done
[ -x "$build/lumibo" ] && [ -x "$build/bare-qt" ] && [ -x "$build/bench/window-scale" ] ||
  { echo "startup.sh: build first (make test)"; exit 1; }

# Scratch files and the runtime folder in memory, as a desktop session has them.
work=$(mktemp -d -p "$( [ -d /dev/shm ] && [ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")")
display=:$((90 + RANDOM % 9))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
cleanup() { kill "$xvfb" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
export DISPLAY=$display
export XDG_RUNTIME_DIR=$work
unset QT_QPA_PLATFORM
for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
# The scale Lumibo picks on this screen (unless LUMIBO_SCALE or QT_SCALE_FACTOR is given); the
# bare program gets it as QT_SCALE_FACTOR.
scale=$("$build/bench/window-scale")
echo "window scale: $scale ($(xdpyinfo | sed -n 's/^ *dimensions: *\([0-9x]*\).*/\1/p'))"

# Prints "<ms to map> <rss KiB>" for one start of the program.
measure() {
  local prog=$1 fifo=$work/events
  local -a env=()
  [ "$prog" = bare-qt ] && [ -z "${LUMIBO_SCALE:-}" ] && [ -z "${QT_SCALE_FACTOR:-}" ] && env=(QT_SCALE_FACTOR="$scale")
  rm -f "$fifo"; mkfifo "$fifo"
  xev -root -event substructure >"$fifo" 2>/dev/null &
  local xev_pid=$!
  exec 3<"$fifo"
  sleep 0.3 # xev is listening before the program starts
  local t0 t1 line
  t0=$(date +%s%N)
  (cd "$build" && exec env "${env[@]}" "./$prog") >/dev/null 2>&1 &
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
awk -v a="$(median "${lumibo_ms[@]}")" -v b="$(median "${bare_ms[@]}")" \
  -v c="$(median "${lumibo_rss[@]}")" -v d="$(median "${bare_rss[@]}")" \
  'BEGIN {printf "time ratio=%.2f (goal at most 1.10)  memory ratio=%.2f (goal at most 1.20)\n", a / b, c / d}'
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
