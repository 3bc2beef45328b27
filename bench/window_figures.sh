#!/usr/bin/env bash
# The simulator's window on a virtual display:
#  - from outside the program, the share of a core it uses with the finder open and no input
#    (built-in satellite receiver; the readings still move with the signal model's jitter,
#    so the finder's widgets and the panel's chart change at every refresh), and the same for
#    the X server;
#  - from outside, the refresh period in the window on the terrestrial profile: its refresh
#    writes a log line, and strace stamps each write (strace stops the program at every system
#    call, which makes some periods late by itself). The timer and its re-arming are the same
#    in both modes;
#  - from inside, the measurement mode in the window (--measure SECONDS): refresh period,
#    delays, tone, frames, CPU and memory while the dish moves.
#   bash bench/window_figures.sh [BUILD_DIR [SECONDS]]     (default: build/release, 30)
# Needs Xvfb and strace (Debian: xvfb, strace). Exits non-zero on failure.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
seconds=${2:-30}
sim=$build/vevovuvado-sim
settle=3
for tool in Xvfb strace; do
  if ! command -v $tool >/dev/null; then
    echo "window_figures: needs $tool" >&2
    exit 2
  fi
done
if [[ ! -x $sim ]]; then
  echo "window_figures: $sim is not built" >&2
  exit 2
fi

work=$(mktemp -d)
xvfb=
cleanup() {
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb=$!
for _ in $(seq 50); do
  [[ -s $work/display ]] && break
  sleep 0.1
done
export DISPLAY=:$(cat "$work/display")

# Starts the simulator's window with the given options; its pid in $window.
open_window() {
  "$sim" --log "$work/debug.log" "$@" >"$work/sim.out" 2>"$work/sim.err" &
  window=$!
  sleep $settle
  if ! kill -0 "$window" 2>/dev/null; then
    echo "window_figures: the simulator did not stay open:" >&2
    cat "$work/sim.err" >&2
    exit 1
  fi
}
# Closes it as Ctrl-C does: the finder's destructor runs.
close_window() {
  kill -INT "$window"
  wait "$window" || true
}

open_window
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
before=$(cpu_ticks "$window")
server_before=$(cpu_ticks "$xvfb")
started=$(date +%s.%N)
sleep "$seconds"
after=$(cpu_ticks "$window")
server_after=$(cpu_ticks "$xvfb")
ended=$(date +%s.%N)
close_window
awk -v a="$before" -v b="$after" -v xa="$server_before" -v xb="$server_after" -v t="$ticks" \
  -v s="$started" -v e="$ended" 'BEGIN {
  printf "idle window (satellite, no input): %.1f %% of a core over %.0f s (the X server %.1f %%)\n",
    100 * (b - a) / t / (e - s), e - s, 100 * (xb - xa) / t / (e - s) }'

open_window --profile profiles/terrestrial.json
timeout "$seconds" strace -ttt -e trace=write -p "$window" -o "$work/writes" 2>/dev/null || true
close_window
grep -E '"\[Beamseek\] SNR [0-9]+\\n"' "$work/writes" | awk '
  { t[n++] = $1 * 1000 }
  END {
    if (n < 3) { print "window_figures: too few refreshes seen" > "/dev/stderr"; exit 1 }
    for (i = 1; i < n; i++) d[i - 1] = t[i] - t[i - 1]
    m = n - 1
    # insertion sort: a few hundred periods at most
    for (i = 1; i < m; i++) { v = d[i]; for (j = i - 1; j >= 0 && d[j] > v; j--) d[j + 1] = d[j]; d[j + 1] = v }
    for (i = 0; i < m; i++) sum += d[i]
    p99 = int(0.99 * m); if (p99 >= m) p99 = m - 1
    printf "refresh period in the window (terrestrial): mean %.1f ms, p99 %.1f ms, max %.1f ms over %d periods\n", sum / m, d[p99], d[m - 1], m
  }'

echo "the measurement mode in the window:"
"$sim" --measure "$seconds" >"$work/measure.out" 2>"$work/measure.err" ||
  { cat "$work/measure.err" >&2; exit 1; }
grep -v -e '^vevovuvado-sim: measuring' "$work/measure.out"
