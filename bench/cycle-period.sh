#!/usr/bin/env bash
# Measures the real display cycle: runs the program against build/korvan-sim
# for a while with a given pause and reports the request period the
# stand-in saw and the program's CPU time per cycle.
# Usage: bench/cycle-period.sh [seconds=20] [sleep-ms=100]
# CYCLE_TARGET=win64 measures build-win64/korvan.exe under Wine instead
# (the stand-in then listens on 127.0.0.1:6060, where Wine's sockets see it).
# The program always asks port 6060, so there is no port to choose.
set -euo pipefail
if (($# > 2)); then
  echo "usage: bench/cycle-period.sh [seconds=20] [sleep-ms=100]" >&2
  exit 2
fi
cd "$(dirname "$0")/.."
seconds=${1:-20}
pause=${2:-100}
target=${CYCLE_TARGET:-linux}
build=$(pwd)/build
run=$(mktemp -d)
address=127.0.0.61
program=("$build/korvan")
stop_program() { kill -INT "$korvan"; }
if [[ $target == win64 ]]; then
  address=127.0.0.1
  export WINEPREFIX=$(pwd)/build-win64/wine-prefix WINEDEBUG=-all
  mkdir -p "$WINEPREFIX"
  wineserver -p
  wineboot -i >/dev/null 2>&1
  program=(wine "$(pwd)/build-win64/korvan.exe")
  # The virtual LCD named outright, whatever a test left in the prefix's registry.
  export KORVAN_LCD_SERVICE=$(winepath -w "$(pwd)/build-win64/lcd-virtual.dll" 2>/dev/null)
  stop_program() { wine "$(pwd)/build-win64/korvan.exe" --stop >/dev/null 2>&1 || true; }
fi
trap 'kill $sim $korvan 2>/dev/null || true; rm -rf "$run"; [[ $target != win64 ]] || wineserver -k' EXIT

printf '[DCS]\nPort=6060\nIP=%s\nSleep=%s\nCountdown=30\nAltitude=1000\nSpeed=400\n' \
  "$address" "$pause" >"$run/LCD_Korvan.ini"
"$build/korvan-sim" --bind "$address" --port 6060 2>"$run/sim.log" &
sim=$!
sleep 0.3
(cd "$run" && LCD_VIRTUAL_HTTP=off exec "${program[@]}") &
korvan=$!
sleep "$seconds"

# The process that runs the program: the shell's child here, Wine's
# process of the same name under Wine.
cpu_pid=$korvan
if [[ $target == win64 ]]; then cpu_pid=$(pgrep -f 'korvan.exe' | head -1); fi
ticks=$(getconf CLK_TCK)
read -r utime stime < <(awk '{print $14, $15}' "/proc/$cpu_pid/stat")
stop_program
wait $korvan || true
kill -INT $sim
wait $sim || true

fast=$(grep -o 'answered [0-9]* fast' "$run/sim.log" | tail -1 | awk '{print $2}')
periods=$(grep -o 'request period [0-9.]*' "$run/sim.log" | awk 'NR>1 {print $3}')
mean=$(echo "$periods" | awk '{s+=$1; n++} END {if (n) printf "%.2f", s/n}')
low=$(echo "$periods" | sort -n | head -1)
high=$(echo "$periods" | sort -n | tail -1)
cpu_ms=$(( (utime + stime) * 1000 / ticks ))
echo "$target: pause ${pause} ms, expected period $((pause + 20)) ms"
echo "cycles ${fast} in ${seconds} s; request period mean ${mean} ms (per-second range ${low}..${high})," \
  "ratio $(awk -v m="$mean" -v e="$((pause + 20))" 'BEGIN {printf "%.3f", m / e}')"
echo "CPU ${cpu_ms} ms in total, $(awk -v c="$cpu_ms" -v n="$fast" 'BEGIN {printf "%.3f", c / n}') ms per cycle"
