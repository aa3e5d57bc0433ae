#!/usr/bin/env bash
# Measures the real display cycle: runs build/korvan against build/korvan-sim
# for a while with a given pause and reports the request period the
# stand-in saw and the program's CPU time per cycle.
# Usage: bench/cycle-period.sh [seconds=20] [sleep-ms=100] [port=6061]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
pause=${2:-100}
port=${3:-6061}
address=127.0.0.61
build=$(pwd)/build
run=$(mktemp -d)
trap 'kill $sim $korvan 2>/dev/null || true; rm -rf "$run"' EXIT

printf '[DCS]\nPort=6060\nIP=%s\nSleep=%s\nCountdown=30\nAltitude=1000\nSpeed=400\n' \
  "$address" "$pause" >"$run/LCD_Korvan.ini"
"$build/korvan-sim" --bind "$address" --port 6060 2>"$run/sim.log" &
sim=$!
sleep 0.3
(cd "$run" && LCD_VIRTUAL_HTTP=off exec "$build/korvan") &
korvan=$!
sleep "$seconds"

ticks=$(getconf CLK_TCK)
read -r utime stime < <(awk '{print $14, $15}' "/proc/$korvan/stat")
kill -INT $korvan
wait $korvan || true
kill -INT $sim
wait $sim || true

fast=$(grep -o 'answered [0-9]* fast' "$run/sim.log" | tail -1 | awk '{print $2}')
periods=$(grep -o 'request period [0-9.]*' "$run/sim.log" | awk 'NR>1 {print $3}')
mean=$(echo "$periods" | awk '{s+=$1; n++} END {if (n) printf "%.2f", s/n}')
low=$(echo "$periods" | sort -n | head -1)
high=$(echo "$periods" | sort -n | tail -1)
cpu_ms=$(( (utime + stime) * 1000 / ticks ))
echo "pause ${pause} ms, expected period $((pause + 20)) ms"
echo "cycles ${fast} in ${seconds} s; request period mean ${mean} ms (per-second range ${low}..${high})"
echo "CPU ${cpu_ms} ms in total, $(awk -v c="$cpu_ms" -v n="$fast" 'BEGIN {printf "%.3f", c / n}') ms per cycle"
